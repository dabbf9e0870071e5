// The front-end's reading of one tool run: 0 to 4, also the index of the row's icon.
#pragma once
#include <cstdint>
#include <string>

namespace quarvel {

enum ResultCode : int {
  kResultOk = 0,        // exit code 0
  kResultProblems = 1,  // exit code -1
  kResultBroken = 2,    // exit code -2
  kResultError = 3,     // any other exit code
  kResultPatched = 4,   // exit code -4
};
constexpr int kResultCodeCount = 5;

// exitCode is the process's exit code read as a signed 32-bit number (0xFFFFFFFC is -4).
ResultCode MapExitCode(int32_t exitCode);

// "OK", "PROBLEMS", "BROKEN", "ERROR", "PATCHED" for 0 to 4, "UNKNOWN" for anything else.
std::string ResultName(int value);

}  // namespace quarvel
