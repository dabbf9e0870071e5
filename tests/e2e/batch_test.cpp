// Batches: the tool run once per row, with the options checked, and each row's outcome shown.
#include <windows.h>
#include <commctrl.h>

#include <fstream>

#include "tests/e2e/e2e_fixture.h"
#include <oleacc.h>

#include "tests/support/real_input.h"

namespace e2e {
namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// What a screen reader hears of the program: the name of each object whose live region changes, asked for as the
// event arrives through an out-of-context hook (which this thread handles as it asks for what was heard).
class ScreenReader {
 public:
  explicit ScreenReader(DWORD processId)
      : hook_(SetWinEventHook(kLiveRegionChanged, kLiveRegionChanged, nullptr, OnEvent, processId, 0,
                              WINEVENT_OUTOFCONTEXT)) {}
  ~ScreenReader() { UnhookWinEvent(hook_); }
  std::vector<std::wstring> Heard(HWND window) const {
    for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&message);
    std::vector<std::wstring> names;
    for (const auto& [source, name] : heard)
      if (source == window) names.push_back(name);
    return names;
  }

 private:
  static constexpr DWORD kLiveRegionChanged = 0x8019;  // EVENT_OBJECT_LIVEREGIONCHANGED
  static inline std::vector<std::pair<HWND, std::wstring>> heard;
  static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    IAccessible* accessible = nullptr;
    VARIANT self{};
    BSTR name = nullptr;
    if (FAILED(AccessibleObjectFromEvent(window, object, child, &accessible, &self))) return;
    if (SUCCEEDED(accessible->get_accName(self, &name))) heard.emplace_back(window, name ? name : L"");
    SysFreeString(name);
    accessible->Release();
  }
  HWINEVENTHOOK hook_;
};

class Batches : public E2eTest {
 protected:
  // Makes rows r0.gba ... r<count-1>.gba and starts the program with them, the stand-in following
  // the plan file and recording every run.
  void StartWithRomRows(int count) {
    paths_ = MakeNumberedRoms(count);
    WritePlan({});
    StartWithRows(paths_, {RecordInto("record.txt"), {"QUARVEL_STANDIN_PLAN", roms_ / "plan.txt"}});
  }
  // Lines "<text in the ROM path> <outcome>"; the stand-in reads them afresh on each run.
  void WritePlan(const std::vector<std::string>& lines) {
    std::ofstream plan(roms_ / "plan.txt", std::ios::trunc);
    for (const std::string& line : lines) plan << line << "\n";
  }
  // The stand-in's record, one run a line: what the tool received, its command line, current folder and
  // start-up information, tab-separated.
  std::vector<std::string> Record() const {
    std::vector<std::string> runs;
    for (const auto& run : quarvel::testing::ReadToolRuns(roms_ / "record.txt"))
      runs.push_back(run.commandLine + "\t" + run.directory + "\t" + run.startup);
    return runs;
  }
  std::vector<DWORD> RecordedProcessIds() const { return quarvel::testing::RecordedPids(roms_ / "record.txt"); }
  // Each run has ended and the program holds no handle to it, so it cannot be opened any more.
  void ExpectRunsReleased() const {
    for (DWORD id : RecordedProcessIds()) {
      bool released = WaitUntil([id] {
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
        if (process) CloseHandle(process);
        return process == nullptr;
      });
      EXPECT_TRUE(released) << "tool run " << id << " still running or not released";
    }
  }
  // What the stand-in records for one run: the command line, the current folder, the start-up information.
  std::string ExpectedRun(const std::string& switches, const std::string& rom) const {
    std::string folder = app_.AppDir().substr(0, app_.AppDir().size() - 1);
    std::string line = Quoted(app_.ToolPath()) + " ";
    if (!switches.empty()) line += switches + " ";
    // STARTF_USESHOWWINDOW: with "Manual mode" SW_SHOWNORMAL, the tool's window in front for its questions;
    // without, SW_SHOWNOACTIVATE, so that the keyboard and Esc stay with the front-end.
    const bool manual = switches.find("-m") != std::string::npos;
    return line + Quoted(rom) + " >> " + Quoted(app_.LogPath()) + "\t" + folder + "\tflags 1 show " +
           (manual ? "1" : "4");
  }
  std::vector<std::string> Results() const { return app_.Column(kResult); }

  std::vector<std::string> paths_;
};

// A screen reader hears the batch start and end from the status bar.
TEST_F(Batches, PatchAllRunsTheToolForEachRowAndShowsTheOutcomes) {
  ASSERT_NO_FATAL_FAILURE(StartWithRomRows(2));
  WritePlan({"r0.gba -4", "r1.gba 0"});
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // as a screen reader's own thread has
  ScreenReader reader(quarvel::testing::ProcessOf(app_.MainWindow()));
  app_.ClickButton(IDC_BUTTON_PATCH);

  EXPECT_EQ(WaitForStatus(app_, "Patching...done"), "Patching...done");
  const std::vector<std::wstring> told{L"Patching...", L"Patching...done"};
  EXPECT_TRUE(WaitUntil([&] { return reader.Heard(app_.Control(IDC_STATUSBAR1)) == told; }))
      << reader.Heard(app_.Control(IDC_STATUSBAR1)).size() << " heard";
  EXPECT_EQ(Results(), (std::vector<std::string>{"PATCHED", "OK"}));
  EXPECT_EQ(Record(), (std::vector<std::string>{ExpectedRun("", paths_[0]), ExpectedRun("", paths_[1])}));
  std::vector<std::string> log = ReadLines(app_.LogPath());
  ASSERT_EQ(log.size(), 2u);
  EXPECT_NE(log[0].find(paths_[0]), std::string::npos) << log[0];
  EXPECT_NE(log[1].find(paths_[1]), std::string::npos) << log[1];
  EXPECT_TRUE(app_.OpenDialogs().empty());
  EXPECT_EQ(RecordedProcessIds().size(), 2u);
  ExpectRunsReleased();
  EXPECT_TRUE(app_.Screenshot("e2e_main_window_with_results", {app_.MainWindow()}));
  if (SUCCEEDED(com)) CoUninitialize();
}

TEST_F(Batches, EveryExitCodeHasItsResultName) {
  ASSERT_NO_FATAL_FAILURE(StartWithRomRows(6));
  WritePlan({"r0.gba 0", "r1.gba -1", "r2.gba -2", "r3.gba 1", "r4.gba -4", "r5.gba -3"});
  app_.ClickButton(IDC_BUTTON_TEST);
  EXPECT_EQ(WaitForStatus(app_, "Testing...done"), "Testing...done");
  EXPECT_EQ(Results(), (std::vector<std::string>{"OK", "PROBLEMS", "BROKEN", "ERROR", "PATCHED", "ERROR"}));
  EXPECT_TRUE(app_.Screenshot("e2e_main_window_every_result", {app_.MainWindow()}));
}

struct BatchButton {
  int id;
  const char* switchText;
  const char* status;
  char menuKey = 0;  // the Tools menu's access key of the entry, instead of a button
};

class EachBatchButton : public Batches, public ::testing::WithParamInterface<BatchButton> {};

TEST_P(EachBatchButton, RunsItsActionOnEveryRow) {
  ASSERT_NO_FATAL_FAILURE(StartWithRomRows(2));
  if (GetParam().menuKey) {
    ASSERT_TRUE(app_.ChooseFromMenu('T', GetParam().menuKey)) << "the Tools menu did not open";
  } else {
    app_.ClickButton(GetParam().id);
  }
  std::string done = std::string(GetParam().status) + "done";
  EXPECT_EQ(WaitForStatus(app_, done), done);
  EXPECT_EQ(Record(), (std::vector<std::string>{ExpectedRun(GetParam().switchText, paths_[0]),
                                                ExpectedRun(GetParam().switchText, paths_[1])}));
  EXPECT_EQ(Results(), (std::vector<std::string>{"OK", "OK"}));
}

INSTANTIATE_TEST_SUITE_P(Buttons, EachBatchButton,
                         ::testing::Values(BatchButton{IDC_BUTTON_PATCH, "", "Patching..."},
                                           BatchButton{IDC_BUTTON_FIX, "-f", "Fixing..."},
                                           BatchButton{IDC_BUTTON_UNPATCH, "-u", "Unpatching..."},
                                           BatchButton{IDC_BUTTON_TEST, "-t", "Testing..."}),
                         [](const ::testing::TestParamInfo<BatchButton>& info) {
                           std::string status = info.param.status;
                           return status.substr(0, status.find('.'));
                         });

INSTANTIATE_TEST_SUITE_P(ToolsMenu, EachBatchButton,
                         ::testing::Values(BatchButton{0, "", "Patching...", 'P'},
                                           BatchButton{0, "-f", "Fixing...", 'F'},
                                           BatchButton{0, "-u", "Unpatching...", 'U'},
                                           BatchButton{0, "-t", "Testing...", 'T'}),
                         [](const ::testing::TestParamInfo<BatchButton>& info) {
                           std::string status = info.param.status;
                           return status.substr(0, status.find('.'));
                         });

TEST_F(Batches, FixAllWithNoRowsAsksForFilesAndLeavesTheLogAlone) {
  ASSERT_TRUE(app_.Start({true, {RecordInto("record.txt")}})) << app_.Problem();
  {
    std::ofstream log(app_.LogPath(), std::ios::binary);
    log << "an earlier run\r\n";
  }
  app_.ClickButton(IDC_BUTTON_FIX);
  ExpectNotice("Please add at least one file", "e2e_notice_add_a_file");
  EXPECT_EQ(ReadLines(app_.LogPath()), std::vector<std::string>{"an earlier run"});
  EXPECT_FALSE(FileExists(roms_ / "record.txt"));
  EXPECT_EQ(app_.StatusText(), "");
}

TEST_F(Batches, RowMenuWithNothingSelectedAsksForASelection) {
  ASSERT_NO_FATAL_FAILURE(StartWithRomRows(2));
  ASSERT_TRUE(app_.SelectRows({}));
  app_.PostCommand(IDM_ROW_PATCH);
  ExpectNotice("Please select at least one file");
  EXPECT_FALSE(FileExists(roms_ / "record.txt"));
}

TEST_F(Batches, SelectedRowsOnlyAndTheNextBatchStartsANewLog) {
  ASSERT_NO_FATAL_FAILURE(StartWithRomRows(5));
  WritePlan({"* -4"});
  app_.ClickButton(IDC_BUTTON_PATCH);
  ASSERT_EQ(WaitForStatus(app_, "Patching...done"), "Patching...done");
  ASSERT_EQ(ReadLines(app_.LogPath()).size(), 5u);
  ASSERT_EQ(Results(), std::vector<std::string>(5, "PATCHED"));

  WritePlan({"r1.gba -1", "r3.gba -2"});
  ASSERT_TRUE(app_.SelectRows({1, 3}));
  app_.PostCommand(IDM_ROW_TEST);
  EXPECT_EQ(WaitForStatus(app_, "Testing...done"), "Testing...done");

  EXPECT_EQ(Results(), (std::vector<std::string>{"PATCHED", "PROBLEMS", "PATCHED", "BROKEN", "PATCHED"}));
  std::vector<std::string> record = Record();
  ASSERT_EQ(record.size(), 7u);
  EXPECT_EQ(std::vector<std::string>(record.begin() + 5, record.end()),
            (std::vector<std::string>{ExpectedRun("-t", paths_[1]), ExpectedRun("-t", paths_[3])}));
  // The log was deleted before the second batch's first run.
  std::vector<std::string> log = ReadLines(app_.LogPath());
  ASSERT_EQ(log.size(), 2u);
  EXPECT_NE(log[0].find(paths_[1]), std::string::npos) << log[0];
  EXPECT_NE(log[1].find(paths_[3]), std::string::npos) << log[1];
}

TEST_F(Batches, AllThreeOptionsGoBeforeTheAction) {
  ASSERT_NO_FATAL_FAILURE(StartWithRomRows(1));
  for (int id : {IDC_CHECK_AUTOMATIC, IDC_CHECK_DISABLE_INTRO, IDC_CHECK_TRIM_FILE}) {
    app_.ClickButton(id);
    EXPECT_TRUE(WaitUntil([&] { return app_.IsChecked(id); })) << "check box " << id;
  }
  app_.ClickButton(IDC_BUTTON_FIX);
  EXPECT_EQ(WaitForStatus(app_, "Fixing...done"), "Fixing...done");
  EXPECT_EQ(Record(), std::vector<std::string>{ExpectedRun("-r -m -i -f", paths_[0])});
}

TEST_F(Batches, EachOptionAlone) {
  ASSERT_NO_FATAL_FAILURE(StartWithRomRows(1));
  const struct {
    int id;
    const char* option;
  } options[] = {{IDC_CHECK_AUTOMATIC, "-m"}, {IDC_CHECK_DISABLE_INTRO, "-i"}, {IDC_CHECK_TRIM_FILE, "-r"}};
  size_t runs = 0;
  for (const auto& option : options) {
    app_.ClickButton(option.id);
    ASSERT_TRUE(WaitUntil([&] { return app_.IsChecked(option.id); }));
    app_.ClickButton(IDC_BUTTON_UNPATCH);
    ++runs;
    ASSERT_TRUE(WaitUntil([&] { return Record().size() == runs && app_.StatusText() == "Unpatching...done"; }));
    EXPECT_EQ(Record().back(), ExpectedRun(std::string(option.option) + " -u", paths_[0]));
    app_.ClickButton(option.id);  // clear it again
    ASSERT_TRUE(WaitUntil([&] { return !app_.IsChecked(option.id); }));
  }
  EXPECT_EQ(Record().size(), 3u);
}

TEST_F(Batches, ToolRemovedAfterStartUpStopsTheBatchAtItsFirstRow) {
  ASSERT_NO_FATAL_FAILURE(StartWithRomRows(2));
  ASSERT_TRUE(DeleteFileA(app_.ToolPath().c_str()));
  app_.ClickButton(IDC_BUTTON_TEST);

  HWND report = nullptr;
  EXPECT_EQ(WaitForFailureReport(&report), "Could not process file \"" + paths_[0] + "\" (error 2)");
  ASSERT_NE(report, nullptr);
  EXPECT_TRUE(app_.Screenshot("e2e_failure_report_tool_missing_in_batch", {app_.MainWindow(), report}));
  EXPECT_TRUE(app_.Acknowledge(report));
  app_.Settle();
  EXPECT_TRUE(app_.OpenDialogs().empty());
  EXPECT_EQ(app_.StatusText(), "Testing...");
  EXPECT_EQ(Results(), (std::vector<std::string>{"", ""}));
  EXPECT_FALSE(FileExists(roms_ / "record.txt"));
}

TEST_F(Batches, CrashingToolGivesError) {
  ASSERT_NO_FATAL_FAILURE(StartWithRomRows(2));
  WritePlan({"r0.gba crash", "r1.gba -1"});
  app_.ClickButton(IDC_BUTTON_PATCH);
  EXPECT_EQ(WaitForStatus(app_, "Patching...done"), "Patching...done");
  EXPECT_EQ(Results(), (std::vector<std::string>{"ERROR", "PROBLEMS"}));
  EXPECT_TRUE(app_.OpenDialogs().empty());
  ExpectRunsReleased();
}

TEST_F(Batches, RowMenuPatchRunsOnTheSelectedRowsOnly) {
  ASSERT_NO_FATAL_FAILURE(StartWithRomRows(3));
  WritePlan({"* -4"});
  ASSERT_TRUE(app_.SelectRows({0, 2}));
  ASSERT_TRUE(quarvel::testing::BringToFront(app_.MainWindow()));
  PostMessageA(app_.List(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(app_.List()), -1);
  ASSERT_NE(app_.WaitForOpenMenu(), nullptr) << "the row menu did not open";
  EXPECT_TRUE(app_.Screenshot("e2e_row_menu", {app_.MainWindow()}));
  quarvel::testing::PressKey('P');  // the menu's access key: "&Patch"
  EXPECT_EQ(WaitForStatus(app_, "Patching...done"), "Patching...done");
  EXPECT_EQ(Record(), (std::vector<std::string>{ExpectedRun("", paths_[0]), ExpectedRun("", paths_[2])}));
  EXPECT_EQ(Results(), (std::vector<std::string>{"PATCHED", "", "PATCHED"}));
}

TEST_F(Batches, TheListFollowsTheBatchDownToItsLastRow) {
  ASSERT_NO_FATAL_FAILURE(StartWithRows(WriteNumberedRoms(roms_.Path(), 60)));
  ASSERT_LT(SendWithTimeout(app_.List(), LVM_GETCOUNTPERPAGE, 0, 0), 20) << "the list shows a part of the rows";
  app_.ClickButton(IDC_BUTTON_TEST);
  EXPECT_TRUE(WaitUntil([&] { return app_.StatusText() == "Testing...done"; }, 120000)) << app_.StatusText();
  EXPECT_GE(SendWithTimeout(app_.List(), LVM_GETTOPINDEX, 0, 0) + SendWithTimeout(app_.List(), LVM_GETCOUNTPERPAGE, 0, 0),
            60)
      << "the last row is in view";
  EXPECT_TRUE(app_.Screenshot("e2e_batch_of_60_rows_followed", {app_.MainWindow()}));
}

// Never hung, results drawn on the screen as they come, keys and clicks dropped, focus kept though a window
// (a console) took the activation; the rows are selected, run and copied with the keyboard.
TEST_F(Batches, ASlowBatchStaysAliveAndDropsTheKeysAndClicksMadeDuringIt) {
  using namespace quarvel::testing;
  ASSERT_NO_FATAL_FAILURE(StartWithRomRows(2));
  WritePlan({"r0.gba sleep:7000:0", "r1.gba sleep:3000:-4"});
  HWND list = app_.List(), test = app_.Control(IDC_BUTTON_TEST);
  ASSERT_TRUE(BringToFront(app_.MainWindow()));
  ClickWindowAt(list, app_.CaptionPoint(0));
  PressKey('A', {VK_CONTROL});
  ASSERT_TRUE(WaitUntil([&] { return app_.SelectedRows() == std::vector<int>{0, 1}; }));
  ASSERT_TRUE(app_.ChooseFromMenu('T', 'T'));  // Tools, "&Test"
  bool everHung = false;
  auto shown = [&](int row) { everHung |= IsHungAppWindow(app_.MainWindow()); return app_.Cell(row, kResult) != ""; };
  ASSERT_TRUE(WaitUntil([&] { return shown(0); }, 60000));
  // Both rows are drawn selected: only an icon drawn in row 0 tells them apart on the screen.
  EXPECT_TRUE(WaitUntil([&] { return app_.RowIconOnScreen(0) != app_.RowIconOnScreen(1); }, 5000))
      << "row 0's result is not drawn on the screen";
  EXPECT_EQ(app_.StatusText(), "Testing...");
  EXPECT_TRUE(app_.Screenshot("e2e_slow_batch_first_result", {app_.MainWindow()}));
  for (WORD key : {WORD{VK_DELETE}, WORD{'R'}, WORD{VK_SPACE}, WORD{VK_RETURN}}) PressKey(key);
  for (int click = 0; click < 3; ++click) ClickWindow(test);
  HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 99, 99, nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(BringToFront(other));
  ASSERT_TRUE(WaitUntil([&] { return shown(1); }));
  EXPECT_FALSE(everHung) << "through a tool run of 7 s";
  DestroyWindow(other);
  ASSERT_TRUE(WaitUntil([&] { return BringToFront(app_.MainWindow()); }));
  EXPECT_TRUE(app_.WaitForFocusOn(list));
  EXPECT_EQ(WaitForStatus(app_, "Testing...done"), "Testing...done");
  EXPECT_EQ(app_.SelectedRows(), (std::vector<int>{0, 1})) << "no key reached the list during the batch";
  PressKey('C', {VK_CONTROL});
  std::string table = "File Name\tGame Name\tDirectory Path\tSize\tResult\r\nr0.gba\tGAME 0\t" + roms_.Path() +
                      "\t1024\tOK\r\nr1.gba\tGAME 1\t" + roms_.Path() + "\t1024\tPATCHED\r\n";
  EXPECT_TRUE(WaitUntil([&] { return ClipboardText(CF_UNICODETEXT) == table; })) << ClipboardText(CF_UNICODETEXT);
  EXPECT_EQ(ClipboardText(CF_TEXT), table);
  PressKey(VK_F1);  // input is handled in order: once this notice shows, any click queued before it has run
  ExpectNotice("Could not find help file");
  EXPECT_EQ(Record().size(), 2u);
}

// Esc stops the batch after the current file, which is never cut; the rows not reached keep their results
// and the program stays open. Windows may not end the session until the batch has stopped.
TEST_F(Batches, EscStopsAfterTheCurrentFileAndTheSessionMayEndOnceStopped) {
  using namespace quarvel::testing;
  ASSERT_NO_FATAL_FAILURE(StartWithRomRows(3));
  WritePlan({"* -4"});
  app_.ClickButton(IDC_BUTTON_PATCH);
  ASSERT_EQ(WaitForStatus(app_, "Patching...done"), "Patching...done");
  WritePlan({"* sleep:2000:0"});
  ASSERT_TRUE(BringToFront(app_.MainWindow()));
  ClickWindow(app_.Control(IDC_BUTTON_TEST));
  ASSERT_TRUE(WaitUntil([&] { return Record().size() == 4; }));
  PressKey(VK_ESCAPE);
  EXPECT_EQ(WaitForStatus(app_, "Testing...stopping"), "Testing...stopping");
  EXPECT_EQ(SendWithTimeout(app_.MainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE);
  EXPECT_EQ(WaitForStatus(app_, "Testing...stopped"), "Testing...stopped");
  EXPECT_TRUE(app_.Screenshot("e2e_batch_stopped_by_esc", {app_.MainWindow()}));
  EXPECT_EQ(SendWithTimeout(app_.MainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  size_t runs = Record().size() - 3;
  EXPECT_LE(runs, 2u);
  EXPECT_EQ(ReadLines(app_.LogPath()).size(), runs) << "each run ended by itself and wrote its report";
  EXPECT_EQ(Results(), (std::vector<std::string>{"OK", runs == 2 ? "OK" : "PATCHED", "PATCHED"}));
  EXPECT_TRUE(app_.Running());
}

// Windows asks to end the session (lParam 0: a shut-down) while a tool runs: refused, and the batch stops
// after the current file, with no Esc before it.
TEST_F(Batches, ARequestToEndTheSessionAloneStopsTheBatchAfterTheCurrentFile) {
  ASSERT_NO_FATAL_FAILURE(StartWithRomRows(3));
  WritePlan({"* sleep:2000:0"});
  app_.ClickButton(IDC_BUTTON_TEST);
  ASSERT_TRUE(WaitUntil([&] { return Record().size() == 1; }));
  EXPECT_EQ(SendWithTimeout(app_.MainWindow(), WM_QUERYENDSESSION, 0, 0), FALSE);
  EXPECT_EQ(WaitForStatus(app_, "Testing...stopped"), "Testing...stopped");
  EXPECT_EQ(Record().size(), 1u);
  EXPECT_EQ(Results(), (std::vector<std::string>{"OK", "", ""}));
}

// A right click on the title bar shows the system menu, also while a batch runs.
TEST_F(Batches, ARightClickOnTheTitleBarShowsTheSystemMenuWithABatchRunningAndWithout) {
  using namespace quarvel::testing;
  ASSERT_NO_FATAL_FAILURE(StartWithRomRows(2));
  WritePlan({"* sleep:3000:0"});
  ASSERT_TRUE(BringToFront(app_.MainWindow()));
  for (const char* when : {"without a batch", "during a batch"}) {
    if (std::string(when) == "during a batch") {
      ClickWindow(app_.Control(IDC_BUTTON_TEST));
      ASSERT_TRUE(WaitUntil([&] { return Record().size() == 1; }));
    }
    RECT frame;
    GetWindowRect(app_.MainWindow(), &frame);
    ClickAt(POINT{(frame.left + frame.right) / 2, frame.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2},
            MouseButton::Right);
    HWND menu = app_.WaitForOpenMenu();
    EXPECT_NE(menu, nullptr) << when;
    if (!menu) continue;
    EXPECT_TRUE(app_.Screenshot(std::string("e2e_system_menu_") + (*when == 'w' ? "idle" : "batch"), {menu}));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(app_.WaitGone(menu)) << when;
  }
  EXPECT_EQ(WaitForStatus(app_, "Testing...done"), "Testing...done");
}

// Alt+F4, or a click on the title bar's close button (drawn by Wine itself in these tests).
class ClosingDuringABatch : public Batches, public ::testing::WithParamInterface<bool> {};

TEST_P(ClosingDuringABatch, LetsTheCurrentFileEndThenCloses) {
  using namespace quarvel::testing;
  ASSERT_NO_FATAL_FAILURE(StartWithRomRows(2));
  WritePlan({"* sleep:2000:0"});
  ASSERT_TRUE(BringToFront(app_.MainWindow()));
  ClickWindow(app_.Control(IDC_BUTTON_TEST));
  ASSERT_TRUE(WaitUntil([&] { return Record().size() == 1; }));
  RECT frame;
  GetWindowRect(app_.MainWindow(), &frame);
  if (GetParam()) {
    PressKey(VK_F4, {VK_MENU});
  } else {
    ClickAt(POINT{frame.right - GetSystemMetrics(SM_CXFRAME) - GetSystemMetrics(SM_CXSIZE) / 2,
                  frame.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2});
  }
  EXPECT_EQ(WaitForStatus(app_, "Testing...stopping"), "Testing...stopping");
  EXPECT_TRUE(WaitUntil([&] { return !app_.Running(); }));
  EXPECT_EQ(ReadLines(app_.LogPath()).size(), Record().size()) << "the run ended by itself and wrote its report";
}

INSTANTIATE_TEST_SUITE_P(By, ClosingDuringABatch, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "AltF4" : "CloseButton"; });

}  // namespace
}  // namespace e2e
