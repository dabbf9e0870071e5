#include "tool/tool_runner.h"

#include <windows.h>

#include <optional>
#include <utility>
#include <vector>

#include "tool/message_wait.h"
#include "tool/system_path_forms.h"
#include "ui/failure.h"
#include "ui/kernel_handle.h"
#include "ui/system_error_text.h"

namespace quarvel {

namespace {
ProcessWait processWait;  // in force instead of WaitForProcessHandlingMessages while set
const PathForms* pathForms = nullptr;  // in force instead of SystemPathForms while set

struct StartedProcess {
  KernelHandle process;
  KernelHandle thread;
};

WORD ShowCommand(WindowShow show) {
  switch (show) {
    case WindowShow::NoActivate: return SW_SHOWNOACTIVATE;
    case WindowShow::Hidden: return SW_HIDE;
    case WindowShow::Normal: break;
  }
  return SW_SHOWNORMAL;
}

bool StartProcess(std::string commandLine, WindowShow show, const std::string& directory, StartedProcess& started) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = ShowCommand(show);
  PROCESS_INFORMATION info{};
  std::vector<char> writable(commandLine.begin(), commandLine.end());
  writable.push_back('\0');  // CreateProcessA may write into the command line
  if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                      directory.empty() ? nullptr : directory.c_str(), &startup, &info)) {
    DWORD error = GetLastError();
    writable.clear();
    SetLastError(error);
    return false;
  }
  started.process.reset(info.hProcess);
  started.thread.reset(info.hThread);
  return true;
}
}  // namespace

bool RunAndWait(const std::string& command, const std::string& parameters, int limit, WindowShow show,
                int32_t& exitCode, const std::string& directory) {
  exitCode = 0;
  StartedProcess started;
  if (!StartProcess(JoinCommandLine(command, parameters), show, directory, started)) return false;
  if (limit == 0) return true;

  DWORD wait = 0;
  if (limit < 0) {
    wait = WaitForInputIdle(started.process.get(), static_cast<DWORD>(-static_cast<int64_t>(limit)));
  } else {
    wait = processWait ? processWait(started.process.get(), static_cast<DWORD>(limit))
                       : WaitForProcessHandlingMessages(started.process.get(), static_cast<DWORD>(limit));
  }
  // A run that outlasted the limit, or whose end could not be waited for, may still be running: it is
  // ended, and the ending waited for, so that no other run starts beside it; the exit code read below is
  // the 1 just given. The error reported is the wait's own. (A console program never waits for input, so
  // WaitForInputIdle fails for it: that counts as having started.)
  DWORD error = 0;
  if (wait == WAIT_TIMEOUT) error = WAIT_TIMEOUT;  // "The wait operation timed out."
  if (wait == WAIT_FAILED && limit > 0) error = GetLastError();
  if (error != 0) {
    TerminateProcess(started.process.get(), 1);
    WaitForSingleObject(started.process.get(), 5000);
  }
  DWORD code = 0;
  GetExitCodeProcess(started.process.get(), &code);
  exitCode = static_cast<int32_t>(code);
  SetLastError(error);
  return error == 0;
}

ScopedProcessWait::ScopedProcessWait(ProcessWait wait) : previous_(std::exchange(processWait, std::move(wait))) {}

ScopedProcessWait::~ScopedProcessWait() { processWait = std::move(previous_); }

namespace {
// Why a path has no form the tool can take: the system's reason where its short form could not be read.
[[noreturn]] void RaiseUnhanded(const HandedPath& handed, const std::string& path, const char* outsideCodePage,
                                const char* tooLong, const char* shortNameUnread) {
  if (handed.error != 0) RaiseFailure(shortNameUnread, {path, SystemErrorText(handed.error)});
  RaiseFailure(handed.problem == PathFit::TooLong ? tooLong : outsideCodePage, {path});
}
}  // namespace

ResultCode RunToolOnFile(const std::string& appDir, const std::string& romPath, const ToolOptions& options,
                         Operation operation, int limit) {
  const PathForms& forms = DefaultPathForms();
  const HandedPath rom = PathForTool(romPath, forms);
  if (!rom.path) RaiseUnhanded(rom, romPath, kRomNameBeyondTool, kRomPathTooLong, kRomShortNameUnread);
  const HandedPath folder = FolderForTool(appDir, kToolFileName, forms);
  if (!folder.path) RaiseUnhanded(folder, appDir, kFolderNameBeyondTool, kFolderPathTooLong, kFolderShortNameUnread);
  std::string command = ToolCommand(*folder.path);
  std::string parameters = ToolParameters(options, OperationSwitch(operation), *rom.path, *folder.path + kLogFileName);
  // The tool is given its folder itself, by the path it can read back; the front-end's own follows it.
  SetCurrentDirectoryA(appDir.c_str());
  int32_t exitCode = 0;
  const WindowShow show = options.manualMode ? WindowShow::Normal : WindowShow::NoActivate;
  if (!RunAndWait(command, parameters, limit, show, exitCode, *folder.path)) {
    DWORD error = GetLastError();
    RaiseFailure("Could not process file \"%s\" (error %d)", {romPath, static_cast<int32_t>(error)});
  }
  return MapExitCode(exitCode);
}

const PathForms& DefaultPathForms() { return pathForms ? *pathForms : SystemPathForms(); }

ScopedPathForms::ScopedPathForms(PathForms forms) : previous_(pathForms), forms_(std::move(forms)) {
  pathForms = &forms_;
}

ScopedPathForms::~ScopedPathForms() { pathForms = previous_; }

}  // namespace quarvel
