# libFuzzer targets for the pure parsers, with AddressSanitizer and UndefinedBehaviorSanitizer; built
# with clang when the native build is configured with -DQUARVEL_FUZZ=ON (scripts/fuzz.sh does so).
# Each target compiles the sources it needs itself, with the fuzzer's coverage instrumentation.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "QUARVEL_FUZZ needs clang: configure with CC=clang CXX=clang++")
endif()

set(FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g -O1)
set(FUZZ_DIR ${CMAKE_SOURCE_DIR}/tests/fuzz)

function(quarvel_fuzzer name)
  add_executable(${name} ${FUZZ_DIR}/${name}.cpp ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${FUZZ_FLAGS})
  target_link_options(${name} PRIVATE ${FUZZ_FLAGS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  list(APPEND QUARVEL_FUZZERS ${name})
  set(QUARVEL_FUZZERS ${QUARVEL_FUZZERS} PARENT_SCOPE)
endfunction()

quarvel_fuzzer(open_dialog_result_fuzzer
  ${CMAKE_SOURCE_DIR}/romlist/open_dialog_result.cpp ${CMAKE_SOURCE_DIR}/romlist/path_text.cpp)
quarvel_fuzzer(game_name_fuzzer ${CMAKE_SOURCE_DIR}/romlist/header_text.cpp)
quarvel_fuzzer(message_text_fuzzer ${CMAKE_SOURCE_DIR}/ui/message_text.cpp)

add_custom_target(fuzzers DEPENDS ${QUARVEL_FUZZERS})
