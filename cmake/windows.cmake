# The Windows build: the front-end, the stand-in tool, and the tests that run under Wine.
enable_language(RC)
set(ARTWORK_CMAKE ${CMAKE_SOURCE_DIR}/resources/artwork.cmake CACHE FILEPATH "Draws the icons and the picture")
include(${ARTWORK_CMAKE})

set(WIN_WARNINGS -Wall -Wextra)
set(WIN_LIBS comctl32 comdlg32 shell32 ole32 oleacc oleaut32 uuid msimg32 gdi32 user32 advapi32 kernel32)
# One .exe with no DLLs beside it, runnable on a bare Windows; no debug info in the release build.
set(STATIC_LINK -static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600 WINVER=0x0600 _WIN32_IE=0x0600)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# Everything of the front-end but its entry point, so the window tests can link it.
add_library(quarvel_win STATIC
  ui/messages.cpp
  ui/notice_dialog.cpp
  ui/modal_dialog.cpp
  ui/display_scale.cpp
  ui/form_font.cpp
  ui/clipboard.cpp
  ui/taskbar_progress.cpp
  ui/accessibility.cpp
  ui/system_error_text.cpp
  romlist/rom_file.cpp
  romlist/rom_list_view.cpp
  romlist/dropped_files.cpp
  romlist/active_code_page.cpp
  romlist/extended_path.cpp
  romlist/temporary_folder.cpp
  ui/code_page_text.cpp
  tool/system_path_forms.cpp
  tool/tool_runner.cpp
  tool/fresh_log.cpp
  tool/message_wait.cpp
  app/open_rom_dialog.cpp
  app/form_main.cpp
  app/form_main_scale.cpp
  app/form_main_layout.cpp
  app/form_main_list.cpp
  app/form_main_batch.cpp
  app/form_main_documents.cpp
  app/form_main_focus.cpp
  app/form_about.cpp
)
target_link_libraries(quarvel_win PUBLIC quarvel_core ${WIN_LIBS})
target_compile_options(quarvel_win PRIVATE ${WIN_WARNINGS})

# The version resource takes its numbers from the project version.
set(QUARVEL_VERSION_PATCH 0)
if(PROJECT_VERSION_PATCH)
  set(QUARVEL_VERSION_PATCH ${PROJECT_VERSION_PATCH})
endif()
set(GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/resources/version.h.in ${GENERATED_DIR}/version.h @ONLY)

add_executable(QuarvelFE WIN32 app/main.cpp resources/quarvel.rc)
target_link_libraries(QuarvelFE PRIVATE quarvel_win ${STATIC_LINK})
target_compile_options(QuarvelFE PRIVATE ${WIN_WARNINGS})
add_dependencies(QuarvelFE artwork)
# windres does not report what the resource script reads, and a source file's properties hold only in the
# folder that sets them: every folder whose programs compile the script sets these (the test programs too).
set(QUARVEL_RC_DEPENDS "${ARTWORK_FILES};${CMAKE_SOURCE_DIR}/resources/quarvel.exe.manifest")
set_source_files_properties(resources/quarvel.rc PROPERTIES OBJECT_DEPENDS "${QUARVEL_RC_DEPENDS}")
target_include_directories(QuarvelFE PRIVATE ${CMAKE_SOURCE_DIR} ${ARTWORK_DIR} ${CMAKE_SOURCE_DIR}/resources
                           ${GENERATED_DIR})

# The ready-to-copy Windows folder: the front-end, its help file (help.cmake) and a note on where the tool goes.
add_custom_command(TARGET QuarvelFE POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/windows
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:QuarvelFE> ${CMAKE_BINARY_DIR}/windows/
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/resources/README-windows.txt ${CMAKE_BINARY_DIR}/windows/)

include(${CMAKE_SOURCE_DIR}/help/help.cmake)
add_dependencies(QuarvelFE help_file)

add_subdirectory(tests/standin)

# GoogleTest, built for the same target. Running the program needs none (scripts/start.sh does not
# install it); the tests are left out without it.
if(EXISTS /usr/src/googletest/CMakeLists.txt)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(GoogleTest)
  add_subdirectory(tests)
else()
  message(STATUS "GoogleTest is not installed (package googletest): the test programs are left out")
endif()

# Benchmarks, built on request (scripts/bench.sh builds the "benchmarks" target).
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt AND TARGET test_support)
  add_subdirectory(bench)
endif()
