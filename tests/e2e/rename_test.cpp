// Editing a row's file name in place, and the same file chosen again under another letter case.
#include <windows.h>
#include <commctrl.h>

#include "tests/e2e/e2e_fixture.h"

namespace e2e {
namespace {

class RenameRows : public E2eTest {
 protected:
  // Starts editing the row's caption, types `name` and presses Enter.
  void EditCaption(int row, const std::string& name) {
    HWND edit = reinterpret_cast<HWND>(SendMessageA(app_.List(), LVM_EDITLABELA, static_cast<WPARAM>(row), 0));
    ASSERT_NE(edit, nullptr) << "the list did not start editing";
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    app_.PostKey(edit, VK_RETURN);
  }
};

TEST_F(RenameRows, NewNameShowsAndGoesToTheTool) {
  std::string rom = MakeRom("old.gba", "RENAMED GAME");
  StartWithRows({rom}, {RecordInto("record.txt")});
  ASSERT_NO_FATAL_FAILURE(EditCaption(0, "new.gba"));
  EXPECT_TRUE(WaitUntil([&] { return app_.Cell(0, kFileName) == "new.gba"; })) << app_.Cell(0, kFileName);
  EXPECT_EQ(app_.Row(0), (std::vector<std::string>{"new.gba", "RENAMED GAME", roms_.Path(), "1024", ""}));

  app_.ClickButton(IDC_BUTTON_TEST);
  ASSERT_EQ(WaitForStatus(app_, "Testing...done"), "Testing...done");
  std::vector<std::string> record = ReadLines(roms_ / "record.txt");
  ASSERT_EQ(record.size(), 1u);
  std::string quotedPath = roms_ / "new.gba\"";
  quotedPath.insert(quotedPath.begin(), '"');
  EXPECT_NE(record[0].find(quotedPath), std::string::npos) << record[0];
}

TEST_F(RenameRows, ForbiddenCharacterIsRefusedWithANotice) {
  std::string rom = MakeRom("keep.gba");
  StartWithRows({rom});
  ASSERT_NO_FATAL_FAILURE(EditCaption(0, "bad?name.gba"));
  ExpectNotice("A file name cannot contain any of the following characters: \\ / : * ? \" < > |",
               "e2e_notice_forbidden_name");
  EXPECT_TRUE(app_.Sync());
  EXPECT_EQ(app_.Cell(0, kFileName), "keep.gba");
}

TEST_F(RenameRows, SameFileInAnotherLetterCaseIsListedOnce) {
  std::string rom = MakeRom("mixed.gba");
  ASSERT_TRUE(app_.Start()) << app_.Problem();
  ASSERT_TRUE(app_.AddFiles({rom}, 1)) << app_.Problem();
  ASSERT_TRUE(app_.ChooseInOpenDialog("", roms_ / "MIXED.GBA")) << app_.Problem();
  EXPECT_TRUE(app_.Sync());
  Sleep(300);  // a second row or a report would show by now
  EXPECT_EQ(app_.RowCount(), 1);
  EXPECT_TRUE(app_.OpenDialogs().empty());
}

}  // namespace
}  // namespace e2e
