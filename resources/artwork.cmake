# Draws the program's artwork at build time. The generator runs on the build machine, so it is
# compiled with the host's compiler rather than the cross toolchain.
#
# Sets ARTWORK_DIR (where the files land) and ARTWORK_FILES, and adds the target `artwork`.

find_program(HOST_CXX NAMES c++ g++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)

set(ARTGEN_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/artgen)
# CONFIGURE_DEPENDS so that adding a source file re-runs the glob.
file(GLOB ARTGEN_SOURCES CONFIGURE_DEPENDS ${ARTGEN_SOURCE_DIR}/*.cpp)
file(GLOB ARTGEN_HEADERS CONFIGURE_DEPENDS ${ARTGEN_SOURCE_DIR}/*.hpp)
set(ARTGEN_EXECUTABLE ${CMAKE_BINARY_DIR}/artgen/artgen)

set(ARTWORK_DIR ${CMAKE_BINARY_DIR}/art)
set(ARTWORK_FILES
  ${ARTWORK_DIR}/picture.bmp
  ${ARTWORK_DIR}/picture125.bmp
  ${ARTWORK_DIR}/picture150.bmp
  ${ARTWORK_DIR}/picture200.bmp
  ${ARTWORK_DIR}/app.ico
  ${ARTWORK_DIR}/result0.ico
  ${ARTWORK_DIR}/result1.ico
  ${ARTWORK_DIR}/result2.ico
  ${ARTWORK_DIR}/result3.ico
  ${ARTWORK_DIR}/result4.ico
  ${ARTWORK_DIR}/result0.bmp
  ${ARTWORK_DIR}/result1.bmp
  ${ARTWORK_DIR}/result2.bmp
  ${ARTWORK_DIR}/result3.bmp
  ${ARTWORK_DIR}/result4.bmp
)

add_custom_command(
  OUTPUT ${ARTGEN_EXECUTABLE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/artgen
  COMMAND ${HOST_CXX} -std=c++20 -O2 -Wall -Wextra -Wpedantic -o ${ARTGEN_EXECUTABLE} ${ARTGEN_SOURCES}
  DEPENDS ${ARTGEN_SOURCES} ${ARTGEN_HEADERS}
  COMMENT "Building the artwork generator for the host"
  VERBATIM
)

add_custom_command(
  OUTPUT ${ARTWORK_FILES}
  COMMAND ${ARTGEN_EXECUTABLE} ${ARTWORK_DIR}
  DEPENDS ${ARTGEN_EXECUTABLE}
  COMMENT "Drawing the artwork"
  VERBATIM
)

add_custom_target(artwork DEPENDS ${ARTWORK_FILES})
