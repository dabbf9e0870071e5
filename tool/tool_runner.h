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

// How the started program's window shows: normally and in front, taking the keyboard; shown without
// taking the keyboard or coming to the front; or hidden.
enum class WindowShow { Normal, NoActivate, Hidden };

// Starts command with parameters, its window shown as asked, and, unless limit is 0, waits: until the process
// ends (at most limit ms), or, for a negative limit, until it waits for input (at most -limit ms); while it waits
// for the end, the thread's windows stay painted and the person's input is dropped. A process that outlasts the
// limit, or whose end could not be waited for (WAIT_FAILED), is ended with exit code 1 and its ending
// waited for. Returns whether it was started and its wait neither timed out nor failed; when not, the last
// error is that of the failing step (CreateProcessA's, the failed wait's, or WAIT_TIMEOUT, 258). exitCode
// is the process's exit code, 0 when there was none to read. Both handles are always released. The process
// starts in directory, or in the front-end's current directory when it is empty.
bool RunAndWait(const std::string& command, const std::string& parameters, int limit, WindowShow show,
                int32_t& exitCode, const std::string& directory = {});

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

// Why a file or the program folder cannot be handed to the tool.
inline constexpr const char* kRomNameBeyondTool =
    "Cannot hand file \"%s\" to the tool: its name does not fit the system's code page and it has no short "
    "name that does. Rename the file, or keep it on a drive with short names.";
inline constexpr const char* kRomPathTooLong =
    "Cannot hand file \"%s\" to the tool: its path is too long for the tool and it has no short name that is "
    "short enough. Move the file to a folder with a shorter path.";
inline constexpr const char* kRomShortNameUnread =
    "Cannot hand file \"%s\" to the tool: its short name could not be read. %s";
inline constexpr const char* kFolderNameBeyondTool =
    "Cannot start the tool in the program folder \"%s\": its name does not fit the system's code page and it has "
    "no short name that does. Rename the folder, or keep the program on a drive with short names.";
inline constexpr const char* kFolderPathTooLong =
    "Cannot start the tool in the program folder \"%s\": its path is too long for the tool and it has no short "
    "name that is short enough. Move the program to a folder with a shorter path.";
inline constexpr const char* kFolderShortNameUnread =
    "Cannot start the tool in the program folder \"%s\": its short name could not be read. %s";

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

// One tool run on one file. The tool is handed the ROM path as PathForTool gives it, and started from the
// program folder as FolderForTool gives it: by that folder's path, in that folder, and told to write the
// log there. Its console window shows without taking the keyboard, so that Esc stays the front-end's and
// stops the batch; in manual mode the person answers the tool there, so it comes to the front. Where either
// path has no such form, the tool is not run and one of the failures above is raised, with the system's
// reason where a short form could not be read. The front-end's own current directory becomes appDir.
// Raises "Could not process file "<path>" (error <n>)" when the tool cannot be started, outlasts the limit
// or cannot be waited for.
ResultCode RunToolOnFile(const std::string& appDir, const std::string& romPath, const ToolOptions& options,
                         Operation operation, int limit = kToolTimeLimitMs);

}  // namespace quarvel
