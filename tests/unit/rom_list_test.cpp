#include "romlist/rom_list.h"

#include "romlist/rom_columns.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quarvel {
namespace {

// Reads nothing from disk: every file has the same facts, and the calls are counted.
struct FakeReader {
  int calls = 0;
  RomList::FactsReader reader() {
    return [this](const std::string&) {
      ++calls;
      return RomFileFacts{"GAME", 4096};
    };
  }
};

std::vector<std::string> Captions(const RomList& list) {
  std::vector<std::string> captions;
  for (size_t i = 0; i < list.Count(); ++i) captions.push_back(list.Row(i).caption);
  return captions;
}

TEST(RomList, AddFileFillsEveryColumnAndStartsWithoutResult) {
  RomList list;
  FakeReader fake;
  ASSERT_TRUE(list.AddFile("C:\\roms\\game.gba", fake.reader()));
  const RomRow& row = list.Row(0);
  EXPECT_EQ(row.caption, "game.gba");
  EXPECT_EQ(row.gameName, "GAME");
  EXPECT_EQ(row.directory, "C:\\roms\\");
  EXPECT_EQ(row.size, "4096");
  EXPECT_EQ(row.result, "");
  EXPECT_EQ(row.icon, kNoIcon);
  EXPECT_EQ(row.FullPath(), "C:\\roms\\game.gba");
}

TEST(RomList, SizeShowsTheLow32BitsUnsigned) {
  RomList list;
  list.AddFile("C:\\big.gba", [](const std::string&) { return RomFileFacts{"", 0xFFFFFFFFu}; });
  EXPECT_EQ(list.Row(0).size, "4294967295");
}

TEST(RomList, DuplicateRuleComparesAfterUpperCasingAToZOnly) {
  RomList list;
  FakeReader fake;
  list.AddFile("c:\\roms\\GAME.GBA", fake.reader());
  EXPECT_FALSE(list.AddFile("C:\\ROMS\\game.gba", fake.reader()));
  EXPECT_EQ(fake.calls, 1) << "a listed file is passed over without being opened";
  // Another form of the same path counts as another file.
  EXPECT_TRUE(list.AddFile("C:\\roms\\..\\roms\\game.gba", fake.reader()));
  // Letters beyond a to z are not folded: E acute and e acute differ.
  EXPECT_TRUE(list.AddFile("C:\\caf\xe9.gba", fake.reader()));
  EXPECT_TRUE(list.AddFile("C:\\CAF\xc9.gba", fake.reader()));
  EXPECT_EQ(list.Count(), 4u);
}

TEST(RomList, AFileThatCannotBeReadAddsNoRow) {
  RomList list;
  auto failing = [](const std::string&) -> RomFileFacts { throw std::runtime_error("cannot open"); };
  EXPECT_THROW(list.AddFile("C:\\missing.gba", failing), std::runtime_error);
  EXPECT_EQ(list.Count(), 0u);
  FakeReader fake;
  EXPECT_TRUE(list.AddFile("C:\\missing.gba", fake.reader())) << "the failed path must not count as listed";
}

TEST(RomList, RemoveKeepsTheOthersInOrderAndForgetsTheRemovedPaths) {
  RomList list;
  FakeReader fake;
  for (const char* name : {"a", "b", "c", "d", "e"}) list.AddFile(std::string("C:\\") + name + ".gba", fake.reader());
  list.Remove({3, 0, 2, 2});
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"b.gba", "e.gba"}));
  EXPECT_TRUE(list.AddFile("C:\\a.gba", fake.reader()));
  EXPECT_FALSE(list.AddFile("C:\\B.GBA", fake.reader()));
}

TEST(RomList, EditedCaptionIsThePathForLaterDuplicateChecks) {
  RomList list;
  FakeReader fake;
  list.AddFile("C:\\a.gba", fake.reader());
  list.AddFile("C:\\b.gba", fake.reader());
  list.SetCaption(0, "renamed.gba");
  EXPECT_TRUE(list.AddFile("C:\\a.gba", fake.reader()));
  EXPECT_FALSE(list.AddFile("C:\\RENAMED.gba", fake.reader()));
  // An edit may give two rows one path; removing one of them keeps the other listed.
  list.SetCaption(1, "renamed.gba");
  list.Remove({0});
  EXPECT_FALSE(list.AddFile("C:\\renamed.gba", fake.reader()));
  list.SetCaption(0, "");
  EXPECT_EQ(list.Row(0).FullPath(), "C:\\");
  EXPECT_TRUE(list.AddFile("C:\\renamed.gba", fake.reader()));
  // An edit that ends after its row was removed lands nowhere.
  EXPECT_FALSE(list.SetCaption(list.Count(), "late.gba"));
  EXPECT_FALSE(list.Contains("C:\\late.gba"));
}

TEST(RomList, TypeAheadFindsTheNextCaptionFromTheStartRowAndWrapsInAnyLetterCase) {
  RomList list;
  FakeReader fake;
  for (const char* path : {"C:\\a.gba", "C:\\Cb.gba", "C:\\d.bin", "C:\\c.agb"}) list.AddFile(path, fake.reader());
  EXPECT_EQ(list.FindCaptionPrefix("c", 0), 1u);
  EXPECT_EQ(list.FindCaptionPrefix("C", 2), 3u);
  EXPECT_EQ(list.FindCaptionPrefix("cB", 2), 1u) << "wraps round";
  EXPECT_EQ(list.FindCaptionPrefix("x", 0), std::nullopt);
}

TEST(RomList, ResultIsStoredAsGiven) {
  RomList list;
  FakeReader fake;
  list.AddFile("C:\\a.gba", fake.reader());
  list.SetResult(0, 4, "PATCHED");
  EXPECT_EQ(list.Row(0).icon, 4);
  EXPECT_EQ(list.Row(0).result, "PATCHED");
}

// Header bytes may hold a tab or a line break; copied rows keep one line each and five cells.
TEST(RomList, RowsAsTableGivesTheHeadersAndTheChosenRowsInTheirOrder) {
  RomList list;
  list.AddFile("C:\\roms\\a.gba", [](const std::string&) { return RomFileFacts{"TAB\tAND\r\nBREAK", 512}; });
  list.AddFile("D:\\b.gba", [](const std::string&) { return RomFileFacts{"B", 7}; });
  list.SetResult(1, 4, "PATCHED");
  EXPECT_EQ(RowsAsTable(list, {1, 0}),
            "File Name\tGame Name\tDirectory Path\tSize\tResult\r\n"
            "b.gba\tB\tD:\\\t7\tPATCHED\r\n"
            "a.gba\tTAB AND  BREAK\tC:\\roms\\\t512\t\r\n");
}

}  // namespace
}  // namespace quarvel
