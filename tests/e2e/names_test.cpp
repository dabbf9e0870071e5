// File names in any language on the built program, which runs with UTF-8 as its code page.
#include <windows.h>
#include <commctrl.h>

#include "tests/e2e/e2e_fixture.h"
#include "tests/support/screen_pixels.h"

namespace e2e {
namespace {

class Names : public E2eTest {
 protected:
  void SetUp() override { ASSERT_EQ(GetACP(), 65001u) << "the test program's manifest makes UTF-8 its code page"; }
};

TEST_F(Names, InAnyLanguageAreListedUnderTheirTrueNamesAndReachTheTool) {
  const std::vector<std::string> names = {
      "\xE3\x83\x9D\xE3\x82\xB1\xE3\x83\xA2\xE3\x83\xB3.gba",  // Japanese
      "\xC5\x81\xC3\xB3\x64\xC5\xBA.gba",                      // Polish, outside code page 1252
      "\xF0\x9F\x8E\xAE Quest.gba",                            // an emoji, outside the 16-bit plane
      "Caf\xC3\xA9.gba"};                                      // an accent inside code page 1252
  std::vector<std::string> paths;
  for (const std::string& name : names) paths.push_back(MakeRom(name, "NAMES"));
  // By best fit to code page 1252 "\xC5\x81\xC3\xB3\x64\xC5\xBA" becomes "L\xF3" "dz" (measured): a tool handed that
  // name would open this other file.
  std::string bestFit = MakeRom("L\xC3\xB3" "dz.gba", "OTHER FILE");
  MakeRom("Lodz.gba", "OTHER FILE");
  // Header bytes of 0x80 and above are no UTF-8: the list shows them as it can, and the row stays whole.
  paths.push_back(MakeRom("header.gba", "CAF\xC9 \xE3\x83", 2048));
  StartWithRows(paths, {RecordInto("record.txt")});
  std::vector<std::string> captions = names;
  captions.push_back("header.gba");
  EXPECT_EQ(app_.Column(kFileName), captions);
  EXPECT_EQ(app_.Row(4), (std::vector<std::string>{"header.gba", "CAF\xC9 \xE3\x83", roms_.Path(), "2048", ""}));
  EXPECT_TRUE(app_.Screenshot("e2e_names_in_any_language", {app_.MainWindow()}));

  app_.ClickButton(IDC_BUTTON_TEST);
  ASSERT_EQ(WaitForStatus(app_, "Testing...done"), "Testing...done");
  // Each run opened the very file of its row, by the path the tool saw in the system's code page (1252).
  std::vector<std::string> ids;
  for (const std::string& path : paths) ids.push_back(FileIdOf(path));
  EXPECT_EQ(RecordedFileIds(roms_ / "record.txt"), ids);
  EXPECT_NE(ids[1], FileIdOf(bestFit));
  std::vector<ToolRun> runs = ReadToolRuns(roms_ / "record.txt");
  ASSERT_EQ(runs.size(), 5u);
  // A path that fits the code page is handed as it always was: UTF-8 to CreateProcessA, 0xE9 to the tool.
  const std::string tool = std::string("\"").append(app_.ToolPath()).append("\" -t \"").append(roms_.Path());
  EXPECT_EQ(runs[3].commandLine, tool + "Caf\xC3\xA9.gba\" >> \"" + app_.LogPath() + "\"");
  EXPECT_EQ(runs[3].systemCommandLine, tool + "Caf\xE9.gba\" >> \"" + app_.LogPath() + "\"");
  for (size_t run : {0, 1, 2, 4})  // the short forms, and a name of ASCII alone
    EXPECT_EQ(runs[run].systemCommandLine, runs[run].commandLine) << "seen as handed, no best fit";
  for (const ToolRun& run : runs) EXPECT_EQ(run.startup, "flags 1 show 4") << "STARTF_USESHOWWINDOW, SW_SHOWNOACTIVATE";
  EXPECT_EQ(app_.Column(kResult), std::vector<std::string>(5, "OK"));
}

// Two of five rows copied with Ctrl+C; "C" alone is type-ahead and copies nothing. A reader of CF_TEXT
// gets the text in code page 1252, the system's own.
TEST_F(Names, CtrlCCopiesTheTwoSelectedRowsForUnicodeAndCodePageReaders) {
  using namespace quarvel::testing;
  StartWithRows({MakeRom("r0.gba"), MakeRom("Caf\xC3\xA9.gba"), MakeRom("r2.gba"),
                 MakeRom("\xE6\x96\xB0.gba"), MakeRom("r4.gba")});
  ASSERT_TRUE(BringToFront(app_.MainWindow()));
  ClickWindowAt(app_.List(), app_.CaptionPoint(3));
  ASSERT_TRUE(WaitUntil([&] { return app_.SelectedRows() == std::vector<int>{3}; }));
  ASSERT_TRUE(app_.SelectRows({1, 3}));
  PressKey('C', {VK_CONTROL});
  const std::string header = "File Name\tGame Name\tDirectory Path\tSize\tResult\r\n";
  const std::string rest = "\tQUARVEL TEST\t" + roms_.Path() + "\t1024\t\r\n";
  const std::string table = header + "Caf\xC3\xA9.gba" + rest + "\xE6\x96\xB0.gba" + rest;
  EXPECT_TRUE(WaitUntil([&] { return ClipboardText(CF_UNICODETEXT) == table; })) << ClipboardText(CF_UNICODETEXT);
  EXPECT_EQ(ClipboardText(CF_TEXT), header + "Caf\xE9.gba" + rest + "?.gba" + rest);
  PressKey('A');  // no row begins with it
  PressKey(VK_F1);  // input is handled in order: once this notice shows, the A before it has been handled
  ExpectNotice("Could not find help file");
  EXPECT_EQ(app_.SelectedRows(), (std::vector<int>{1, 3})) << "A alone selects nothing";
  Sleep(1000);  // the list forgets the letters typed before a pause
  PressKey('C');
  EXPECT_TRUE(WaitUntil([&] { return app_.SelectedRows() == std::vector<int>{1}; })) << "C alone goes to Caf\xC3\xA9.gba";
  EXPECT_EQ(ClipboardText(CF_UNICODETEXT), table) << "C alone copies nothing";
}

// Drawn as glyphs, not as the box drawn for a character no font has (U+0378, of no script). Emoji are not
// checked: Wine 8 draws every character outside the 16-bit plane as that box, in any font.
TEST_F(Names, JapaneseAndPolishNamesAreDrawnAsGlyphs) {
  const std::string kInNoFont = "\xCD\xB8";
  StartWithRows({MakeRom("\xE3\x83\x9D\xE3\x82\xB1\xE3\x83\xA2\xE3\x83\xB3.gba"),  // Japanese
                 MakeRom(kInNoFont + kInNoFont + kInNoFont + kInNoFont + ".gba"),
                 MakeRom("\xC5\x81\xC3\xB3\x64\xC5\xBA.gba"), MakeRom(kInNoFont + "\xC3\xB3\x64\xC5\xBA.gba")});
  ASSERT_TRUE(app_.Sync());
  auto cellOnScreen = [this](int row) {
    RECT cell = app_.ItemRect(row, LVIR_LABEL);
    MapWindowPoints(app_.List(), nullptr, reinterpret_cast<POINT*>(&cell), 2);
    InflateRect(&cell, -2, -2);  // inside a focus rectangle
    return quarvel::testing::ReadScreenPixels(cell);
  };
  EXPECT_NE(cellOnScreen(0), cellOnScreen(1)) << "the Japanese name is drawn as characters no font has";
  EXPECT_NE(cellOnScreen(2), cellOnScreen(3)) << "\"\xC5\x81\" is drawn as a character no font has";
  EXPECT_TRUE(app_.Screenshot("e2e_names_drawn_as_glyphs", {app_.MainWindow()}));
}

}  // namespace
}  // namespace e2e
