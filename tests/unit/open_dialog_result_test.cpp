#include "romlist/open_dialog_result.h"

#include <gtest/gtest.h>

#include <string>

namespace quarvel {
namespace {

using Paths = std::vector<std::string>;

Paths Parse(const std::string& buffer, size_t nameOffset) {
  return ParseOpenDialogResult(buffer.data(), buffer.size(), nameOffset);
}

TEST(OpenDialogResult, OneChosenFileIsOneFullPath) {
  std::string buffer("C:\\roms\\a.gba\0\0", 15);
  EXPECT_EQ(Parse(buffer, 8), Paths{"C:\\roms\\a.gba"});
}

TEST(OpenDialogResult, SeveralFilesAreJoinedToTheirFolderInTheDialogsOrder) {
  std::string buffer("C:\\roms\0b.gba\0a.gba\0c d.agb\0\0", 29);
  EXPECT_EQ(Parse(buffer, 8), (Paths{"C:\\roms\\b.gba", "C:\\roms\\a.gba", "C:\\roms\\c d.agb"}));
}

TEST(OpenDialogResult, FolderInADriveRootGetsNoSecondSeparator) {
  std::string buffer("C:\\\0a.gba\0b.gba\0\0", 17);
  EXPECT_EQ(Parse(buffer, 4), (Paths{"C:\\a.gba", "C:\\b.gba"}));
}

TEST(OpenDialogResult, ANameThatIsAFullPathIsTakenUnchanged) {
  std::string buffer("C:\\roms\0D:\\other\\x.gba\0a.gba\0\0", 30);
  EXPECT_EQ(Parse(buffer, 8), (Paths{"D:\\other\\x.gba", "C:\\roms\\a.gba"}));
}

TEST(OpenDialogResult, NeverReadsPastTheBufferWhenItsZerosAreMissing) {
  std::string buffer("C:\\roms\0a.gba\0bbbb", 18);  // no final zeros
  EXPECT_EQ(Parse(buffer, 8), (Paths{"C:\\roms\\a.gba", "C:\\roms\\bbbb"}));
  EXPECT_EQ(Parse(std::string("abc", 3), 0), Paths{"abc"});
  EXPECT_EQ(Parse(std::string("abc", 3), 99), Paths{"abc"});
  EXPECT_TRUE(ParseOpenDialogResult("", 0, 0).empty());
}

}  // namespace
}  // namespace quarvel
