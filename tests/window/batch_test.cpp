// The eight batches on a real main window, with the stand-in tool answering each run.
#include <gtest/gtest.h>

#include "tests/window/test_support.h"
#include "tool/tool_runner.h"
#include "ui/taskbar_progress.h"

namespace quarvel::testing {
namespace {

// What a batch shows on the taskbar button, with the number of failure reports shown by then.
class RecordingTaskbar : public TaskbarProgress {
 public:
  RecordingTaskbar(std::vector<std::string>& calls, const CapturedMessages& messages)
      : calls_(calls), messages_(messages) {}
  void ShowProgress(HWND, size_t done, size_t total) override {
    calls_.push_back(std::to_string(done) + "/" + std::to_string(total));
  }
  void ShowError(HWND) override { calls_.push_back("error, reports " + std::to_string(messages_.failures.size())); }
  void Clear(HWND) override { calls_.push_back("clear, reports " + std::to_string(messages_.failures.size())); }

 private:
  std::vector<std::string>& calls_;
  const CapturedMessages& messages_;
};

class BatchTest : public ::testing::Test {
 protected:
  BatchTest() {
    WriteText(plan_, "first -4\nsecond 0\nthird -1\nfourth -2\nfifth 1\n");
    for (const char* name : {"first", "second", "third", "fourth", "fifth"}) {
      WriteRom(window_.roms() / (std::string(name) + ".gba"), name);
      paths_.push_back(window_.roms() / (std::string(name) + ".gba"));
    }
    window_.form().SetTaskbarProgress(std::make_unique<RecordingTaskbar>(taskbar_, window_.messages()));
  }
  void AddRows(size_t count) { window_.Choose({paths_.begin(), paths_.begin() + static_cast<long>(count)}); }
  std::vector<std::string> RunRoms() { return RecordedRoms(record_); }
  int Icon(int row) { return window_.form().Rows().Row(static_cast<size_t>(row)).icon; }

  MainWindowFixture window_;
  std::string plan_ = window_.appDir() / "plan.txt";
  std::string record_ = window_.appDir() / "record.txt";
  std::string log_ = window_.appDir() / "log.txt";
  ScopedEnvironment planning_{"QUARVEL_STANDIN_PLAN", plan_};
  ScopedEnvironment recording_{"QUARVEL_STANDIN_RECORD", record_};
  std::vector<std::string> paths_;
  std::vector<std::string> taskbar_;
};

TEST_F(BatchTest, PatchAllOnTwoRowsGivesEachRowItsResult) {
  AddRows(2);
  // What arrives during the batch: a drop, which adds nothing and is released, and a request to quit,
  // which outlives the batch.
  HGLOBAL drop = MakeDrop({paths_[2]});
  PostMessageA(window_.form().Control(IDC_LISTVIEW1), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  PostQuitMessage(7);
  window_.Command(IDC_BUTTON_PATCH);
  MSG quit{};
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 7u);
  EXPECT_EQ(window_.RowCount(), 2);
  EXPECT_EQ(GlobalFlags(drop), GMEM_INVALID_HANDLE);
  EXPECT_EQ(taskbar_, (std::vector<std::string>{"0/2", "1/2", "2/2", "clear, reports 0"}));
  EXPECT_TRUE(window_.messages().failures.empty());
  EXPECT_EQ(Icon(0), 4);
  EXPECT_EQ(window_.Cell(0, 4), "PATCHED");
  EXPECT_EQ(Icon(1), 0);
  EXPECT_EQ(window_.Cell(1, 4), "OK");
  EXPECT_EQ(window_.StatusText(), "Patching...done");
  EXPECT_EQ(RunRoms(), (std::vector<std::string>{paths_[0], paths_[1]}));
  EXPECT_EQ(ReadLines(log_).size(), 2u) << "both runs append to the log";
}

TEST_F(BatchTest, EveryResultCodeShowsItsWordAndIcon) {
  AddRows(5);
  window_.Command(IDM_TOOLS_TEST);
  const char* words[] = {"PATCHED", "OK", "PROBLEMS", "BROKEN", "ERROR"};
  const int icons[] = {4, 0, 1, 2, 3};
  for (int row = 0; row < 5; ++row) {
    EXPECT_EQ(window_.Cell(row, 4), words[row]);
    EXPECT_EQ(Icon(row), icons[row]);
  }
  EXPECT_EQ(window_.StatusText(), "Testing...done");
}

TEST_F(BatchTest, EachActionAndOptionReachesTheToolFromButtonsAndMenus) {
  AddRows(1);
  struct Case {
    int command;
    const char* switchText;
    const char* status;
  };
  const Case cases[] = {{IDC_BUTTON_FIX, " -f ", "Fixing...done"},      {IDM_TOOLS_FIX, " -f ", "Fixing...done"},
                        {IDC_BUTTON_UNPATCH, " -u ", "Unpatching...done"}, {IDM_TOOLS_UNPATCH, " -u ", "Unpatching...done"},
                        {IDC_BUTTON_TEST, " -t ", "Testing...done"},    {IDM_TOOLS_PATCH, "\" \"", "Patching...done"}};
  for (const Case& c : cases) {
    DeleteFileA(record_.c_str());
    window_.Command(c.command);
    std::vector<std::string> runs = ReadLines(record_);
    ASSERT_EQ(runs.size(), 1u) << c.command;
    EXPECT_NE(runs[0].find(c.switchText), std::string::npos) << runs[0];
    EXPECT_EQ(window_.StatusText(), c.status);
  }
  for (int box : {IDC_CHECK_TRIM_FILE, IDC_CHECK_AUTOMATIC, IDC_CHECK_DISABLE_INTRO})
    SendMessageA(window_.form().Control(box), BM_CLICK, 0, 0);
  DeleteFileA(record_.c_str());
  window_.Command(IDC_BUTTON_FIX);
  EXPECT_NE(ReadLines(record_).at(0).find("\" -r -m -i -f \""), std::string::npos);
}

TEST_F(BatchTest, NothingToDoGivesTheNoticeAndLeavesTheLogAlone) {
  WriteText(log_, "old log\n");
  window_.Command(IDC_BUTTON_FIX);
  EXPECT_EQ(window_.messages().notices, std::vector<std::string>{"Please add at least one file"});
  AddRows(2);
  window_.SelectRows({});
  window_.Command(IDM_ROW_TEST);
  EXPECT_EQ(window_.messages().notices.back(), "Please select at least one file");
  EXPECT_EQ(ReadText(log_), "old log\n");
  EXPECT_FALSE(FileExists(record_)) << "no tool run";
  EXPECT_EQ(window_.StatusText(), "");
}

TEST_F(BatchTest, SelectedRowBatchRunsOnlyThoseRowsInListOrder) {
  AddRows(5);
  window_.Command(IDC_BUTTON_PATCH);
  ScopedEnvironment allOk("QUARVEL_STANDIN_PLAN", "");
  ScopedEnvironment exit("QUARVEL_STANDIN_EXIT", "-2");
  DeleteFileA(record_.c_str());
  window_.SelectRows({3, 1});
  window_.Command(IDM_ROW_FIX);
  EXPECT_EQ(RunRoms(), (std::vector<std::string>{paths_[1], paths_[3]}));
  EXPECT_EQ(window_.Cell(1, 4), "BROKEN");
  EXPECT_EQ(window_.Cell(3, 4), "BROKEN");
  EXPECT_EQ(window_.Cell(0, 4), "PATCHED") << "unselected rows keep their last result";
  EXPECT_EQ(window_.Cell(2, 4), "PROBLEMS");
  EXPECT_EQ(window_.Cell(4, 4), "ERROR");
  EXPECT_EQ(window_.StatusText(), "Fixing...done");
}

TEST_F(BatchTest, ASecondBatchStartsAFreshLog) {
  AddRows(2);
  window_.Command(IDC_BUTTON_PATCH);
  ASSERT_EQ(ReadLines(log_).size(), 2u);
  window_.SelectRows({1});
  window_.Command(IDM_ROW_UNPATCH);
  std::vector<std::string> log = ReadLines(log_);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_NE(log[0].find("unpatch"), std::string::npos);
}

TEST_F(BatchTest, AFailureMidBatchKeepsEarlierResultsAndLeavesTheStatusWithoutDone) {
  AddRows(3);
  window_.Command(IDC_BUTTON_TEST);
  WriteText(plan_, "second hang\n* -2\n");
  HangWatch watch;
  window_.form().SetToolTimeLimit(5000);  // the first row's run must fit in it on a busy machine
  window_.Command(IDC_BUTTON_FIX);
  ASSERT_TRUE(watch.Hung()) << "the second row's run never started to hang";
  ASSERT_EQ(window_.messages().failures.size(), 1u);
  EXPECT_EQ(window_.messages().failures[0].rfind("Could not process file \"" + paths_[1] + "\" (error ", 0), 0u)
      << window_.messages().failures[0];
  EXPECT_EQ(window_.Cell(0, 4), "BROKEN") << "the row before the failure keeps its new result";
  EXPECT_EQ(window_.Cell(1, 4), "OK") << "the failed row keeps its old result";
  EXPECT_EQ(window_.Cell(2, 4), "PROBLEMS") << "rows after the failure are not run";
  EXPECT_EQ(window_.StatusText(), "Fixing...");
  EXPECT_EQ(std::vector<std::string>(taskbar_.end() - 3, taskbar_.end()),
            (std::vector<std::string>{"1/3", "error, reports 0", "clear, reports 1"}));
}

// On a drive without short names a name outside the code page reaches no tool: the batch ends at that row
// with one failure naming the file, rows done keep their results, and the tool never sees a best-fit name.
TEST_F(BatchTest, ANameNoToolCanOpenEndsTheBatchAtItsRowAndIsNeverHanded) {
  const std::string polish = window_.roms() / "\xC5\x81\xC3\xB3" "d\xC5\xBA.gba";
  ASSERT_TRUE(WriteRomW(Widen(polish), "POLISH"));
  ScopedPathForms noShortNames({DefaultPathForms().fit, [](const std::string& path) { return ShortForm{path}; }});
  window_.Choose({paths_[0], polish, paths_[1]});
  window_.Command(IDC_BUTTON_TEST);
  EXPECT_EQ(window_.messages().failures,
            std::vector<std::string>{"Cannot hand file \"" + polish +
                                     "\" to the tool: its name does not fit the system's code page and it has no "
                                     "short name that does. Rename the file, or keep it on a drive with short names."});
  EXPECT_EQ(window_.Cell(0, 4), "PATCHED");
  EXPECT_EQ(window_.Cell(1, 4), "");
  EXPECT_EQ(window_.Cell(2, 4), "") << "rows after the failure are not run";
  EXPECT_EQ(RunRoms(), std::vector<std::string>{paths_[0]});
  EXPECT_EQ(window_.StatusText(), "Testing...");
}

TEST_F(BatchTest, AToolRemovedAfterStartUpFailsAtTheFirstRow) {
  AddRows(2);
  DeleteFileA((window_.appDir() / "Quarvel.exe").c_str());
  window_.Command(IDC_BUTTON_PATCH);
  EXPECT_EQ(window_.messages().failures,
            std::vector<std::string>{"Could not process file \"" + paths_[0] + "\" (error 2)"});
  EXPECT_EQ(window_.Cell(0, 4), "");
  EXPECT_EQ(Icon(0), -1);
  EXPECT_EQ(window_.StatusText(), "Patching...");
}

}  // namespace
}  // namespace quarvel::testing
