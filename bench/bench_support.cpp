#include "bench/bench_support.h"

#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>

namespace quarvel::bench {

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return static_cast<double>(value.QuadPart);
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / frequency;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string ProgramDir() {
  char path[MAX_PATH * 4];
  std::string module(path, GetModuleFileNameA(nullptr, path, sizeof(path)));
  return module.substr(0, module.find_last_of('\\') + 1);
}

ScratchFolder::ScratchFolder(const std::string& label) {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  path_ = std::string(base) + "quarvel-bench-" + label + "-" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path_ + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((path_ + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path_.c_str());
}

std::vector<std::string> WriteRoms(const std::string& folder, size_t count) {
  std::vector<std::string> paths;
  std::string image(512, '\0');
  for (size_t i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof(name), "rom%05u.gba", static_cast<unsigned>(i));
    std::snprintf(&image[160], 19, "GAME%05uAXXE01", static_cast<unsigned>(i));
    paths.push_back(folder + name);
    HANDLE file = CreateFileA(paths.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, image.data(), static_cast<DWORD>(image.size()), &written, nullptr);
    CloseHandle(file);
  }
  return paths;
}

uint64_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
  return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void PrintRow(const std::string& what, const std::string& measured, const std::string& limit, double ratio,
              const std::string& goal, bool met) {
  std::printf("| %s | %s | %s | %.2fx | %s | %s |\n", what.c_str(), measured.c_str(), limit.c_str(), ratio,
              goal.c_str(), goal.empty() ? "" : (met ? "met" : "MISSED"));
  std::fflush(stdout);
}

std::string Milliseconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.1f ms", seconds * 1000);
  return text;
}

std::string Microseconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.1f us", seconds * 1e6);
  return text;
}

}  // namespace quarvel::bench
