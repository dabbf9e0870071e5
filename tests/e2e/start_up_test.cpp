// Starting the program, with and without the tool beside it.
#include "tests/e2e/e2e_fixture.h"

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

}  // namespace
}  // namespace e2e
