#include "romlist/path_text.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/app_dir.h"
#include "app/help_place.h"
#include "romlist/header_text.h"

namespace quarvel {
namespace {

TEST(PathText, UpperCasesOnlyTheLettersAToZ) {
  EXPECT_EQ(UpperAZ("c:\\roms\\game.gba"), "C:\\ROMS\\GAME.GBA");
  EXPECT_EQ(UpperAZ("a:\\zz\\quiz.gba"), "A:\\ZZ\\QUIZ.GBA") << "both ends of the range";
  // Letters of the code page beyond a to z (e acute is 0xE9 in 1252) stay as they are.
  EXPECT_EQ(UpperAZ("caf\xe9.gba"), "CAF\xe9.GBA");
  EXPECT_EQ(UpperAZ("[`{@~]"), "[`{@~]");
}

TEST(PathText, SplitsDirectoryWithItsSeparatorAndFileName) {
  EXPECT_EQ(DirectoryPart("C:\\roms\\a.gba"), "C:\\roms\\");
  EXPECT_EQ(FileNamePart("C:\\roms\\a.gba"), "a.gba");
  EXPECT_EQ(DirectoryPart("C:\\a.gba"), "C:\\");
  EXPECT_EQ(DirectoryPart("C:a.gba"), "C:");
  EXPECT_EQ(FileNamePart("C:a.gba"), "a.gba");
  EXPECT_EQ(DirectoryPart("a.gba"), "");
  EXPECT_EQ(FileNamePart("\\\\server\\share\\My Games\\b c.agb"), "b c.agb");
  EXPECT_EQ(DirectoryPart("D:\\roms\\"), "D:\\roms\\");
  EXPECT_EQ(FileNamePart("D:\\roms\\"), "");
}

TEST(PathText, AppDirOfAnExecutableKeepsItsSeparatorEvenInADriveRoot) {
  EXPECT_EQ(AppDirFromModulePath("C:\\Tools\\fe.exe"), "C:\\Tools\\");
  EXPECT_EQ(AppDirFromModulePath("C:\\fe.exe"), "C:\\");
}

// The help viewer shows a blank page for a help file marked as from the Internet (zone 3) or restricted sites (4),
// for one on another computer, and for a path with a "#" in it.
TEST(PathText, TellsWhyTheHelpViewerWouldShowABlankPage) {
  EXPECT_EQ(ZoneOfMark("[ZoneTransfer]\r\nZoneId=3\r\nReferrerUrl=https://example.org/\r\n"), 3);
  EXPECT_EQ(ZoneOfMark("[Other]\nZoneId=4\n[zonetransfer]\n  zoneid=4"), 4) << "only in its section, any case";
  EXPECT_EQ(ZoneOfMark(std::string("\xFF\xFE[\0Z\0o\0n\0e\0T\0r\0a\0n\0s\0f\0e\0r\0]\0\r\0\n\0Z\0o\0n\0e\0I\0d\0=\0"
                                   "3\0", 50)), 3) << "UTF-16";
  EXPECT_EQ(ZoneOfMark("[ZoneTransfer]\r\nZoneId="), -1);
  const std::string help = "C:\\Users\\Ann\\Documents\\fe\\quarvel.chm";
  EXPECT_EQ(WhyHelpWouldBeBlank(help, "", false), BlankHelp::None);
  EXPECT_EQ(WhyHelpWouldBeBlank(help, "[ZoneTransfer]\nZoneId=2", false), BlankHelp::None) << "trusted sites";
  EXPECT_EQ(WhyHelpWouldBeBlank(help, "[ZoneTransfer]\nZoneId=3", false), BlankHelp::FromTheInternet);
  EXPECT_EQ(WhyHelpWouldBeBlank(help, "[ZoneTransfer]\nZoneId=4", true), BlankHelp::FromTheInternet);
  EXPECT_EQ(WhyHelpWouldBeBlank(help, "", true), BlankHelp::OnTheNetwork);
  EXPECT_EQ(WhyHelpWouldBeBlank("\\\\nas\\games\\fe\\quarvel.chm", "", false), BlankHelp::OnTheNetwork);
  EXPECT_EQ(WhyHelpWouldBeBlank("C:\\C# tools\\quarvel.chm", "", false), BlankHelp::HashInPath);
  EXPECT_EQ(DriveRootOf(help), "C:\\");
}

TEST(PathText, JoinsFolderAndNameWithOneSeparator) {
  EXPECT_EQ(JoinPath("C:\\roms", "a.gba"), "C:\\roms\\a.gba");
  EXPECT_EQ(JoinPath("C:\\", "a.gba"), "C:\\a.gba");
  EXPECT_EQ(JoinPath("C:\\roms\\", "a.gba"), "C:\\roms\\a.gba");
}

TEST(PathText, RecognisesFullPaths) {
  EXPECT_TRUE(IsFullPath("C:\\a.gba"));
  EXPECT_TRUE(IsFullPath("\\\\server\\share\\a.gba"));
  EXPECT_FALSE(IsFullPath("a.gba"));
  EXPECT_FALSE(IsFullPath("C:a.gba"));
}

TEST(PathText, FileNameRuleRefusesWhatWindowsForbidsOrTakesForADeviceAndTakesTheRest) {
  for (const char* good : {"My Game (E).gba", "caf\xe9.gba", "CONSOLE.gba", "com10.gba", "LPT.gba", "COM0", "aux-1.gba",
                           "x.CON", ".gba", "a.b.gba"})
    EXPECT_EQ(FileNameFaultOf(good), FileNameFault::None) << good;
  for (const char* bad : {"", "a\"b.gba", "a\\b", "a/b", "c:d", "a*b", "a?b", "a<b", "a>b", "a|b", "tab\there"})
    EXPECT_EQ(FileNameFaultOf(bad), FileNameFault::ForbiddenCharacter) << bad;
  for (const char* bad : {".", "..", "a.gba.", "a.gba ", " "})
    EXPECT_EQ(FileNameFaultOf(bad), FileNameFault::DotOrSpaceAtEnd) << bad;
  for (const char* device : {"CON", "con", "Nul", "PRN.gba", "aux.txt", "CON.tar.gz", "COM1", "com9.gba", "LPT1",
                             "lpt9.gba", "CON .gba", "conin$", "CONOUT$.gba"})
    EXPECT_EQ(FileNameFaultOf(device), FileNameFault::DeviceName) << device;
  EXPECT_EQ(FileNameFaultOf("COM\xC2\xB9.gba", LeadBytes::Utf8()), FileNameFault::DeviceName) << "superscript one";
  EXPECT_EQ(FileNameFaultOf("COM\xC2\xB9.gba"), FileNameFault::None) << "two characters of a single-byte page";
}

// Code page 932: lead bytes 0x81 to 0x9F and 0xE0 to 0xFC; 0x5C is '\\' and 0x7C '|' as single bytes.
LeadBytes CodePage932() {
  std::array<bool, 256> isLead{};
  for (int byte = 0x81; byte <= 0xFC; ++byte) isLead[byte] = byte <= 0x9F || byte >= 0xE0;
  return LeadBytes(isLead);
}

TEST(PathText, TwoByteCharactersWhoseSecondByteIsASeparatorStayWhole) {
  const LeadBytes cp932 = CodePage932();
  EXPECT_EQ(JoinPath("C:\\\x83\x5c", "a.gba", cp932), "C:\\\x83\x5c\\a.gba");
  EXPECT_EQ(DirectoryPart("C:\\\x83\x5c\\\x95\x5c.gba", cp932), "C:\\\x83\x5c\\");
  EXPECT_EQ(FileNamePart("C:\\roms\\\x95\x5c.gba", cp932), "\x95\x5c.gba");
  EXPECT_EQ(FileNameFaultOf("\x83\x7c\x95\x5c.gba", cp932), FileNameFault::None);
  EXPECT_EQ(FileNameFaultOf("\x83\x7c|.gba", cp932), FileNameFault::ForbiddenCharacter);
  EXPECT_EQ(UpperAZ("\x83\x61" "a", cp932), "\x83\x61" "A");
  EXPECT_TRUE(IsInsideFolder("C:\\\x83\x5c\\a.gba", "C:\\\x83\x5c", cp932));
  EXPECT_FALSE(IsInsideFolder("C:\\\x83\x5c\\a.gba", "C:\\\x83", cp932)) << "0x5C is the character's second byte";
}

// The user's temporary folder as Windows names it (often by its short form) against a path an archive program gave.
TEST(PathText, APathIsInsideAFolderOnlyPastOneOfItsSeparators) {
  const std::string temp = "C:\\Users\\Bob\\AppData\\Local\\Temp\\";
  EXPECT_TRUE(IsInsideFolder("c:\\users\\BOB\\AppData\\Local\\Temp\\Temp1_roms.zip\\a.gba", temp));
  EXPECT_TRUE(IsInsideFolder("C:\\Temp/a.gba", "C:\\Temp\\\\"));
  EXPECT_FALSE(IsInsideFolder("C:\\Temp2\\a.gba", "C:\\Temp"));
  EXPECT_FALSE(IsInsideFolder("C:\\Temp\\", "C:\\Temp")) << "the folder itself";
  EXPECT_FALSE(IsInsideFolder("C:\\a.gba", "\\")) << "no folder holds everything";
}

// Under UTF-8 no byte is a lead byte, but characters take two to four bytes, none of them below 0x80.
const std::string kPokemon = "\xE3\x83\x9D\xE3\x82\xB1\xE3\x83\xA2\xE3\x83\xB3";  // four characters
const std::string kLodz = "\xC5\x81\xC3\xB3" "d\xC5\xBA";                          // L stroke, o acute, d, z acute
const std::string kGamepad = "\xF0\x9F\x8E\xAE";                                      // outside the 16-bit plane

TEST(PathText, Utf8PathsSplitAndCompareAsTheirBytesDo) {
  const LeadBytes utf8 = LeadBytes::Utf8();
  std::string path = "C:\\" + kPokemon + "\\" + kLodz + kGamepad + ".gba";
  EXPECT_EQ(DirectoryPart(path, utf8), "C:\\" + kPokemon + "\\");
  EXPECT_EQ(FileNamePart(path, utf8), kLodz + kGamepad + ".gba");
  EXPECT_EQ(UpperAZ(path, utf8), "C:\\" + kPokemon + "\\\xC5\x81\xC3\xB3" "D\xC5\xBA" + kGamepad + ".GBA");
  EXPECT_EQ(FileNameFaultOf(kPokemon + kGamepad + ".gba", utf8), FileNameFault::None);
  EXPECT_EQ(FileNameFaultOf(kPokemon + "|.gba", utf8), FileNameFault::ForbiddenCharacter);
}

TEST(PathText, TextIsCutOnlyBetweenCharacters) {
  const LeadBytes utf8 = LeadBytes::Utf8();
  EXPECT_EQ(utf8.FitLength(kPokemon, 12), 12u);
  EXPECT_EQ(utf8.FitLength(kPokemon, 11), 9u);
  EXPECT_EQ(utf8.FitLength(kPokemon, 9), 9u);
  EXPECT_EQ(utf8.FitLength(kPokemon, 2), 0u);
  EXPECT_EQ(utf8.FitLength("a" + kGamepad, 4), 1u);
  EXPECT_EQ(utf8.FitLength(kLodz, 3), 2u);
  EXPECT_EQ(utf8.FitLength("\xC9\xC9\xC9", 2), 2u) << "bytes that are not UTF-8 are cut anywhere";
  EXPECT_EQ(CodePage932().FitLength("a\x83\x5c", 2), 1u) << "never between a lead byte and its second byte";
  EXPECT_EQ(LeadBytes().FitLength("abc", 2), 2u);
}

// Reads a path as GetModuleFileNameA does: whole when it fits with its zero, else cut at the buffer's end
// (Windows) or before the last whole character that fits (Wine under UTF-8, which returns less than the size).
TEST(PathText, AWholePathIsReadHoweverTheReaderCutsIt) {
  std::string path = "C:\\";
  for (int i = 0; i < 100; ++i) path += kPokemon;
  path += "\\fe.exe";
  for (bool cutBeforeCharacter : {false, true}) {
    std::string read = ReadWholePath([&](char* buffer, size_t size) {
      size_t length = path.size() < size ? path.size() : size;
      if (cutBeforeCharacter && length == size)
        for (--length; (static_cast<unsigned char>(path[length]) & 0xC0) == 0x80;) --length;
      std::copy_n(path.data(), length, buffer);
      if (length < size) buffer[length] = '\0';
      return length;
    });
    EXPECT_EQ(read, path) << (cutBeforeCharacter ? "cut before a character" : "cut at the end");
  }
}

TEST(HeaderText, ShowsTheHeaderBytesUpToTheFirstZero) {
  const char padded[18] = {'M', 'Y', ' ', 'G', 'A', 'M', 'E', 0, 0, 0, 0, 0, 'A', 'M', 'G', 'E', '0', '1'};
  EXPECT_EQ(GameNameFromBytes(padded, 18), "MY GAME");
  // A title that fills all twelve bytes runs on into the game code and maker code.
  EXPECT_EQ(GameNameFromBytes("TWELVELETTERAMGE01", 18), "TWELVELETTERAMGE01");
  // A short file gives only the bytes it has; longer input is cut at eighteen.
  EXPECT_EQ(GameNameFromBytes("SHORT", 3), "SHO");
  EXPECT_EQ(GameNameFromBytes("", 0), "");
  EXPECT_EQ(GameNameFromBytes("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 26), "ABCDEFGHIJKLMNOPQR");
}

}  // namespace
}  // namespace quarvel
