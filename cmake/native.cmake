# The native build: the window-free logic and its tests, under AddressSanitizer and UndefinedBehaviorSanitizer.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(quarvel_core PRIVATE ${SANITIZE} -g)
target_link_options(quarvel_core PUBLIC ${SANITIZE})

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)
include(tests/unit/unit_tests.cmake)
target_compile_options(unit_tests PRIVATE ${SANITIZE} -g)
gtest_discover_tests(unit_tests TEST_PREFIX "native.")

if(QUARVEL_FUZZ)
  include(tests/fuzz/fuzzers.cmake)
endif()
