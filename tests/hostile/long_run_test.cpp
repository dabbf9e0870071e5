// Many batches in a row: every tool process ends and is released, and the front-end holds no more
// handles or memory at the end than after the first few batches.
#include <gtest/gtest.h>

#include "tests/hostile/hostile_support.h"

namespace quarvel::testing {
namespace {

TEST(HostileLongRun, TwoHundredBatchesLeaveNoProcessRunningAndNoGrowth) {
  MainWindowFixture window;
  std::string record = window.appDir() / "record.txt";
  ScopedEnvironment recording("QUARVEL_STANDIN_RECORD", record);
  ScopedEnvironment exit("QUARVEL_STANDIN_EXIT", "-4");
  std::vector<std::string> paths;
  for (const char* name : {"one.gba", "two.gba"}) {
    paths.push_back(window.roms() / name);
    WriteRom(paths.back(), name);
  }
  window.Choose(paths);
  const int commands[] = {IDC_BUTTON_PATCH, IDC_BUTTON_FIX, IDC_BUTTON_UNPATCH, IDC_BUTTON_TEST};
  // The first batches load what stays loaded (the process machinery, the log's first writes).
  for (int batch = 0; batch < 8; ++batch) window.Command(commands[batch % 4]);
  PumpMessages();
  int handlesBefore = OpenHandleCount();
  uint64_t bytesBefore = PrivateBytes();

  const int kBatches = 200;
  for (int batch = 0; batch < kBatches; ++batch) {
    window.Command(commands[batch % 4]);
    PumpMessages();
  }
  int handlesAfter = OpenHandleCount();
  uint64_t bytesAfter = PrivateBytes();

  // The measures see a leak: one more handle, and a megabyte more of touched memory.
  HANDLE probe = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  EXPECT_EQ(OpenHandleCount(), handlesAfter + 1);
  CloseHandle(probe);
  std::vector<char> megabyte(1 << 20, 'x');
  EXPECT_GE(PrivateBytes(), bytesAfter + (1 << 20) - 65536);

  EXPECT_TRUE(window.messages().failures.empty()) << window.messages().failures[0];
  EXPECT_EQ(window.Cell(0, 4), "PATCHED");
  EXPECT_EQ(window.Cell(1, 4), "PATCHED");
  std::vector<DWORD> pids = RecordedPids(record);
  EXPECT_EQ(pids.size(), static_cast<size_t>(2 * (kBatches + 8)));
  int running = 0;
  for (DWORD pid : pids) running += ProcessRunning(pid) ? 1 : 0;
  EXPECT_EQ(running, 0) << "tool processes still running";
  // Each run opens a process and a thread handle: a leak would add 2 * 400 handles.
  EXPECT_LE(handlesAfter - handlesBefore, 8) << handlesBefore << " -> " << handlesAfter;
  // The row texts are replaced in place; a leak of even 1 KB a run would show as 400 KB.
  EXPECT_LE(static_cast<int64_t>(bytesAfter) - static_cast<int64_t>(bytesBefore), 256 * 1024)
      << bytesBefore << " -> " << bytesAfter;
  std::printf("handles %d -> %d, private bytes %llu -> %llu over %d batches\n", handlesBefore, handlesAfter,
              static_cast<unsigned long long>(bytesBefore), static_cast<unsigned long long>(bytesAfter), kBatches);
}

}  // namespace
}  // namespace quarvel::testing
