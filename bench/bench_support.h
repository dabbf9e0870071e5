// Shared pieces of the benchmarks: a timer, medians and the results table, so each benchmark measures
// the front-end and its bare limit the same way.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/test_files.h"
#include "tests/window/drop_block.h"

namespace quarvel::bench {

// Seconds since an arbitrary start, from the performance counter.
double Now();
double Median(std::vector<double> values);

// Folders, ROM files, memory and the message pump come from the tests' support library.
using testing::PrivateBytes;
using testing::PumpMessages;
using ScratchFolder = testing::TempFolder;
inline std::string ProgramDir() { return testing::ProgramFolder(); }
inline std::vector<std::string> WriteRoms(const std::string& folder, size_t count) {
  return testing::WriteNumberedRoms(folder, count);
}

// A drop as the desktop shell makes it.
using testing::MakeDrop;

// One line of the results table, in Markdown.
void PrintRow(const std::string& what, const std::string& measured, const std::string& limit, double ratio,
              const std::string& goal, bool met);
std::string Milliseconds(double seconds);
std::string Microseconds(double seconds);

}  // namespace quarvel::bench
