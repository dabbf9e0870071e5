// Starts the tool for one file and waits for it.
#pragma once
#include <cstdint>
#include <string>

#include "tool/command_line.h"
#include "tool/result_code.h"

namespace quarvel {

constexpr int kToolTimeLimitMs = 3600000;  // one hour

// Starts command with parameters and, unless limit is 0, waits: until the process ends (at most limit ms),
// or, for a negative limit, until it waits for input (at most -limit ms); while it waits for the end, the
// thread's windows stay painted and the person's input is dropped. A process that outlasts the
// limit is ended with exit code 1. Returns whether it was started and did not time out; exitCode is
// the process's exit code, 0 when there was none to read. Both handles are always released.
bool RunAndWait(const std::string& command, const std::string& parameters, int limit, bool hidden, int32_t& exitCode);

// One tool run on one file, with appDir made the current directory. Raises
// "Could not process file "<path>" (error <n>)" when the tool cannot be started or outlasts the limit.
ResultCode RunToolOnFile(const std::string& appDir, const std::string& romPath, const ToolOptions& options,
                         Operation operation, int limit = kToolTimeLimitMs);

}  // namespace quarvel
