// Start-up: from CreateProcess to the main window shown and the program idle, for the front-end and for
// a program that shows one bare window. Runs alternate between the two; the medians are compared.
// Usage: startup_bench.exe [repetitions] [other.exe ...]; other programs are timed too, for looking into
// what the front-end's start-up spends its time on. BENCH_VERBOSE=1 prints every start's time.
#include <cstdio>
#include <cstdlib>
#include <algorithm>

#include "bench/bench_support.h"

namespace quarvel::bench {
namespace {

struct WindowSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->pid && IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// Starts exe in folder; returns the seconds until its window is visible and it waits for input, or -1.
double TimeStartUp(const std::string& exe, const std::string& folder) {
  std::string commandLine = "\"" + exe + "\"";
  std::vector<char> writable(commandLine.begin(), commandLine.end());
  writable.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  double start = Now();
  if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info))
    return -1;
  WaitForInputIdle(info.hProcess, 30000);
  WindowSearch search{info.dwProcessId, nullptr};
  while (!search.found && Now() - start < 30) {
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  double elapsed = Now() - start;
  // Ended rather than closed: under Wine without a window manager, hiding a window waits two seconds.
  double closing = Now();
  TerminateProcess(info.hProcess, 0);
  WaitForSingleObject(info.hProcess, 10000);
  if (getenv("BENCH_VERBOSE")) std::fprintf(stderr, "start %.1f ms, close %.1f ms\n", elapsed * 1000, (Now() - closing) * 1000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return search.found ? elapsed : -1;
}

}  // namespace
}  // namespace quarvel::bench

int main(int argc, char** argv) {
  using namespace quarvel::bench;
  int repetitions = argc > 1 ? std::atoi(argv[1]) : 9;
  // The front-end in a folder of its own with the stand-in tool beside it, so it starts without a report.
  ScratchFolder folder("startup");
  std::string frontEnd = folder.path() + "QuarvelFE.exe";
  CopyFileA((ProgramDir() + "QuarvelFE.exe").c_str(), frontEnd.c_str(), FALSE);
  CopyFileA((ProgramDir() + "Quarvel.exe").c_str(), (folder.path() + "Quarvel.exe").c_str(), FALSE);
  std::string minimal = ProgramDir() + "minimal_window.exe";

  // One start of each first, so both read their files from the cache.
  TimeStartUp(frontEnd, folder.path());
  TimeStartUp(minimal, folder.path());
  std::vector<std::string> others(argv + std::min(argc, 2), argv + argc);
  std::vector<double> app, bare;
  std::vector<std::vector<double>> other(others.size());
  for (int i = 0; i < repetitions; ++i) {
    double a = TimeStartUp(frontEnd, folder.path());
    double b = TimeStartUp(minimal, folder.path());
    if (a < 0 || b < 0) {
      std::fprintf(stderr, "a start-up failed (front-end %.3f, minimal %.3f)\n", a, b);
      return 1;
    }
    app.push_back(a);
    bare.push_back(b);
    for (size_t k = 0; k < others.size(); ++k) other[k].push_back(TimeStartUp(others[k], folder.path()));
  }
  double ratio = Median(app) / Median(bare);
  PrintRow("Start-up to window shown and idle (median of " + std::to_string(repetitions) + ")",
           Milliseconds(Median(app)), Milliseconds(Median(bare)) + " (one bare window)", ratio, "<= 1.3x", ratio <= 1.3);
  for (size_t k = 0; k < others.size(); ++k)
    PrintRow("- " + others[k], Milliseconds(Median(other[k])), "", Median(other[k]) / Median(bare), "", false);
  DeleteFileA(frontEnd.c_str());
  DeleteFileA((folder.path() + "Quarvel.exe").c_str());
  return 0;
}
