// Starts the tool for one file and waits for it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "tool/command_line.h"
#include "tool/result_code.h"
#include "tool/tool_path.h"

namespace quarvel {

constexpr int kToolTimeLimitMs = 3600000;  // one hour

// Starts command with parameters and, unless limit is 0, waits: until the process ends (at most limit ms),
// or, for a negative limit, until it waits for input (at most -limit ms); while it waits for the end, the
// thread's windows stay painted and the person's input is dropped. A process that outlasts the
// limit, or whose end could not be waited for (WAIT_FAILED), is ended with exit code 1 and its ending
// waited for. Returns whether it was started and its wait neither timed out nor failed; when not, the last
// error is that of the failing step (CreateProcessA's, the failed wait's, or WAIT_TIMEOUT, 258). exitCode
// is the process's exit code, 0 when there was none to read. Both handles are always released.
bool RunAndWait(const std::string& command, const std::string& parameters, int limit, bool hidden, int32_t& exitCode);

// Takes the place of WaitForProcessHandlingMessages in RunAndWait while it lives.
using ProcessWait = std::function<DWORD(HANDLE process, DWORD limitMs)>;
class ScopedProcessWait {
 public:
  explicit ScopedProcessWait(ProcessWait wait);
  ~ScopedProcessWait();
  ScopedProcessWait(const ScopedProcessWait&) = delete;
  ScopedProcessWait& operator=(const ScopedProcessWait&) = delete;

 private:
  ProcessWait previous_;
};

inline constexpr const char* kRomNameBeyondTool =
    "Cannot hand file \"%s\" to the tool: its name does not fit the system's code page and it has no short "
    "name that does. Rename the file, or keep it on a drive with short names.";
inline constexpr const char* kLogNameBeyondTool =
    "Cannot hand the log file \"%s\" to the tool: the program folder's name does not fit the system's code page "
    "and it has no short name that does. Rename the folder, or keep the program on a drive with short names.";

// The system's code page and short names (SystemPathForms), or the forms in force.
const PathForms& DefaultPathForms();

// Takes the place of SystemPathForms in DefaultPathForms while it lives: a system whose drives keep no
// short names, say.
class ScopedPathForms {
 public:
  explicit ScopedPathForms(PathForms forms);
  ~ScopedPathForms();
  ScopedPathForms(const ScopedPathForms&) = delete;
  ScopedPathForms& operator=(const ScopedPathForms&) = delete;

 private:
  const PathForms* previous_;
  PathForms forms_;
};

// One tool run on one file, with appDir made the current directory. The ROM path and the log path are
// handed to the tool as PathForTool and NewFilePathForTool give them; where there is no such path, the
// tool is not run and kRomNameBeyondTool or kLogNameBeyondTool is raised. Raises
// "Could not process file "<path>" (error <n>)" when the tool cannot be started, outlasts the limit or
// cannot be waited for.
ResultCode RunToolOnFile(const std::string& appDir, const std::string& romPath, const ToolOptions& options,
                         Operation operation, int limit = kToolTimeLimitMs);

}  // namespace quarvel
