// Starting the program, with and without the tool beside it, and with a stranger's DLL beside it.
#include "tests/e2e/e2e_fixture.h"
#include "tests/support/scoped_user_value.h"

namespace e2e {
namespace {

using StartUp = E2eTest;

TEST_F(StartUp, WithTheToolShowsAnEmptyWindowAndNoMessage) {
  ASSERT_TRUE(app_.Start()) << app_.Problem();
  app_.Settle();
  EXPECT_EQ(app_.OpenDialogs().size(), 0u);
  EXPECT_EQ(TextOf(app_.MainWindow()), "Quarvel Front-End v1.1");
  EXPECT_EQ(ClassNameOf(app_.MainWindow()), "TFormMain");
  EXPECT_EQ(app_.RowCount(), 0);
  EXPECT_EQ(app_.StatusText(), "");
  EXPECT_EQ(app_.ColumnHeaders(),
            (std::vector<std::string>{"File Name", "Game Name", "Directory Path", "Size", "Result"}));
  EXPECT_TRUE(app_.Screenshot("e2e_start_up", {app_.MainWindow()}));
}

TEST_F(StartUp, WithoutTheToolReportsItOnceThenWorks) {
  LaunchOptions options;
  options.withTool = false;
  ASSERT_TRUE(app_.Launch(options)) << app_.Problem();

  HWND report = nullptr;
  EXPECT_EQ(WaitForFailureReport(&report), "Could not find \"Quarvel\" application.");
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(ClassNameOf(GetWindow(report, GW_OWNER)), MAIN_WINDOW_CLASS) << "owned by the main window";
  // The report comes before the main window shows.
  for (HWND window : app_.TopWindows()) EXPECT_NE(ClassNameOf(window), MAIN_WINDOW_CLASS);
  EXPECT_TRUE(app_.Screenshot("e2e_failure_report_missing_tool", {report}));
  EXPECT_TRUE(app_.Acknowledge(report));

  ASSERT_NE(app_.WaitForMainWindow(), nullptr);
  app_.Settle();
  EXPECT_EQ(app_.OpenDialogs().size(), 0u) << "only one report is expected";

  std::string rom = MakeRom("alone.gba", "LONE GAME", 2048);
  ASSERT_TRUE(app_.AddFiles({rom}, 1)) << app_.Problem();
  EXPECT_EQ(app_.Row(0), (std::vector<std::string>{"alone.gba", "LONE GAME", roms_.Path(), "2048", ""}));
}

TEST_F(StartUp, FileExitEndsTheProgram) {
  ASSERT_TRUE(app_.Start()) << app_.Problem();
  app_.PostCommand(IDM_FILE_EXIT);
  EXPECT_TRUE(WaitUntil([&] { return !app_.Running(); }));
}

// The program often lies among downloaded files: a DLL of a system DLL's name planted beside it must not
// run in it, though Wine prefers a DLL found on the search path for that name (set per program: Wine reads
// WINEDLLOVERRIDES from the Unix environment a program inherits from its starter). Wine looks up its own
// DLLs' delayed imports on the path fixed at start-up, whatever the program asks for, so the test has the
// program load the DLL by name as the system's code in it would.
TEST_F(StartUp, ADllPlantedBesideTheProgramIsNotLoaded) {
  ScopedUserValue preferFound("Software\\Wine\\AppDefaults\\QuarvelFE.exe\\DllOverrides", "dwmapi", "native,builtin");
  ASSERT_TRUE(preferFound.Set());
  LaunchOptions planted;
  planted.besideProgram = {"planted\\dwmapi.dll"};
  ASSERT_TRUE(app_.Start(planted)) << app_.Problem();
  std::string record = app_.AppDir() + "dwmapi.dll.loaded";
  app_.ClickButton(IDC_BUTTON_ADD);
  HWND dialog = app_.WaitForOpenDialog();
  ASSERT_NE(dialog, nullptr) << "the Add dialog did not open";
  std::string loaded = LoadLibraryIn(ProcessOf(dialog), "dwmapi.dll");
  EXPECT_FALSE(loaded.empty()) << "dwmapi.dll was not loaded at all";
  EXPECT_NE(AsciiUpper(loaded), AsciiUpper(app_.AppDir() + "dwmapi.dll")) << "loaded from beside the program";
  EXPECT_FALSE(FileExists(record)) << "the planted dwmapi.dll ran in the program";
  app_.PressDialogButton(dialog, IDCANCEL);
  EXPECT_TRUE(app_.WaitGone(dialog));
}

}  // namespace
}  // namespace e2e
