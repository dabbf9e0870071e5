// Shared pieces of the benchmarks: a timer, medians, a scratch folder, ROM files, drops and the
// program's folder, so each benchmark measures the front-end and its bare limit the same way.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/window/drop_block.h"

namespace quarvel::bench {

// Seconds since an arbitrary start, from the performance counter.
double Now();
double Median(std::vector<double> values);

// The folder of the running program, with its trailing separator (where the build puts every .exe).
std::string ProgramDir();

// A fresh folder under the system's temporary folder, removed with its files (one level) at the end.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& label);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Writes count ROM files of 512 bytes (a distinct header each) into folder; returns their paths.
std::vector<std::string> WriteRoms(const std::string& folder, size_t count);

// A drop as the desktop shell makes it.
using testing::MakeDrop;

// Committed private memory of this process (PrivateUsage, or PagefileUsage where Wine gives 0 for it).
uint64_t PrivateBytes();

// Handles the window messages waiting in this thread's queue.
void PumpMessages();

// One line of the results table, in Markdown.
void PrintRow(const std::string& what, const std::string& measured, const std::string& limit, double ratio,
              const std::string& goal, bool met);
std::string Milliseconds(double seconds);
std::string Microseconds(double seconds);

}  // namespace quarvel::bench
