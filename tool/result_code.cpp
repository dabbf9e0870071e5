#include "tool/result_code.h"

namespace quarvel {

ResultCode MapExitCode(int32_t exitCode) {
  switch (exitCode) {
    case 0: return kResultOk;
    case -1: return kResultProblems;
    case -2: return kResultBroken;
    case -4: return kResultPatched;
    default: return kResultError;
  }
}

std::string ResultName(int value) {
  static const char* const kNames[kResultCodeCount] = {"OK", "PROBLEMS", "BROKEN", "ERROR", "PATCHED"};
  return value >= 0 && value < kResultCodeCount ? kNames[value] : "UNKNOWN";
}

}  // namespace quarvel
