// The log, the help file and the About dialog.
#include "tests/e2e/e2e_fixture.h"
#include "tests/support/real_input.h"

namespace e2e {
namespace {

using Documents = E2eTest;

// Closes a viewer the program started and waits for its process to end.
bool CloseViewer(HWND viewer) {
  DWORD viewerId = 0;
  GetWindowThreadProcessId(viewer, &viewerId);
  HANDLE viewerProcess = OpenProcess(SYNCHRONIZE, FALSE, viewerId);
  PostMessageA(viewer, WM_CLOSE, 0, 0);
  if (!viewerProcess) return true;  // gone already
  bool ended = WaitForSingleObject(viewerProcess, kWaitMs) == WAIT_OBJECT_0;
  CloseHandle(viewerProcess);
  return ended;
}

TEST_F(Documents, ViewLogBeforeAnyBatchSaysThereIsNoLog) {
  ASSERT_TRUE(app_.Start()) << app_.Problem();
  app_.ClickButton(IDC_BUTTON_VIEW_LOG);
  ExpectNotice("Could not find log file", "e2e_notice_no_log");
  app_.PostCommand(IDM_TOOLS_VIEW_LOG);
  ExpectNotice("Could not find log file");
  EXPECT_TRUE(app_.ChildProcesses().empty());
}

TEST_F(Documents, F1WithoutAHelpFileSaysSo) {
  ASSERT_TRUE(app_.Start()) << app_.Problem();
  app_.PostKey(app_.List(), VK_F1);
  ExpectNotice("Could not find help file", "e2e_notice_no_help");
  app_.PostCommand(IDM_HELP_INDEX);
  ExpectNotice("Could not find help file");
}

// The log and the help file lie in the program's folder, whatever its name: here one of letters a to z
// and one of Japanese and Polish letters, outside code page 1252.
struct ProgramFolder {
  const char* label;
  const char* description;  // for the test's name
};
void PrintTo(const ProgramFolder& folder, std::ostream* out) { *out << folder.description; }

class DocumentsIn : public E2eTest, public ::testing::WithParamInterface<ProgramFolder> {
 protected:
  LaunchOptions InProgramFolder() const {
    LaunchOptions options;
    options.folderLabel = GetParam().label;
    options.withHelp = true;
    return options;
  }
};
INSTANTIATE_TEST_SUITE_P(ProgramFolders, DocumentsIn,
                         ::testing::Values(ProgramFolder{"app", "LettersAToZ"},
                                           ProgramFolder{"\xE3\x83\x9D\xE3\x82\xB1\xE3\x83\xA2\xE3\x83\xB3 \xC5\x81\xC3\xB3\x64\xC5\xBA",
                                                         "OutsideCodePage1252"}));

TEST_P(DocumentsIn, F1InTheListOpensTheHelpFileInTheSystemsViewer) {
  ASSERT_TRUE(app_.Start(InProgramFolder())) << app_.Problem();
  ASSERT_NE(app_.AppDir().find(GetParam().label), std::string::npos) << app_.AppDir();
  ASSERT_TRUE(quarvel::testing::BringToFront(app_.MainWindow()));
  quarvel::testing::ClickWindow(app_.List());
  quarvel::testing::HoldKey(VK_F1, 6);  // held: the key repeats
  HWND viewer = app_.WaitForChildWindow("HH Parent");
  ASSERT_NE(viewer, nullptr) << "no help viewer appeared";
  EXPECT_TRUE(app_.Sync());
  // The viewer may start a helper of its own (Wine's starts control.exe when it misses its HTML engine).
  EXPECT_EQ(app_.ChildProcesses(false).size(), 1u) << "one help viewer for a held F1";
  EXPECT_EQ(TextOf(viewer), "Quarvel Front-End Help") << "the title the help project gives";
  EXPECT_TRUE(app_.Screenshot("e2e_help_viewer", {viewer}));
  EXPECT_TRUE(app_.OpenDialogs().empty()) << "no notice or failure is expected";
  EXPECT_TRUE(CloseViewer(viewer)) << "the viewer did not close";
}

RECT FrameOf(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  return frame;
}

TEST_F(Documents, HelpAboutShowsTheAboutDialogCentredOnTheWindowUntilClosed) {
  ASSERT_TRUE(app_.Start()) << app_.Problem();
  // Away from the screen's centre, so that centring on the screen shows.
  SetWindowPos(app_.MainWindow(), nullptr, 20, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_TRUE(WaitUntil([&] { return FrameOf(app_.MainWindow()).left == 20; }));
  ASSERT_TRUE(app_.ChooseFromMenu('H', 'A')) << "the Help menu did not open";
  HWND about = app_.WaitForTopWindow("About...");
  ASSERT_NE(about, nullptr);
  RECT owner = FrameOf(app_.MainWindow()), dialog = FrameOf(about);
  EXPECT_NEAR((dialog.left + dialog.right) / 2, (owner.left + owner.right) / 2, 2);
  EXPECT_NEAR((dialog.top + dialog.bottom) / 2, (owner.top + owner.bottom) / 2, 2);
  std::vector<std::string> texts = StaticTextsOf(about);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), "Quarvel");
  EXPECT_FALSE(IsWindowEnabled(app_.MainWindow())) << "the About dialog is modal";
  EXPECT_TRUE(app_.Screenshot("e2e_about", {about}));
  PostMessageA(about, WM_CLOSE, 0, 0);
  EXPECT_TRUE(app_.WaitGone(about));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(app_.MainWindow()) != FALSE; }));
}

TEST_F(Documents, ClickingThePictureShowsTheAboutDialog) {
  ASSERT_TRUE(app_.Start()) << app_.Problem();
  app_.PostCommand(IDC_IMAGE1, STN_CLICKED);
  HWND about = app_.WaitForTopWindow("About...");
  ASSERT_NE(about, nullptr);
  app_.PressDialogButton(about, IDCANCEL);
  EXPECT_TRUE(app_.WaitGone(about));
  EXPECT_TRUE(app_.OpenDialogs().empty());
}

// The program finds the tool beside it, deletes the old log before a batch and has the tool write the new
// one there. It hands the log to the system; what it controls is that a viewer starts with the log's path.
TEST_P(DocumentsIn, ViewLogAfterABatchOpensTheLogInAViewer) {
  std::string rom = MakeRom("logged.gba");
  LaunchOptions options = InProgramFolder();
  options.environment.push_back(RecordInto("record.txt"));
  ASSERT_TRUE(app_.Start(options)) << app_.Problem();
  ASSERT_TRUE(app_.AddFiles({rom}, 1)) << app_.Problem();
  ASSERT_TRUE(WriteText(app_.LogPath(), "an old log\r\n"));
  app_.ClickButton(IDC_BUTTON_TEST);
  ASSERT_EQ(WaitForStatus(app_, "Testing...done"), "Testing...done");
  EXPECT_EQ(ReadLines(app_.LogPath()),
            std::vector<std::string>{"Quarvel stand-in (patches nothing): test \"" + rom + "\" -> 0"});
  // The tool is started by its path and in its folder as it reads them back in the system's code page: by the folder's
  // short form where its name does not fit. (Wine's GetModuleFileNameA gives the long path whatever the start.)
  std::vector<ToolRun> runs = ReadToolRuns(roms_ / "record.txt");
  ASSERT_EQ(runs.size(), 1u);
  const bool fits = GetParam().label == std::string("app");
  const std::string tool = fits ? app_.ToolPath() : ShortPathOf(app_.ToolPath());
  EXPECT_EQ(runs[0].systemCommandLine.substr(0, tool.size() + 2), "\"" + tool + "\"");
  EXPECT_EQ(runs[0].systemDirectory + "\\", fits ? app_.AppDir() : ShortPathOf(app_.AppDir()));

  app_.ClickButton(IDC_BUTTON_VIEW_LOG);
  DWORD viewer = 0;
  EXPECT_TRUE(WaitUntil([&] {
    for (DWORD id : app_.ChildProcesses())
      if (AsciiUpper(quarvel::testing::CommandLineOf(id)).find(AsciiUpper(app_.LogPath())) != std::string::npos)
        viewer = id;
    return viewer != 0;
  })) << "no process was started with the log's path";
  app_.Settle();
  EXPECT_TRUE(app_.OpenDialogs().empty()) << "no failure is expected";
  if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, viewer)) {
    TerminateProcess(process, 0);
    WaitForSingleObject(process, kWaitMs);
    CloseHandle(process);
  }
}

}  // namespace
}  // namespace e2e
