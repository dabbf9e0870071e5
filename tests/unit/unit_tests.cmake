# Tests of the window-free logic; built natively with sanitizers and for Windows under Wine.
add_executable(unit_tests
  ${CMAKE_CURRENT_LIST_DIR}/path_text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rom_list_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/open_dialog_result_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tool_text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_text_test.cpp
)
target_link_libraries(unit_tests PRIVATE quarvel_core GTest::gtest_main)
