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
  EXPECT_EQ(RecordedRoms(roms_ / "record.txt"), paths);
  EXPECT_EQ(app_.Column(kResult), std::vector<std::string>(5, "OK"));
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
