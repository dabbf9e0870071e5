// A tool that goes missing, crashes, hangs or writes no log: every batch ends with each row's result or one clear
// failure report, and leaves no tool running. A log held by another program or read-only stops it with a notice.
#include <gtest/gtest.h>

#include "tests/hostile/hostile_support.h"

namespace quarvel::testing {
namespace {

class HostileTool : public MainWindowTest {
 protected:
  HostileTool() {
    for (const char* name : {"first", "second", "third"}) paths_.push_back(Rom(std::string(name) + ".gba", name));
    window_.Choose(paths_);
    // Enough for a slow start under load, short enough that a dialog left open would show as a failure.
    window_.form().SetToolTimeLimit(60000);
  }
  std::vector<std::string> Results() { return window_.Column(4); }
  void ExpectNoToolRunning() {
    for (DWORD pid : RecordedPids(record_)) EXPECT_FALSE(ProcessRunning(pid)) << "tool process " << pid;
  }
  std::string Tool() const { return window_.appDir() / "Quarvel.exe"; }

  std::vector<std::string> paths_;
  std::string plan_ = window_.appDir() / "plan.txt";
  std::string record_ = window_.appDir() / "record.txt";
  std::string log_ = window_.appDir() / "log.txt";
  ScopedEnvironment planning_{"QUARVEL_STANDIN_PLAN", plan_};
  ScopedEnvironment recording_{"QUARVEL_STANDIN_RECORD", record_};
};

TEST_F(HostileTool, AToolRemovedAfterStartUpFailsClearlyAndAReturnedToolWorksAgain) {
  WriteText(plan_, "* -1\n");
  window_.Command(IDC_BUTTON_TEST);
  ASSERT_EQ(Results(), std::vector<std::string>(3, "PROBLEMS"));
  ASSERT_TRUE(DeleteFileA(Tool().c_str()));
  window_.Command(IDC_BUTTON_PATCH);
  EXPECT_EQ(Failures(), std::vector<std::string>{"Could not process file \"" + paths_[0] + "\" (error 2)"});
  EXPECT_EQ(Results(), std::vector<std::string>(3, "PROBLEMS")) << "no result is lost";
  EXPECT_EQ(window_.StatusText(), "Patching...");
  CopyStandIn(window_.appDir().path());
  WriteText(plan_, "* -4\n");
  window_.Command(IDC_BUTTON_PATCH);
  EXPECT_EQ(Results(), std::vector<std::string>(3, "PATCHED"));
  EXPECT_EQ(window_.StatusText(), "Patching...done");
  EXPECT_EQ(Failures().size(), 1u);
}

TEST_F(HostileTool, ACrashingToolGivesErrorForItsRowAndTheBatchGoesOn) {
  WriteText(plan_, "second crash\n* 0\n");
  window_.Command(IDC_BUTTON_TEST);
  EXPECT_TRUE(Failures().empty()) << Failures()[0];
  EXPECT_EQ(Results(), (std::vector<std::string>{"OK", "ERROR", "OK"}));
  EXPECT_EQ(window_.form().Rows().Row(1).icon, kResultError);
  EXPECT_EQ(window_.StatusText(), "Testing...done");
  EXPECT_EQ(RecordedPids(record_).size(), 3u);
  ExpectNoToolRunning();
}

TEST_F(HostileTool, AHungToolIsEndedAtTheLimitAndReportedAndNothingIsLeftRunning) {
  WriteText(plan_, "* 0\n");
  window_.Command(IDC_BUTTON_TEST);
  WriteText(plan_, "second hang\n* -2\n");
  HangWatch watch;
  window_.form().SetToolTimeLimit(5000);  // the first row's run must fit in it on a busy machine
  window_.Command(IDC_BUTTON_FIX);
  ASSERT_TRUE(watch.Hung()) << "the second row's run never started to hang";
  EXPECT_LT(watch.SinceHang(), 5000u + 10000u) << "the limit, counted from the hang, ends the wait";
  ASSERT_EQ(Failures().size(), 1u);
  EXPECT_EQ(Failures()[0].rfind("Could not process file \"" + paths_[1] + "\" (error ", 0), 0u) << Failures()[0];
  EXPECT_EQ(Results(), (std::vector<std::string>{"BROKEN", "OK", "OK"}));
  EXPECT_EQ(window_.StatusText(), "Fixing...");
  ExpectNoToolRunning();
  window_.form().SetToolTimeLimit(60000);
  WriteText(plan_, "* -2\n");
  window_.Command(IDC_BUTTON_FIX);
  EXPECT_EQ(Results(), std::vector<std::string>(3, "BROKEN")) << "the next batch runs as usual";
  EXPECT_EQ(window_.StatusText(), "Fixing...done");
}

TEST_F(HostileTool, AToolThatWritesNoLogStillGivesResultsAndViewLogSaysSo) {
  ASSERT_TRUE(CopyFileA((TestProgramDir() + "quiet_tool.exe").c_str(), Tool().c_str(), FALSE));
  WriteText(log_, "an old log\n");
  window_.Command(IDC_BUTTON_PATCH);
  EXPECT_TRUE(Failures().empty()) << Failures()[0];
  EXPECT_EQ(Results(), std::vector<std::string>(3, "OK"));
  EXPECT_EQ(window_.StatusText(), "Patching...done");
  EXPECT_FALSE(FileExists(log_)) << "the batch removed the old log and the tool wrote none";
  window_.Command(IDC_BUTTON_VIEW_LOG);
  EXPECT_EQ(window_.messages().notices, std::vector<std::string>{"Could not find log file"});
}

// A log that cannot be replaced, the tool cannot write either, and View Log would show the old one as the batch's:
// the batch does not start, a notice says why, and nothing changes. Once the log is free, batches run again.
TEST_F(HostileTool, ALogHeldByAnotherProcessStopsTheBatchUntilItIsReleased) {
  WriteText(log_, "an old log\n");
  WriteText(plan_, "first -4\nsecond -1\n* 0\n");
  {
    LockedFile locker(log_);
    ASSERT_TRUE(locker.Locked()) << "the log could not be held";
    window_.Command(IDC_BUTTON_PATCH);
    ASSERT_EQ(window_.messages().notices.size(), 1u);
    EXPECT_NE(window_.messages().notices[0].find("\"" + log_ + "\" cannot be written (" +
                                                 SystemText(ERROR_SHARING_VIOLATION) + ")"),
              std::string::npos);
    EXPECT_EQ(Results(), std::vector<std::string>(3, ""));
    EXPECT_EQ(window_.StatusText(), "");
  }
  EXPECT_EQ(ReadText(log_), "an old log\n") << "neither removed nor appended to while held";
  window_.Command(IDC_BUTTON_TEST);
  EXPECT_EQ(ReadLines(log_).size(), 3u) << "once released, a batch starts a fresh log";
  ExpectNoToolRunning();
}

TEST_F(HostileTool, AReadOnlyLogStopsTheBatchWithANotice) {
  WriteText(log_, "an old log\n");
  SetFileAttributesA(log_.c_str(), FILE_ATTRIBUTE_READONLY);
  window_.Command(IDC_BUTTON_UNPATCH);
  SetFileAttributesA(log_.c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_EQ(window_.messages().notices.size(), 1u);
  EXPECT_EQ(window_.messages().notices[0].rfind("The tool cannot keep its log in the program folder: \"" + log_ +
                                                "\" cannot be written (" + SystemText(ERROR_ACCESS_DENIED) + ").", 0),
            0u);
  EXPECT_EQ(Results(), std::vector<std::string>(3, ""));
  EXPECT_EQ(window_.StatusText(), "");
  EXPECT_EQ(ReadText(log_), "an old log\n");
  EXPECT_FALSE(FileExists(record_)) << "no tool run";
}

}  // namespace
}  // namespace quarvel::testing
