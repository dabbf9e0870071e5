// The tool runner against real processes: the stand-in tool exiting as told, crashing, hanging or missing.
#include "tool/tool_runner.h"

#include <gtest/gtest.h>

#include "tests/window/test_support.h"
#include "ui/failure.h"

namespace quarvel::testing {
namespace {

// Long enough for a run to start on a busy machine.
constexpr DWORD kHangLimitMs = 5000;

class ToolRunnerTest : public ::testing::Test {
 protected:
  ToolRunnerTest() {
    CopyStandIn(appDir_.path());
    WriteRom(rom_, "GAME");
  }
  std::string Command() const { return ToolCommand(appDir_.path()); }
  std::vector<ToolRun> Recorded() const { return ReadToolRuns(record_); }

  TempFolder appDir_;
  TempFolder roms_;
  std::string rom_ = roms_ / "my game.gba";
  std::string record_ = appDir_ / "record.txt";
  ScopedEnvironment recording_{"QUARVEL_STANDIN_RECORD", record_};
};

TEST_F(ToolRunnerTest, ExitCodesOfRealProcessesMapByTheTable) {
  struct Case {
    const char* outcome;
    int32_t exitCode;
    ResultCode result;
  };
  const Case cases[] = {{"0", 0, kResultOk},         {"-1", -1, kResultProblems}, {"-2", -2, kResultBroken},
                        {"-3", -3, kResultError},    {"-4", -4, kResultPatched},  {"1", 1, kResultError},
                        {"crash", static_cast<int32_t>(0xC0000005u), kResultError}};
  for (const Case& c : cases) {
    ScopedEnvironment outcome("QUARVEL_STANDIN_EXIT", c.outcome);
    int32_t exitCode = 12345;
    EXPECT_TRUE(RunAndWait(Command(), "\"x.gba\"", 30000, true, exitCode)) << c.outcome;
    EXPECT_EQ(exitCode, c.exitCode) << c.outcome;
    EXPECT_EQ(RunToolOnFile(appDir_.path(), rom_, {}, Operation::Test, 30000), c.result) << c.outcome;
  }
}

TEST_F(ToolRunnerTest, ToolRunsInAppDirWithTheExactCommandLine) {
  SetCurrentDirectoryA(roms_.path().c_str());
  RunToolOnFile(appDir_.path(), rom_, ToolOptions{true, true, true}, Operation::Fix, 30000);
  RunToolOnFile(appDir_.path(), rom_, {}, Operation::Patch, 30000);
  std::vector<ToolRun> runs = Recorded();
  ASSERT_EQ(runs.size(), 2u);
  std::string dir = appDir_.path();
  std::string tool = "\"" + dir + "Quarvel.exe\"";
  std::string tail = "\"" + rom_ + "\" >> \"" + dir + "log.txt\"";
  EXPECT_EQ(runs[0].commandLine, tool + " -r -m -i -f " + tail);
  EXPECT_EQ(runs[1].commandLine, tool + " " + tail);
  // The tool starts in AppDir, and the front-end's own current directory stays there.
  EXPECT_EQ(runs[0].directory + "\\", dir);
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(std::string(current) + "\\", dir);
  // The tool was told to append to the log, and did.
  EXPECT_EQ(ReadLines(dir + "log.txt").size(), 2u);
}

TEST_F(ToolRunnerTest, AMissingToolIsAFailureWithTheSystemsErrorCode) {
  DeleteFileA((appDir_ / "Quarvel.exe").c_str());
  int32_t exitCode = 7;
  EXPECT_FALSE(RunAndWait(Command(), "x", 1000, false, exitCode));
  EXPECT_EQ(GetLastError(), 2u);
  EXPECT_EQ(exitCode, 0);
  try {
    RunToolOnFile(appDir_.path(), rom_, {}, Operation::Patch);
    FAIL() << "no failure raised";
  } catch (const Failure& failure) {
    EXPECT_EQ(std::string(failure.what()), "Could not process file \"" + rom_ + "\" (error 2)");
  }
}

TEST_F(ToolRunnerTest, AHungToolIsEndedWithExitCodeOneAndNothingIsLeftRunning) {
  ScopedEnvironment hang("QUARVEL_STANDIN_EXIT", "hang");
  HangWatch watch;
  int32_t exitCode = 0;
  EXPECT_FALSE(RunAndWait(Command(), "\"x.gba\"", kHangLimitMs, true, exitCode));
  EXPECT_EQ(exitCode, 1);
  ASSERT_TRUE(watch.Hung()) << "the stand-in never started to hang";
  EXPECT_LT(watch.SinceHang(), kHangLimitMs + 10000u) << "the limit ended the wait";
  std::vector<ToolRun> runs = Recorded();
  ASSERT_EQ(runs.size(), 1u);
  DWORD pid = runs[0].processId;
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
  if (process) {  // an ended process may still be open by id while its object lives
    EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_OBJECT_0) << "the hung tool still runs";
    CloseHandle(process);
  }
  EXPECT_THROW(RunToolOnFile(appDir_.path(), rom_, {}, Operation::Test, kHangLimitMs), Failure);
}

TEST_F(ToolRunnerTest, ANegativeLimitWaitsForInputIdleAndZeroDoesNotWait) {
  ScopedEnvironment exit("QUARVEL_STANDIN_EXIT", "-2");
  int32_t exitCode = 99;
  EXPECT_TRUE(RunAndWait(Command(), "x", 0, true, exitCode));
  EXPECT_EQ(exitCode, 0) << "with no wait there is no exit code to read";
  // A console program is never waiting for input: the wait fails, which counts as having ended.
  EXPECT_TRUE(RunAndWait(Command(), "x", -5000, true, exitCode));
}

}  // namespace
}  // namespace quarvel::testing
