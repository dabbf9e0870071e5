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

#include "romlist/drop_list.h"

namespace quarvel {
namespace {

TEST(DropList, SplitsZeroTerminatedPathsInOrderAndStopsAtTheEmptyOne) {
  std::string block("C:\\b.gba\0C:\\a b.gba\0\0C:\\after.gba\0", 33);
  EXPECT_EQ(SplitZeroTerminatedList(block.data(), block.data() + block.size()),
            (std::vector<std::string>{"C:\\b.gba", "C:\\a b.gba"}));
  std::wstring wide(L"C:\\x.gba\0", 9);
  EXPECT_EQ(SplitZeroTerminatedList(wide.data(), wide.data() + wide.size()), std::vector<std::wstring>{L"C:\\x.gba"});
}

TEST(DropList, NeverReadsPastTheBlockWhenItsZerosAreMissing) {
  std::string block("C:\\a.gba\0C:\\cut", 15);
  EXPECT_EQ(SplitZeroTerminatedList(block.data(), block.data() + block.size()),
            (std::vector<std::string>{"C:\\a.gba", "C:\\cut"}));
  EXPECT_TRUE(SplitZeroTerminatedList(block.data(), block.data()).empty());
}

TEST(OpenDialogResult, AFailedDialogSaysWhyWithItsCode) {
  EXPECT_EQ(OpenDialogFailureText(0x3003),
            "Could not add files. The chosen names are too long together: choose fewer files at a time "
            "(dialog error 0x3003)");
  EXPECT_EQ(OpenDialogFailureText(0x3002), "Could not add files. A file name in the dialog is not valid (dialog error 0x3002)");
  EXPECT_EQ(OpenDialogFailureText(0xFFFF), "Could not add files. The dialog failed (dialog error 0xFFFF)");
}

}  // namespace
}  // namespace quarvel
