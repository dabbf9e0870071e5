#include "bench/bench_support.h"

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
