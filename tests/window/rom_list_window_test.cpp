// The ROM list on a real main window: adding by dialog and by drop, bad files, removing and editing.
#include <gtest/gtest.h>

#include <cderr.h>
#include <shlobj.h>

#include "tests/support/real_input.h"
#include "tests/support/remote_windows.h"
#include "tests/window/test_support.h"

namespace quarvel::testing {
namespace {

class RomListWindowTest : public MainWindowTest {
 protected:
  std::vector<std::string> Captions() { return window_.Column(0); }
};

TEST_F(RomListWindowTest, AddedFileShowsItsFourColumnsAndAnEmptyResult) {
  std::string header("MY GAME\0\0\0\0\0AMGE01", 18);
  window_.Choose({Rom("my game.gba", header, 1234)});
  ASSERT_EQ(window_.RowCount(), 1);
  EXPECT_EQ(window_.Cell(0, 0), "my game.gba");
  EXPECT_EQ(window_.Cell(0, 1), "MY GAME");
  EXPECT_EQ(window_.Cell(0, 2), window_.roms().path());
  EXPECT_EQ(window_.Cell(0, 3), "1234");
  EXPECT_EQ(window_.Cell(0, 4), "");
  for (int column = 0; column < 5; ++column) {
    LVCOLUMNA format{LVCF_FMT};
    ListView_GetColumn(window_.form().Control(IDC_LISTVIEW1), column, &format);
    EXPECT_EQ(format.fmt & LVCFMT_JUSTIFYMASK, column == 3 ? LVCFMT_RIGHT : LVCFMT_LEFT) << "only Size is right-aligned";
  }
  // A twelve-letter title runs on into the game code and maker code.
  window_.Choose({Rom("full.gba", "TWELVELETTERAMGE01")});
  EXPECT_EQ(window_.Cell(1, 1), "TWELVELETTERAMGE01");
}

TEST_F(RomListWindowTest, FourChosenFilesOneListedAlreadyAddThreeInTheDialogsOrder) {
  std::string c = Rom("c.gba"), a = Rom("az.gba"), b = Rom("b.gba"), d = Rom("d.gba");
  window_.Choose({a});
  window_.Choose({c, window_.roms() / "AZ.GBA", b, d, b});
  EXPECT_EQ(Captions(), (std::vector<std::string>{"az.gba", "c.gba", "b.gba", "d.gba"}));
  EXPECT_TRUE(Failures().empty());
}

TEST_F(RomListWindowTest, ShortFilesShowWhatCouldBeReadAndNothingMore) {
  window_.Choose({Rom("empty.gba", "", 0), Rom("tiny.gba", "", 100), Rom("cut.gba", "ABCDEFGHIJKLMNOPQR", 165)});
  ASSERT_EQ(window_.RowCount(), 3);
  EXPECT_EQ(window_.Cell(0, 1), "");
  EXPECT_EQ(window_.Cell(0, 3), "0");
  EXPECT_EQ(window_.Cell(1, 1), "");
  EXPECT_EQ(window_.Cell(2, 1), "ABCDE") << "only the five bytes the file has past offset 160";
}

TEST_F(RomListWindowTest, AFileThatCannotBeOpenedStopsTheChoiceWithTheFailure) {
  std::string first = Rom("first.gba"), last = Rom("last.gba");
  std::string missing = window_.roms() / "missing.gba";
  window_.Choose({first, missing, last});
  EXPECT_EQ(Captions(), std::vector<std::string>{"first.gba"}) << "earlier files stay, later ones are not added";
  ASSERT_EQ(Failures().size(), 1u);
  EXPECT_EQ(Failures()[0].rfind("Cannot open file \"" + missing + "\". ", 0), 0u) << Failures()[0];
  EXPECT_NE(Failures()[0].back(), '.') << "the report adds the period, not the message";
  EXPECT_GT(Failures()[0].size(), ("Cannot open file \"" + missing + "\". ").size()) << "the system's text";
}

TEST_F(RomListWindowTest, AFolderOrALockedFileIsReportedAndNotListed) {
  std::string locked = Rom("locked.gba");
  LockedFile holder(locked);  // shares nothing
  ASSERT_TRUE(holder.Locked());
  window_.Choose({locked});
  holder.Release();
  std::string folder = window_.roms() / "folder";
  CreateDirectoryA(folder.c_str(), nullptr);
  window_.Choose({folder});
  EXPECT_EQ(window_.RowCount(), 0);
  ASSERT_EQ(Failures().size(), 2u);
  EXPECT_EQ(Failures()[0].rfind("Cannot open file \"" + locked + "\". ", 0), 0u) << Failures()[0];
  EXPECT_EQ(Failures()[1].rfind("Cannot open file \"" + folder + "\". ", 0), 0u) << Failures()[1];
  window_.Choose({locked});
  EXPECT_EQ(window_.RowCount(), 1) << "once released, the file is listed";
}

TEST_F(RomListWindowTest, RelativePathsAreReportedAsFullPaths) {
  SetCurrentDirectoryA(window_.roms().path().c_str());
  window_.Choose({"nowhere.gba"});
  ASSERT_EQ(Failures().size(), 1u);
  EXPECT_EQ(Failures()[0].rfind("Cannot open file \"" + window_.roms() / "nowhere.gba" + "\". ", 0), 0u);
}

TEST_F(RomListWindowTest, CancellingTheDialogChangesNothingAndAFailedDialogSaysWhy) {
  window_.Choose({Rom("a.gba")});
  window_.Command(IDM_FILE_ADD);  // the fixture's dialog answers as a cancel
  EXPECT_EQ(window_.RowCount(), 1);
  EXPECT_TRUE(Failures().empty());
  window_.form().SetSystemDialog({[](OPENFILENAMEA*) { return FALSE; }, [] { return DWORD{FNERR_INVALIDFILENAME}; }});
  window_.Command(IDC_BUTTON_ADD);
  EXPECT_EQ(Failures(), std::vector<std::string>{"Could not add files. A file name in the dialog is not valid "
                                                 "(dialog error 0x3002)"});
  EXPECT_EQ(window_.RowCount(), 1);
}

TEST_F(RomListWindowTest, RemovingSelectedRowsKeepsTheOthersInOrder) {
  std::vector<std::string> paths;
  for (const char* name : {"a", "b", "c", "d", "e"}) paths.push_back(Rom(std::string(name) + ".gba"));
  window_.Choose(paths);
  window_.SelectRows({0, 2, 4});
  window_.Command(IDC_BUTTON_REMOVE);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"b.gba", "d.gba"}));
  window_.SelectRows({1});
  window_.Command(IDM_FILE_REMOVE);
  EXPECT_EQ(Captions(), std::vector<std::string>{"b.gba"});
  window_.SelectRows({0});
  window_.Command(IDM_ROW_REMOVE);
  EXPECT_EQ(window_.RowCount(), 0);
  window_.Choose({paths[0]});
  EXPECT_EQ(window_.RowCount(), 1) << "a removed file can be added again";
  EXPECT_TRUE(window_.messages().notices.empty());
}

TEST_F(RomListWindowTest, RemovingWithNothingSelectedGivesTheNoticeFromEveryEntry) {
  window_.Choose({Rom("a.gba")});
  window_.SelectRows({});
  window_.Command(IDC_BUTTON_REMOVE);
  window_.Command(IDM_FILE_REMOVE);
  window_.Command(IDM_ROW_REMOVE);
  SendMessageA(window_.form().Control(IDC_LISTVIEW1), WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(window_.messages().notices, std::vector<std::string>(4, "Please select at least one file"));
  EXPECT_EQ(window_.RowCount(), 1);
}

TEST_F(RomListWindowTest, DeleteKeyInTheListRemovesTheSelection) {
  window_.Choose({Rom("a.gba"), Rom("b.gba")});
  window_.SelectRows({1});
  SendMessageA(window_.form().Control(IDC_LISTVIEW1), WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(Captions(), std::vector<std::string>{"a.gba"});
}

// Edits the caption of a row in place, as the user would, and presses Enter (or another key).
void EditCaption(HWND list, int row, const char* text, WPARAM key = VK_RETURN) {
  SetFocus(list);
  HWND edit = ListView_EditLabel(list, row);
  ASSERT_NE(edit, nullptr);
  SetWindowTextA(edit, text);
  SendMessageA(edit, WM_KEYDOWN, key, 0);
  PumpMessages();
}

TEST_F(RomListWindowTest, InPlaceEditRenamesTheRowsFileButRefusesForbiddenCharacters) {
  window_.Choose({Rom("a.gba")});
  HWND list = window_.form().Control(IDC_LISTVIEW1);
  EditCaption(list, 0, "renamed.gba");
  EXPECT_EQ(window_.Cell(0, 0), "renamed.gba");
  EXPECT_EQ(window_.form().Rows().Row(0).FullPath(), window_.roms() / "renamed.gba");
  EditCaption(list, 0, "bad\" -x \".gba");
  EXPECT_EQ(window_.Cell(0, 0), "renamed.gba") << "a quote would break out of the tool's quoted path";
  ASSERT_EQ(window_.messages().notices.size(), 1u);
  EXPECT_NE(window_.messages().notices[0].find("cannot contain"), std::string::npos);
  EditCaption(list, 0, "", VK_ESCAPE);
  EXPECT_EQ(window_.Cell(0, 0), "renamed.gba") << "Esc keeps the caption";
  EditCaption(list, 0, "");
  EXPECT_EQ(window_.Cell(0, 0), "renamed.gba") << "an empty name is refused: the tool would get the folder's path";
  EXPECT_EQ(window_.messages().notices.size(), 2u);
}

// 100 Japanese characters take 300 bytes in UTF-8, more than the 259 the list asks for when it draws or
// edits: it gets them cut between characters, its editor gets the whole name, and type-ahead finds it.
TEST_F(RomListWindowTest, ALongNameIsCutBetweenCharactersToBeDrawnAndEditedWhole) {
  std::string name;
  for (int i = 0; i < 100; ++i) name += "\xE3\x83\x9D";
  window_.Choose({Rom(name.substr(0, 86 * 3) + "a.gba"), Rom(name + ".gba")});
  HWND list = window_.form().Control(IDC_LISTVIEW1);
  wchar_t shown[MAX_PATH] = {};
  LVITEMW cell{};
  cell.pszText = shown;
  cell.cchTextMax = MAX_PATH;
  SendMessageW(list, LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&cell));
  EXPECT_EQ(std::wstring(shown), std::wstring(86, L'\x30DD')) << "258 of the 259 bytes, no broken character";

  std::wstring typed(100, L'\x30DD');
  NMLVFINDITEMW find{{list, IDC_LISTVIEW1, LVN_ODFINDITEMW}, 0, {LVFI_PARTIAL | LVFI_WRAP, typed.c_str()}};
  EXPECT_EQ(SendMessageW(window_.form().Handle(), WM_NOTIFY, IDC_LISTVIEW1, reinterpret_cast<LPARAM>(&find)), 1);

  ASSERT_TRUE(BringToFront(window_.form().Handle()));
  SetFocus(list);
  HWND edit = ListView_EditLabel(list, 1);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(TextOf(edit), name + ".gba");
  PressKey(VK_HOME);
  TypeText("b");
  PressKey(VK_RETURN);
  for (DWORD start = GetTickCount(); IsWindow(edit) && GetTickCount() - start < 5000; Sleep(10)) PumpMessages();
  EXPECT_EQ(window_.form().Rows().Row(1).caption, "b" + name + ".gba");
}

// Copies an archive program extracted into the temporary folder (Explorer's view of a zip, 7-Zip) are not listed,
// whichever form of the folder's path reaches them: a notice says why, and the other files are added.
TEST_F(RomListWindowTest, DroppedFilesAreAddedInTheShellsOrderAndTheDropIsReleased) {
  std::string b = Rom("b.gba"), a = Rom("a.bin"), c = Rom("c.txt");
  TempFolder temporary("Local Temporary Files");  // reached by its long form and by its short one
  ScopedEnvironment named("TMP", temporary.path());
  TempFolder zipView("Temp1_roms.zip", temporary.path()), sevenZip("7zO4A21", temporary.path());
  std::string zipped = zipView / "zipped.gba", unpacked = sevenZip / "unpacked.gba";
  ASSERT_TRUE(WriteRom(zipped, "GAME") && WriteRom(unpacked, "GAME"));
  HGLOBAL drop = MakeDrop({b, zipped, a, c, ShortPathOf(unpacked), b});
  SendMessageA(window_.form().Control(IDC_LISTVIEW1), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"b.gba", "a.bin", "c.txt"}));
  ASSERT_EQ(window_.messages().notices.size(), 1u);
  EXPECT_EQ(window_.messages().notices[0].rfind("2 files were not added: they are temporary copies", 0), 0u);
  EXPECT_TRUE(Failures().empty());
  EXPECT_EQ(GlobalFlags(drop), GMEM_INVALID_HANDLE) << "the drop was released";
  window_.Choose({zipped, Rom("d.gba")});  // the Add dialog, inside the zip
  EXPECT_EQ(Captions(), (std::vector<std::string>{"b.gba", "a.bin", "c.txt", "d.gba"}));
  EXPECT_EQ(window_.messages().notices.back(),
            "\"" + zipped + "\" was not added: it is a temporary copy that an archive program made, and it is deleted "
            "later, so patching it would change nothing you keep. Extract the files from the archive first, then add "
            "them from the folder you extracted them to.");
}

// The desktop shell drops wide paths; they arrive in the code page (UTF-8 here), whole, in the shell's order.
TEST_F(RomListWindowTest, WidePathsFromTheShellAreAddedInTheSystemsCodePage) {
  const std::string cafe = "Caf\xC3\xA9.gba", pokemon = "\xE3\x83\x9D\xE3\x82\xB1\xE3\x83\xA2\xE3\x83\xB3.gba";
  std::string accented = Rom(cafe), japanese = Rom(pokemon), plain = Rom("plain.gba");
  std::wstring list;
  for (const std::string& path : {accented, japanese, plain}) {
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    list += wide;
    list += L'\0';
  }
  list += L'\0';
  HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::copy(list.begin(), list.end(), reinterpret_cast<wchar_t*>(header + 1));
  GlobalUnlock(drop);
  SendMessageA(window_.form().Control(IDC_LISTVIEW1), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  EXPECT_EQ(Captions(), (std::vector<std::string>{cafe, pokemon, "plain.gba"}));
  EXPECT_TRUE(Failures().empty());
  EXPECT_EQ(GlobalFlags(drop), GMEM_INVALID_HANDLE);
}

TEST_F(RomListWindowTest, ADroppedFolderStopsTheDropWithTheFailureAndStillReleasesIt) {
  std::string a = Rom("a.gba"), b = Rom("b.gba");
  std::string folder = window_.roms() / "folder";
  CreateDirectoryA(folder.c_str(), nullptr);
  HGLOBAL drop = MakeDrop({a, folder, b});
  SendMessageA(window_.form().Control(IDC_LISTVIEW1), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  EXPECT_EQ(Captions(), std::vector<std::string>{"a.gba"});
  ASSERT_EQ(Failures().size(), 1u);
  EXPECT_EQ(Failures()[0].rfind("Cannot open file \"" + folder + "\". ", 0), 0u) << Failures()[0];
  EXPECT_EQ(GlobalFlags(drop), GMEM_INVALID_HANDLE) << "the drop was released on the failure path too";
}

}  // namespace
}  // namespace quarvel::testing
