// Adding ROM files through the real open dialog.
#include "tests/e2e/e2e_fixture.h"

namespace e2e {
namespace {

using AddFiles = E2eTest;

TEST_F(AddFiles, OneFileFillsItsColumns) {
  // 18 name bytes with no zero among them: the name is all 18.
  std::string rom = MakeRom("first.gba", "EIGHTEEN-BYTE-NAME", 4096);
  ASSERT_TRUE(app_.Start()) << app_.Problem();
  ASSERT_TRUE(app_.AddFiles({rom}, 1)) << app_.Problem();
  EXPECT_EQ(app_.Row(0), (std::vector<std::string>{"first.gba", "EIGHTEEN-BYTE-NAME", roms_.Path(), "4096", ""}));
  EXPECT_EQ(app_.Cell(0, kDirectory).back(), '\\');
}

TEST_F(AddFiles, FourChosenWithOneListedAlreadyAddsThreeInOrder) {
  std::string a = MakeRom("a.gba", "GAME A", 1000);
  std::string b = MakeRom("b.gba", "GAME B", 2000);
  std::string c = MakeRom("c.gba", "GAME C", 3000);
  std::string d = MakeRom("d.gba", "GAME D", 4000);
  ASSERT_TRUE(app_.Start()) << app_.Problem();
  ASSERT_TRUE(app_.AddFiles({b}, 1)) << app_.Problem();

  ASSERT_TRUE(app_.AddFiles({a, b, c, d}, 4)) << app_.Problem();
  EXPECT_TRUE(app_.Sync());
  EXPECT_EQ(app_.Rows(), (std::vector<std::vector<std::string>>{
                             {"b.gba", "GAME B", roms_.Path(), "2000", ""},
                             {"a.gba", "GAME A", roms_.Path(), "1000", ""},
                             {"c.gba", "GAME C", roms_.Path(), "3000", ""},
                             {"d.gba", "GAME D", roms_.Path(), "4000", ""},
                         }));
}

// 300 names of 80 Japanese characters: some 27,000 characters, but 75,000 bytes in UTF-8.
TEST_F(AddFiles, ThreeHundredLongNamesInOneChoiceAreAllAdded) {
  std::string japanese;
  for (int i = 0; i < 80; ++i) japanese += "\xE3\x83\x9D";
  std::vector<std::string> paths;
  for (int i = 0; i < 300; ++i) paths.push_back(MakeRom(std::to_string(1000 + i) + japanese + ".gba"));
  ASSERT_TRUE(app_.Start()) << app_.Problem();
  ASSERT_TRUE(app_.AddFiles(paths, 300)) << app_.Problem();
  EXPECT_EQ(app_.Cell(299, kFileName), "1299" + japanese + ".gba");
}

// The dialog opens in its place and keeps its file type and first chosen path for the next time; a cancel changes
// neither.
TEST_F(AddFiles, TheDialogRemembersItsFileTypeAndFirstPathButNotACancel) {
  std::string first = MakeRom("first.gba"), second = MakeRom("second.gba");
  ASSERT_TRUE(app_.Start()) << app_.Problem();
  ASSERT_TRUE(app_.ChooseFromMenu('F', 'A')) << "the File menu did not open";
  HWND dialog = app_.WaitForOpenDialog();
  ASSERT_NE(dialog, nullptr);
  // The system's current dialog: a hook procedure, which brings back the old one, would have a dialog of its own
  // inside it. It is centred across the work area, its top a third down the free height.
  EXPECT_EQ(FindDescendant(dialog, "#32770"), nullptr) << "a hook procedure's dialog";
  RECT frame{}, work{};
  GetWindowRect(dialog, &frame);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR(frame.left + frame.right, work.left + work.right, 1);
  EXPECT_NEAR(frame.top - work.top, (work.bottom - work.top - (frame.bottom - frame.top)) / 3, 1);
  EXPECT_EQ(app_.OpenDialogFilter(dialog), 0);
  app_.SetOpenDialogFilter(dialog, 1);
  ASSERT_TRUE(app_.ChooseIn(dialog, roms_.Path(), "\"first.gba\" \"second.gba\"")) << app_.Problem();
  ASSERT_TRUE(WaitUntil([&] { return app_.RowCount() == 2; }));
  for (const char* time : {"second time", "after a cancel"}) {
    app_.ClickButton(IDC_BUTTON_ADD);
    ASSERT_NE(dialog = app_.WaitForOpenDialog(), nullptr) << time;
    EXPECT_EQ(app_.OpenDialogFilter(dialog), 1) << time;
    EXPECT_EQ(_stricmp(app_.OpenDialogFilePath(dialog).c_str(), first.c_str()), 0)
        << time << ": " << app_.OpenDialogFilePath(dialog);
    app_.SetOpenDialogFilter(dialog, 0);
    app_.PressDialogButton(dialog, IDCANCEL);
    // Hidden, the dialog still runs its own loop until it is destroyed; a click made before then would be
    // handled inside it and open the next dialog while this one ends.
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  }
}

TEST_F(AddFiles, ShortFileAndZeroInTheName) {
  std::string tiny = MakeRom("tiny.gba", "", 100);  // ends before the name
  std::string zero = MakeRom("zero.agb", std::string("AB\0CD", 5), 512);
  ASSERT_TRUE(app_.Start()) << app_.Problem();
  ASSERT_TRUE(app_.AddFiles({tiny, zero}, 2)) << app_.Problem();
  EXPECT_EQ(app_.Row(0), (std::vector<std::string>{"tiny.gba", "", roms_.Path(), "100", ""}));
  EXPECT_EQ(app_.Row(1), (std::vector<std::string>{"zero.agb", "AB", roms_.Path(), "512", ""}));
}

TEST_F(AddFiles, FileInUseIsReportedAndNotListed) {
  std::string rom = MakeRom("busy.gba");
  ASSERT_TRUE(app_.Start()) << app_.Problem();
  LockedFile lock(rom);
  ASSERT_TRUE(lock.Locked());
  ASSERT_TRUE(app_.ChooseInOpenDialog("", rom)) << app_.Problem();

  HWND report = nullptr;
  EXPECT_EQ(WaitForFailureReport(&report),
            "Cannot open file \"" + rom + "\". " + SystemText(ERROR_SHARING_VIOLATION) + ".");
  ASSERT_NE(report, nullptr);
  EXPECT_TRUE(app_.Screenshot("e2e_failure_report_file_in_use", {report}));
  EXPECT_TRUE(app_.Acknowledge(report));
  EXPECT_EQ(app_.RowCount(), 0);
}

// Another program that reads, reads and writes, or may delete a ROM while letting others at it does not keep it out.
TEST_F(AddFiles, FilesOpenInAnotherProgramThatSharesThemAreListed) {
  std::string read = MakeRom("read.gba", "HELD FOR READING", 2048);
  std::string written = MakeRom("written.gba", "HELD FOR WRITING", 4096);
  std::string deletable = MakeRom("deletable.gba", "HELD FOR DELETING", 512);
  LockedFile reader(read, GENERIC_READ, FILE_SHARE_READ);
  LockedFile writer(written, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
  LockedFile deleter(deletable, GENERIC_READ | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
  ASSERT_TRUE(reader.Locked() && writer.Locked() && deleter.Locked());
  ASSERT_TRUE(app_.Start()) << app_.Problem();
  ASSERT_TRUE(app_.AddFiles({read, written, deletable}, 3)) << app_.Problem();
  EXPECT_EQ(app_.Rows(), (std::vector<std::vector<std::string>>{
                             {"read.gba", "HELD FOR READING", roms_.Path(), "2048", ""},
                             {"written.gba", "HELD FOR WRITING", roms_.Path(), "4096", ""},
                             {"deletable.gba", "HELD FOR DELETING", roms_.Path(), "512", ""},
                         }));
}

TEST_F(AddFiles, MissingFileTypedIsReported) {
  ASSERT_TRUE(app_.Start()) << app_.Problem();
  std::string missing = roms_ / "missing.gba";
  ASSERT_TRUE(app_.ChooseInOpenDialog("", missing)) << app_.Problem();
  std::string text = WaitForFailureReport();
  EXPECT_EQ(text, "Cannot open file \"" + missing + "\". " + SystemText(ERROR_FILE_NOT_FOUND) + ".");
  EXPECT_TRUE(app_.Acknowledge(app_.FindTopWindow("Quarvel Front-End")));
  EXPECT_EQ(app_.RowCount(), 0);
}

}  // namespace
}  // namespace e2e
