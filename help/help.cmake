# Compiles the help pages into quarvel.chm with chmcmd, together with the result icons the artwork
# generator draws and the licence, and puts the file beside the program in bin/ and windows/.

find_program(CHMCMD chmcmd REQUIRED)

set(HELP_SOURCE_DIR ${CMAKE_SOURCE_DIR}/help)
set(HELP_STAGE_DIR ${CMAKE_BINARY_DIR}/help)
set(HELP_FILE ${HELP_STAGE_DIR}/quarvel.chm)
file(GLOB HELP_SOURCES CONFIGURE_DEPENDS ${HELP_SOURCE_DIR}/*.html ${HELP_SOURCE_DIR}/*.css
     ${HELP_SOURCE_DIR}/*.hhp ${HELP_SOURCE_DIR}/*.hhc ${HELP_SOURCE_DIR}/*.hhk)

# The licence page shows LICENSE itself, so the two cannot differ.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE)
file(READ ${CMAKE_SOURCE_DIR}/LICENSE LICENSE_HTML)
string(REPLACE "&" "&amp;" LICENSE_HTML "${LICENSE_HTML}")
string(REPLACE "<" "&lt;" LICENSE_HTML "${LICENSE_HTML}")
string(REPLACE ">" "&gt;" LICENSE_HTML "${LICENSE_HTML}")
configure_file(${HELP_SOURCE_DIR}/licence.html.in ${HELP_STAGE_DIR}/licence.html @ONLY)

set(HELP_IMAGES)
foreach(result 0 1 2 3 4)
  list(APPEND HELP_IMAGES ${ARTWORK_DIR}/result${result}.bmp)
endforeach()

add_custom_command(
  OUTPUT ${HELP_FILE}
  COMMAND ${CMAKE_COMMAND} -E copy ${HELP_SOURCES} ${HELP_IMAGES} ${HELP_STAGE_DIR}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${HELP_FILE}
  COMMAND ${CHMCMD} quarvel.hhp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin ${CMAKE_BINARY_DIR}/windows
  COMMAND ${CMAKE_COMMAND} -E copy ${HELP_FILE} ${CMAKE_BINARY_DIR}/bin/
  COMMAND ${CMAKE_COMMAND} -E copy ${HELP_FILE} ${CMAKE_BINARY_DIR}/windows/
  WORKING_DIRECTORY ${HELP_STAGE_DIR}
  DEPENDS ${HELP_SOURCES} ${HELP_IMAGES} ${HELP_STAGE_DIR}/licence.html
  COMMENT "Compiling the help file"
  VERBATIM
)
add_custom_target(help_file ALL DEPENDS ${HELP_FILE})
add_dependencies(help_file artwork)
