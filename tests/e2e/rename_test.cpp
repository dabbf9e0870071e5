// Editing a row's file name in place, and the same file chosen again under another letter case.
#include <windows.h>
#include <commctrl.h>

#include "tests/e2e/e2e_fixture.h"
#include "tests/support/real_input.h"

namespace e2e {
namespace {
using namespace quarvel::testing;

constexpr const char* kForbiddenNotice = "A file name cannot contain any of the following characters: \\ / : * ? \" < > |";

class RenameRows : public E2eTest {
 protected:
  // Starts editing the row's caption, types `name` and presses Enter.
  void EditCaption(int row, const std::string& name) {
    HWND edit = reinterpret_cast<HWND>(SendMessageA(app_.List(), LVM_EDITLABELA, static_cast<WPARAM>(row), 0));
    ASSERT_NE(edit, nullptr) << "the list did not start editing";
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    app_.PostKey(edit, VK_RETURN);
  }

  // Opens a row's editor as a person does: a click selects the row, a later second one opens the editor.
  HWND OpenEditorByClicks(int row) {
    if (!BringToFront(app_.MainWindow())) return nullptr;
    ClickWindowAt(app_.List(), app_.CaptionPoint(row));
    if (!WaitUntil([&] { return app_.SelectedRows() == std::vector<int>{row}; })) return nullptr;
    Sleep(GetDoubleClickTime() + 100);  // a minimum gap between the clicks, not a wait for the program
    ClickWindowAt(app_.List(), app_.CaptionPoint(row));
    WaitUntil([&] { return app_.CaptionEditor() != nullptr; });
    return app_.CaptionEditor();
  }
};

// A Japanese name, outside the system's code page 1252, pasted into the editor by real keys: the tool opens
// the file of that name.
TEST_F(RenameRows, NewNameShowsAndGoesToTheTool) {
  const std::string name = "\xE6\x96\xB0\xE3\x81\x97\xE3\x81\x84.gba";
  std::string rom = MakeRom("old.gba", "RENAMED GAME");
  std::string renamed = MakeRom(name, "THE NEW FILE");
  StartWithRows({rom}, {RecordInto("record.txt")});
  ASSERT_TRUE(PutClipboardText(name));
  ASSERT_NE(OpenEditorByClicks(0), nullptr) << "the editor did not open";
  PressKey('V', {VK_CONTROL});  // the editor opens with its text selected: the paste replaces it
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return app_.Cell(0, kFileName) == name; })) << app_.Cell(0, kFileName);
  EXPECT_EQ(app_.Row(0), (std::vector<std::string>{name, "RENAMED GAME", roms_.Path(), "1024", ""}));

  app_.ClickButton(IDC_BUTTON_TEST);
  ASSERT_EQ(WaitForStatus(app_, "Testing...done"), "Testing...done");
  EXPECT_EQ(RecordedFileIds(roms_ / "record.txt"), std::vector<std::string>{FileIdOf(renamed)});
}

// Names that name no file are refused, each with its reason: an emptied one (the folder's path would be left), a
// device's (the tool would wait on the console), dots or a space at the end. Typed by real keys after a click or F2.
TEST_F(RenameRows, NamesThatNameNoFileAreRefusedWithANotice) {
  const std::string device = "A file name cannot be CON, PRN, AUX, NUL, COM1 to COM9 or LPT1 to LPT9, with or without "
                             "an extension: Windows keeps these names for devices";
  const std::string dots = "A file name cannot be . or .., or end in a period or a space";
  std::string rom = MakeRom("keep.gba");
  StartWithRows({rom});
  ASSERT_NE(OpenEditorByClicks(0), nullptr) << "the editor did not open";
  PressKey(VK_BACK);  // the editor opens with its text selected
  PressKey(VK_RETURN);
  ExpectNotice(kForbiddenNotice);
  const std::pair<const char*, const std::string*> refused[] = {
      {"CON", &device}, {"con.gba", &device}, {"Lpt9 .gba", &device}, {"..", &dots}, {"keep.gba ", &dots}};
  for (const auto& [name, notice] : refused) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(app_.WaitForFocusOn(app_.List()));
    if (notice == &dots) {  // F2 on the focused row, as in Explorer
      PressKey(VK_F2);
    } else {
      Sleep(GetDoubleClickTime() + 100);  // not a double click with the one before
      ClickWindowAt(app_.List(), app_.CaptionPoint(0));
    }
    ASSERT_TRUE(WaitUntil([&] { return app_.CaptionEditor() != nullptr; })) << "neither click nor F2 opened the editor";
    TypeText(name);  // replacing the selected name
    ASSERT_TRUE(WaitUntil([&] { return TextOf(app_.CaptionEditor()) == name; })) << TextOf(app_.CaptionEditor());
    PressKey(VK_RETURN);
    ExpectNotice(*notice, std::string(name) == "CON" ? "e2e_notice_device_name" : "");
  }
  EXPECT_TRUE(app_.Sync());
  EXPECT_EQ(app_.Cell(0, kFileName), "keep.gba");
}

// Typed into the editor: "é" and Japanese characters, which no key of the layout makes, come as Unicode keys. The
// window moves to a monitor of another scale meanwhile: the editor stays open with what was typed, in the list's
// new font and in its row's place at the new scale.
TEST_F(RenameRows, TypedAccentAndJapaneseCharactersBecomeTheCaption) {
  StartWithRows({MakeRom("old.gba")});
  HWND editor = OpenEditorByClicks(0);
  ASSERT_NE(editor, nullptr) << "the second click did not open the editor";
  TypeText("Caf\xC3\xA9 \xE6\x96\xB0\xE3\x81\x97\xE3\x81\x84.gba");  // "Café 新しい.gba", replacing the selected name
  EXPECT_TRUE(WaitUntil([&] { return TextOf(editor) == "Caf\xC3\xA9 \xE6\x96\xB0\xE3\x81\x97\xE3\x81\x84.gba"; }))
      << TextOf(editor);
  app_.SendDpiChange(app_.MainWindow(), 144, SIZE{MulDiv(627, 144, 96), MulDiv(329, 144, 96)});
  ASSERT_EQ(app_.CaptionEditor(), editor) << "the edit ended with the move";
  EXPECT_EQ(SendWithTimeout(editor, WM_GETFONT, 0, 0), SendWithTimeout(app_.List(), WM_GETFONT, 0, 0));
  RECT label = app_.ItemRect(0, LVIR_LABEL), place;  // the row's name at the new scale
  GetWindowRect(editor, &place);
  MapWindowPoints(nullptr, app_.List(), reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(std::make_pair(place.top, place.bottom), std::make_pair(label.top, label.bottom));
  EXPECT_EQ(TextOf(editor), "Caf\xC3\xA9 \xE6\x96\xB0\xE3\x81\x97\xE3\x81\x84.gba");
  EXPECT_TRUE(app_.Screenshot("e2e_caption_edit_moved_to_144", {app_.MainWindow()}));
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return app_.CaptionEditor() == nullptr; }));
  EXPECT_EQ(app_.Cell(0, kFileName), "Caf\xC3\xA9 \xE6\x96\xB0\xE3\x81\x97\xE3\x81\x84.gba");
}

TEST_F(RenameRows, ForbiddenCharacterIsRefusedWithANotice) {
  std::string rom = MakeRom("keep.gba");
  StartWithRows({rom});
  ASSERT_NO_FATAL_FAILURE(EditCaption(0, "bad?name.gba"));
  ExpectNotice(kForbiddenNotice, "e2e_notice_forbidden_name");
  EXPECT_TRUE(app_.Sync());
  EXPECT_EQ(app_.Cell(0, kFileName), "keep.gba");
}

// The menu takes no focus, so the editor is still open when the rows go; the edit must end first and
// never land on the row that takes its index.
TEST_F(RenameRows, AnEditOpenWhenRowsAreRemovedFromTheMenuEndsFirst) {
  StartWithRows({MakeRom("a.gba"), MakeRom("b.gba"), MakeRom("c.agb"), MakeRom("d.bin")});
  HWND editor = OpenEditorByClicks(1);
  ASSERT_NE(editor, nullptr) << "the second click did not open the editor";
  TypeText("renamed.gba");
  ASSERT_TRUE(WaitUntil([&] { return TextOf(editor) == "renamed.gba"; })) << TextOf(editor);
  // File on the menu bar, just above the client area's left corner, then its Remove entry.
  POINT file{12, -GetSystemMetrics(SM_CYMENU) / 2};
  ClickWindowAt(app_.MainWindow(), file);
  PressKey('R');
  ASSERT_TRUE(WaitUntil([&] { return app_.RowCount() == 3; })) << app_.RowCount();
  ClickWindow(app_.Control(IDC_CHECK_TRIM_FILE));  // ends an edit still open, as a person's next click would
  ASSERT_TRUE(WaitUntil([&] { return app_.CaptionEditor() == nullptr; }));
  EXPECT_TRUE(app_.Sync());
  EXPECT_EQ(app_.Cell(1, kFileName), "c.agb") << "b.gba was removed, and only it";
}

// A click elsewhere ends the edit; the list may report that with no text, which is not an emptied name.
TEST_F(RenameRows, AnEditEndedByAClickElsewhereKeepsTheNameTheEditorHeld) {
  StartWithRows({MakeRom("keep.gba")});
  ASSERT_NE(OpenEditorByClicks(0), nullptr) << "the second click did not open the editor";
  ClickWindow(app_.Control(IDC_CHECK_TRIM_FILE));
  ASSERT_TRUE(WaitUntil([&] { return app_.CaptionEditor() == nullptr; }));
  EXPECT_TRUE(app_.Sync());
  EXPECT_EQ(app_.Cell(0, kFileName), "keep.gba");
}

TEST_F(RenameRows, SameFileInAnotherLetterCaseIsListedOnce) {
  std::string rom = MakeRom("mixed.gba");
  ASSERT_TRUE(app_.Start()) << app_.Problem();
  ASSERT_TRUE(app_.AddFiles({rom}, 1)) << app_.Problem();
  ASSERT_TRUE(app_.ChooseInOpenDialog("", roms_ / "MIXED.GBA")) << app_.Problem();
  app_.Settle();
  EXPECT_EQ(app_.RowCount(), 1);
  EXPECT_TRUE(app_.OpenDialogs().empty());
}

}  // namespace
}  // namespace e2e
