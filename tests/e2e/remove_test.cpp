// Removing rows: the Remove button, the Delete key and the row menu.
#include "tests/e2e/e2e_fixture.h"
#include "tests/support/real_input.h"

namespace e2e {
namespace {

class RemoveRows : public E2eTest {
 protected:
  void StartWithFive() {
    paths_ = MakeNumberedRoms(5);
    StartWithRows(paths_);
  }
  std::vector<std::string> FileNames() const { return app_.Column(kFileName); }
  std::vector<std::string> paths_;
};

// Real keys and clicks: after the notice and after the About dialog (closed by Esc, then by Enter) the focus is
// back on the list.
TEST_F(RemoveRows, DeleteKeyAsksForASelectionEachTimeAsTheFocusOutlastsDialogs) {
  using namespace quarvel::testing;
  ASSERT_NO_FATAL_FAILURE(StartWithFive());
  EXPECT_TRUE(app_.WaitForFocusOn(app_.Control(IDC_BUTTON_ADD))) << "the first control in tab order";
  ASSERT_TRUE(BringToFront(app_.MainWindow()));
  ClickWindow(app_.List());  // below the rows: selects none, and the keys that follow go to the list
  PressKey(VK_DELETE);
  HWND notice = app_.WaitForTopWindow(NOTICE_WINDOW_CAPTION);
  ASSERT_NE(notice, nullptr);
  PressKey(VK_RETURN);
  ASSERT_TRUE(app_.WaitGone(notice));
  PressKey(VK_DELETE);
  ExpectNotice("Please select at least one file", "e2e_notice_select_a_file");
  EXPECT_EQ(app_.RowCount(), 5);
  ClickWindow(app_.Control(IDC_IMAGE1));  // the picture takes no focus
  HWND about = app_.WaitForTopWindow("About...");
  ASSERT_NE(about, nullptr);
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(app_.WaitGone(about));
  EXPECT_TRUE(app_.WaitForFocusOn(app_.List()));
  ASSERT_TRUE(app_.ChooseFromMenu('H', 'A'));
  ASSERT_NE(about = app_.WaitForTopWindow("About..."), nullptr);
  PressKey(VK_RETURN);
  EXPECT_TRUE(app_.WaitGone(about)) << "Enter closes the About dialog";
  EXPECT_TRUE(app_.WaitForFocusOn(app_.List()));
}

TEST_F(RemoveRows, RemoveButtonWithNothingSelectedAsksForASelection) {
  ASSERT_TRUE(app_.Start()) << app_.Problem();
  app_.ClickButton(IDC_BUTTON_REMOVE);
  ExpectNotice("Please select at least one file");
  EXPECT_EQ(app_.RowCount(), 0);
}

TEST_F(RemoveRows, RemoveButtonRemovesTheSelectedRowsAndKeepsTheOthersInOrder) {
  ASSERT_NO_FATAL_FAILURE(StartWithFive());
  ASSERT_TRUE(app_.SelectRows({1, 3}));
  app_.ClickButton(IDC_BUTTON_REMOVE);
  ASSERT_TRUE(WaitUntil([&] { return app_.RowCount() == 3; })) << app_.RowCount();
  EXPECT_EQ(FileNames(), (std::vector<std::string>{"r0.gba", "r2.gba", "r4.gba"}));
  EXPECT_EQ(app_.Row(1), (std::vector<std::string>{"r2.gba", "GAME 2", roms_.Path(), "1024", ""}));
  EXPECT_EQ(app_.SelectedRows(), std::vector<int>{});
  EXPECT_TRUE(app_.OpenDialogs().empty());
}

// The list asks the program which row the typed letters name, the row a Delete would then remove.
TEST_F(RemoveRows, ATypedLetterSelectsTheNextRowStartingWithIt) {
  using namespace quarvel::testing;
  for (const char* name : {"a.gba", "c.agb", "b.bin", "C2.gba", "d.gba"}) paths_.push_back(MakeRom(name));
  StartWithRows(paths_);
  ASSERT_TRUE(BringToFront(app_.MainWindow()));
  ClickWindowAt(app_.List(), app_.CaptionPoint(2));
  ASSERT_TRUE(WaitUntil([&] { return app_.SelectedRows() == std::vector<int>{2}; }));
  TypeText("c");
  EXPECT_TRUE(WaitUntil([&] { return app_.SelectedRows() == std::vector<int>{3}; })) << "from the focused row on";
  constexpr DWORD kTypeAheadPause = 1000;  // the list forgets the letters typed before a pause
  Sleep(kTypeAheadPause);
  TypeText("c");
  EXPECT_TRUE(WaitUntil([&] { return app_.SelectedRows() == std::vector<int>{1}; })) << "wrapping round from the last rows";
  Sleep(kTypeAheadPause);
  PressKey('A');
  EXPECT_TRUE(WaitUntil([&] { return app_.SelectedRows() == std::vector<int>{0}; })) << "A alone is type-ahead";
  PressKey('A', {VK_CONTROL});
  EXPECT_TRUE(WaitUntil([&] { return app_.SelectedRows() == std::vector<int>{0, 1, 2, 3, 4}; })) << "Ctrl+A";
}

TEST_F(RemoveRows, DeleteKeyRemovesTheSelectedRows) {
  ASSERT_NO_FATAL_FAILURE(StartWithFive());
  ASSERT_TRUE(app_.SelectRows({0, 4}));
  app_.PostKey(app_.List(), VK_DELETE);
  ASSERT_TRUE(WaitUntil([&] { return app_.RowCount() == 3; })) << app_.RowCount();
  EXPECT_EQ(FileNames(), (std::vector<std::string>{"r1.gba", "r2.gba", "r3.gba"}));
}

TEST_F(RemoveRows, RemovedFileCanBeAddedAgain) {
  ASSERT_NO_FATAL_FAILURE(StartWithFive());
  ASSERT_TRUE(app_.SelectRows({2}));
  app_.PostCommand(IDM_ROW_REMOVE);
  ASSERT_TRUE(WaitUntil([&] { return app_.RowCount() == 4; })) << app_.RowCount();
  ASSERT_TRUE(app_.AddFiles({paths_[2]}, 5)) << app_.Problem();
  EXPECT_EQ(FileNames(), (std::vector<std::string>{"r0.gba", "r1.gba", "r3.gba", "r4.gba", "r2.gba"}));
}

}  // namespace
}  // namespace e2e
