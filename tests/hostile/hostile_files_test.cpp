// Hostile files dropped on the ROM list: each ends in a clear failure report or a sound row, and what
// was listed before stays listed.
#include <gtest/gtest.h>

#include "romlist/path_text.h"
#include "romlist/rom_file.h"
#include "tests/hostile/hostile_support.h"

#include <winioctl.h>

namespace quarvel::testing {
namespace {

class HostileFiles : public MainWindowTest {
 protected:
  void Drop(const std::vector<std::string>& paths) { DropOnList(window_, paths); }
  // The report for a file that cannot be opened: the path as given, then the system's text.
  static std::string CannotOpen(const std::string& path, DWORD error) {
    return "Cannot open file \"" + path + "\". " + SystemText(error);
  }
  static bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }
  // Runs "Test" on every row with the stand-in answering 0, recording each run.
  void TestAll() {
    DeleteFileA(record_.c_str());
    window_.Command(IDC_BUTTON_TEST);
  }

  std::string record_ = window_.appDir() / "record.txt";
  ScopedEnvironment recording_{"QUARVEL_STANDIN_RECORD", record_};
  ScopedEnvironment allOk_{"QUARVEL_STANDIN_EXIT", "0"};
};

TEST_F(HostileFiles, AnEmptyFileIsListedWithNoGameNameAndSizeZero) {
  Drop({Rom("empty.gba", "", 0)});
  ASSERT_EQ(window_.RowCount(), 1);
  EXPECT_EQ(window_.Cell(0, 0), "empty.gba");
  EXPECT_EQ(window_.Cell(0, 1), "");
  EXPECT_EQ(window_.Cell(0, 3), "0");
  EXPECT_TRUE(Failures().empty());
  TestAll();
  EXPECT_EQ(window_.Cell(0, 4), "OK");
}

TEST_F(HostileFiles, FilesShorterThanTheHeaderShowTheBytesTheyHaveAndTheirSize) {
  const std::string header = "ABCDEFGHIJKLMNOPQR";
  const size_t sizes[] = {1, 159, 160, 161, 170, 177, 178};
  std::vector<std::string> paths;
  for (size_t size : sizes) paths.push_back(Rom("short" + std::to_string(size) + ".gba", header, size));
  Drop(paths);
  ASSERT_EQ(window_.RowCount(), 7);
  EXPECT_TRUE(Failures().empty());
  for (int row = 0; row < 7; ++row) {
    size_t size = sizes[row];
    EXPECT_EQ(window_.Cell(row, 1), header.substr(0, size > 160 ? size - 160 : 0)) << size;
    EXPECT_EQ(window_.Cell(row, 3), std::to_string(size));
  }
}

// Makes a sparse file of the given size with the header at offset 160; false when the disk would fill.
bool MakeSparseFile(const std::string& path, uint64_t size, const std::string& header) {
  ULARGE_INTEGER freeBefore{}, freeAfter{};
  GetDiskFreeSpaceExA(path.substr(0, 3).c_str(), &freeBefore, nullptr, nullptr);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD returned = 0;
  DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
  SetFilePointer(file, 160, nullptr, FILE_BEGIN);
  DWORD written = 0;
  WriteFile(file, header.data(), static_cast<DWORD>(header.size()), &written, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  bool sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  CloseHandle(file);
  GetDiskFreeSpaceExA(path.substr(0, 3).c_str(), &freeAfter, nullptr, nullptr);
  bool sparse = freeBefore.QuadPart < freeAfter.QuadPart + (256ull << 20);
  if (!sized || !sparse) DeleteFileA(path.c_str());
  return sized && sparse;
}

TEST_F(HostileFiles, FilesOfFourGibibytesAndMoreShowTheirSizeModulo2To32) {
  const uint64_t kFour = 1ull << 32;
  struct Case {
    const char* name;
    uint64_t size;
    const char* shown;
  } cases[] = {{"exactly4g.gba", kFour, "0"},
               {"over4g.gba", kFour + 1234, "1234"},
               {"five-g.gba", kFour + (1ull << 30) + 7, "1073741831"},
               {"under4g.gba", kFour - 1, "4294967295"}};
  std::vector<std::string> paths;
  for (const Case& c : cases) {
    std::string path = window_.roms() / c.name;
    if (!MakeSparseFile(path, c.size, std::string("BIGGAME\0\0\0\0\0BIGE01", 18))) GTEST_SKIP() << "no sparse files on this disk";
    paths.push_back(path);
  }
  Drop(paths);
  EXPECT_TRUE(Failures().empty());
  ASSERT_EQ(window_.RowCount(), 4);
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(window_.Cell(row, 1), "BIGGAME") << cases[row].name;
    EXPECT_EQ(window_.Cell(row, 3), cases[row].shown) << cases[row].name;
  }
  TestAll();
  for (int row = 0; row < 4; ++row) EXPECT_EQ(window_.Cell(row, 4), "OK");
  for (const std::string& path : paths) DeleteFileA(path.c_str());
}

TEST_F(HostileFiles, AFolderIsReportedAndTheRowsBeforeItStay) {
  std::string before = Rom("before.gba");
  std::string folder = window_.roms() / "a folder.gba";
  CreateDirectoryA(folder.c_str(), nullptr);
  Drop({before, folder, Rom("after.gba")});
  ASSERT_EQ(Failures().size(), 1u);
  EXPECT_TRUE(StartsWith(Failures()[0], "Cannot open file \"" + folder + "\". ")) << Failures()[0];
  EXPECT_EQ(window_.RowCount(), 1);
  EXPECT_EQ(window_.Cell(0, 0), "before.gba");
}

TEST_F(HostileFiles, AMissingPathIsReportedWithTheSystemsText) {
  std::string listed = Rom("listed.gba");
  Drop({listed});
  std::string missing = window_.roms() / "no such folder\\missing.gba";
  Drop({missing});
  ASSERT_EQ(Failures().size(), 1u);
  EXPECT_EQ(Failures()[0], CannotOpen(missing, ERROR_PATH_NOT_FOUND));
  std::string gone = window_.roms() / "gone.gba";
  Drop({gone});
  ASSERT_EQ(Failures().size(), 2u);
  EXPECT_EQ(Failures()[1], CannotOpen(gone, ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(SystemText(ERROR_FILE_NOT_FOUND).empty());
  EXPECT_EQ(window_.RowCount(), 1) << "the row listed before stays";
}

// Paths of MAX_PATH characters and more are listed and reach the tool whole, though the single-byte file
// functions refuse them; a missing one is reported with its whole path.
// Paths of MAX_PATH characters and more are listed whole; the tool, which could not open them, gets their short forms.
TEST_F(HostileFiles, PathsPastMaxPathAreListedAndReachTheToolByTheirShortForms) {
  std::vector<std::string> paths;
  for (size_t length : {MAX_PATH - 1, MAX_PATH, MAX_PATH + 1, 300, 1100}) {
    paths.push_back(MakeNestedPath(window_.roms().path(), length, "long" + std::to_string(length) + ".gba"));
    ASSERT_EQ(paths.back().size(), length);
    ASSERT_TRUE(WriteRomW(Widen(paths.back()), "LONGPATH")) << length;
  }
  Drop(paths);
  ASSERT_TRUE(Failures().empty()) << Failures()[0];
  ASSERT_EQ(window_.RowCount(), 5);
  for (size_t row = 0; row < paths.size(); ++row) {
    EXPECT_EQ(window_.Cell(static_cast<int>(row), 0), "long" + std::to_string(paths[row].size()) + ".gba");
    EXPECT_EQ(window_.Cell(static_cast<int>(row), 1), "LONGPATH");
    EXPECT_EQ(window_.form().Rows().Row(row).FullPath(), paths[row]);
  }
  TestAll();
  EXPECT_EQ(window_.Column(4), std::vector<std::string>(5, "OK"));
  std::vector<std::string> handed{paths[0]}, ids;
  for (size_t row = 1; row < paths.size(); ++row) handed.push_back(ShortPathOf(paths[row]));
  for (const std::string& path : paths) ids.push_back(FileIdOf(path));
  EXPECT_EQ(RecordedRoms(record_), handed);
  EXPECT_EQ(RecordedFileIds(record_), ids);

  std::string missing = paths.back().substr(0, paths.back().rfind('\\') + 1) + "gone.gba";
  Drop({missing});
  ASSERT_EQ(Failures().size(), 1u);
  EXPECT_EQ(Failures()[0], CannotOpen(missing, ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(window_.RowCount(), 5);
}

TEST_F(HostileFiles, NamesWithSpacesReachTheToolWhole) {
  // Windows drops trailing spaces from names, so only leading and inner ones are kept.
  std::string folder = window_.roms() / " a  folder";
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string path = folder + "\\ my  game  with spaces.gba";
  WriteRom(path, "SPACES");
  Drop({path});
  ASSERT_TRUE(Failures().empty()) << Failures()[0];
  ASSERT_EQ(window_.RowCount(), 1);
  EXPECT_EQ(window_.Cell(0, 0), " my  game  with spaces.gba");
  EXPECT_EQ(window_.Cell(0, 2), folder + "\\");
  TestAll();
  EXPECT_EQ(window_.Cell(0, 4), "OK");
  EXPECT_EQ(RecordedRoms(record_), std::vector<std::string>{path});
}

TEST_F(HostileFiles, ANonAsciiLetterOfTheCodePageReachesTheToolIntact) {
  // e with acute accent: byte 0xE9 in code page 1252; whatever the code page, its own byte(s) for it.
  const std::wstring wideName = L"caf\u00e9 \u00e9t\u00e9.gba";
  BOOL lossy = FALSE;
  char name[64] = {};
  int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wideName.c_str(), -1, name, sizeof(name), nullptr, &lossy);
  if (length <= 0 || lossy) GTEST_SKIP() << "code page " << GetACP() << " has no e with acute accent";
  if (GetACP() == 1252) {
    ASSERT_EQ(static_cast<unsigned char>(name[3]), 0xE9);
  }
  std::string path = window_.roms() / name;
  ASSERT_TRUE(WriteRomW(Widen(window_.roms().path()) + wideName, "CAF\xC9"));
  Drop({path});
  ASSERT_TRUE(Failures().empty()) << Failures()[0];
  ASSERT_EQ(window_.RowCount(), 1);
  EXPECT_EQ(window_.Cell(0, 0), name);
  EXPECT_EQ(window_.Cell(0, 1), "CAF\xC9") << "header bytes above 127 are shown as they are";
  TestAll();
  EXPECT_EQ(window_.Cell(0, 4), "OK");
  std::vector<std::string> roms = RecordedRoms(record_);
  ASSERT_EQ(roms.size(), 1u);
  EXPECT_EQ(roms[0], path) << "the same bytes reached the tool";
  EXPECT_TRUE(FileExists(roms[0])) << "the tool can open what it was given";
}

TEST_F(HostileFiles, OneFileSpelledInTwoLetterCasesIsListedOnce) {
  std::string path = Rom("Quiz.GBA");
  std::string other = AsciiUpper(window_.roms().path()) + "quiz.gba";
  Drop({path, other, window_.roms() / "QUIZ.gba"});
  EXPECT_TRUE(Failures().empty());
  ASSERT_EQ(window_.RowCount(), 1);
  EXPECT_EQ(window_.Cell(0, 0), "Quiz.GBA") << "the first spelling is kept";
  window_.Choose({AsciiUpper(path)});
  EXPECT_EQ(window_.RowCount(), 1) << "nor by the Add dialog";
}

TEST_F(HostileFiles, TenThousandCopiesOfOneFileInOneDropGiveOneRow) {
  // What the drop costs is measured by bench/inprocess_bench.cpp ("10000 copies of one file").
  Drop(std::vector<std::string>(10000, Rom("once.gba", "ONCE")));
  EXPECT_TRUE(Failures().empty());
  ASSERT_EQ(window_.RowCount(), 1);
  EXPECT_EQ(window_.Cell(0, 1), "ONCE");
}

}  // namespace
}  // namespace quarvel::testing
