// The tool runner against real processes: the stand-in tool exiting as told, crashing, hanging or missing.
#include "tool/tool_runner.h"

#include <gtest/gtest.h>

#include "tests/window/test_support.h"
#include "ui/failure.h"

namespace quarvel::testing {
namespace {

// Long enough for a run to start on a busy machine.
constexpr DWORD kHangLimitMs = 5000;

// The text of the failure that run raises, or "no failure raised".
template <typename Run>
std::string FailureOf(Run run) {
  try {
    run();
  } catch (const Failure& failure) {
    return failure.what();
  }
  return "no failure raised";
}

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
    EXPECT_TRUE(RunAndWait(Command(), "\"x.gba\"", 30000, WindowShow::Hidden, exitCode)) << c.outcome;
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
  EXPECT_EQ(runs[0].systemCommandLine, runs[0].commandLine) << "a plain path is seen as it was handed";
  EXPECT_TRUE(runs[0].opened);
  EXPECT_EQ(runs[0].fileId, FileIdOf(rom_));
  // STARTF_USESHOWWINDOW: SW_SHOWNORMAL in manual mode, for the person to answer; else SW_SHOWNOACTIVATE, keeping Esc.
  EXPECT_EQ(runs[0].startup, "flags 1 show 1");
  EXPECT_EQ(runs[1].startup, "flags 1 show 4");
  // The tool starts in AppDir and reads its own path there; the front-end's current directory stays there too.
  EXPECT_EQ(runs[0].directory + "\\", dir);
  EXPECT_EQ(runs[0].systemDirectory + "\\", dir);
  EXPECT_EQ(runs[0].systemModule, dir + "Quarvel.exe");
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(std::string(current) + "\\", dir);
  // The tool was told to append to the log, and did.
  EXPECT_EQ(ReadLines(dir + "log.txt").size(), 2u);
}

TEST_F(ToolRunnerTest, AMissingToolIsAFailureWithTheSystemsErrorCode) {
  DeleteFileA((appDir_ / "Quarvel.exe").c_str());
  int32_t exitCode = 7;
  EXPECT_FALSE(RunAndWait(Command(), "x", 1000, WindowShow::Normal, exitCode));
  EXPECT_EQ(GetLastError(), 2u);
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(FailureOf([&] { RunToolOnFile(appDir_.path(), rom_, {}, Operation::Patch); }),
            "Could not process file \"" + rom_ + "\" (error 2)");
}

TEST_F(ToolRunnerTest, AHungToolIsEndedWithExitCodeOneAndNothingIsLeftRunning) {
  ScopedEnvironment hang("QUARVEL_STANDIN_EXIT", "hang");
  HangWatch watch;
  int32_t exitCode = 0;
  EXPECT_FALSE(RunAndWait(Command(), "\"x.gba\"", kHangLimitMs, WindowShow::Hidden, exitCode));
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
  EXPECT_EQ(FailureOf([&] { RunToolOnFile(appDir_.path(), rom_, {}, Operation::Test, kHangLimitMs); }),
            "Could not process file \"" + rom_ + "\" (error 258)")
      << "WAIT_TIMEOUT";
}

// A wait that fails is no end of the run: the run is ended before the failure is raised, with the wait's error.
TEST_F(ToolRunnerTest, AFailedWaitEndsTheRunAndReportsTheWaitsError) {
  ScopedEnvironment hang("QUARVEL_STANDIN_EXIT", "hang");
  HangWatch watch;
  ScopedProcessWait failing([&watch](HANDLE, DWORD) {
    for (int waited = 0; waited < 400 && !watch.Hung(); ++waited) Sleep(50);  // the run is under way
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  });
  EXPECT_EQ(FailureOf([&] { RunToolOnFile(appDir_.path(), rom_, {}, Operation::Test, 30000); }),
            "Could not process file \"" + rom_ + "\" (error 6)");
  std::vector<ToolRun> runs = Recorded();
  ASSERT_EQ(runs.size(), 1u);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, runs[0].processId);
  if (process) {
    bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    EXPECT_TRUE(ended) << "the run still runs after its failed wait";
    if (!ended) TerminateProcess(process, 1);  // so that the fault shows as a failure, not a hung test
    CloseHandle(process);
  }
}

// "\xC5\x81\xC3\xB3" "d\xC5\xBA.gba" is "L\xF3" "dz.gba" by best fit in code page 1252: handed as it is, a
// tool would open the other file. A path of MAX_PATH characters or more, which an ordinary tool cannot open,
// goes by its short form too; a name with no short form to read gets the system's reason.
TEST_F(ToolRunnerTest, ANameOutsideTheCodePageOrAPathTooLongGoesByItsShortForm) {
  const std::string polish = roms_ / "\xC5\x81\xC3\xB3" "d\xC5\xBA.gba";
  ASSERT_TRUE(WriteRomW(Widen(polish), "POLISH"));
  WriteRom(roms_ / "L\xC3\xB3" "dz.gba", "OTHER");  // the best fit, measured
  WriteRom(roms_ / "Lodz.gba", "OTHER");
  const std::string deep = MakeNestedPath(roms_.path(), 313, "a long way down.gba");
  ASSERT_TRUE(WriteRomW(Widen(deep), "DEEP"));
  RunToolOnFile(appDir_.path(), polish, {}, Operation::Test, 30000);
  RunToolOnFile(appDir_.path(), deep, {}, Operation::Test, 30000);
  std::vector<ToolRun> runs = Recorded();
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_TRUE(runs[0].opened);
  EXPECT_EQ(runs[0].fileId, FileIdOf(polish));
  EXPECT_NE(runs[0].fileId, FileIdOf(roms_ / "L\xC3\xB3" "dz.gba"));
  EXPECT_EQ(runs[0].systemCommandLine, runs[0].commandLine) << "the short form is seen as it was handed";
  EXPECT_TRUE(runs[1].opened) << runs[1].rom;
  EXPECT_EQ(runs[1].fileId, FileIdOf(deep));
  const std::string gone = roms_ / "\xE3\x83\x9D gone.gba";
  EXPECT_EQ(FailureOf([&] { RunToolOnFile(appDir_.path(), gone, {}, Operation::Test, 30000); }),
            "Cannot hand file \"" + gone + "\" to the tool: its short name could not be read. " +
                SystemText(ERROR_FILE_NOT_FOUND));
}

TEST_F(ToolRunnerTest, ANegativeLimitWaitsForInputIdleAndZeroDoesNotWait) {
  ScopedEnvironment exit("QUARVEL_STANDIN_EXIT", "-2");
  int32_t exitCode = 99;
  EXPECT_TRUE(RunAndWait(Command(), "x", 0, WindowShow::Hidden, exitCode));
  EXPECT_EQ(exitCode, 0) << "with no wait there is no exit code to read";
  // A console program is never waiting for input: the wait fails, which counts as having ended.
  EXPECT_TRUE(RunAndWait(Command(), "x", -5000, WindowShow::Hidden, exitCode));
}

}  // namespace
}  // namespace quarvel::testing
