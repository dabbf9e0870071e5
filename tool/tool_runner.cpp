#include "tool/tool_runner.h"

#include <windows.h>

#include <vector>

#include "tool/kernel_handle.h"
#include "tool/message_wait.h"
#include "ui/failure.h"

namespace quarvel {

namespace {
struct StartedProcess {
  KernelHandle process;
  KernelHandle thread;
};

bool StartProcess(std::string commandLine, bool hidden, StartedProcess& started) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = hidden ? SW_HIDE : SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  std::vector<char> writable(commandLine.begin(), commandLine.end());
  writable.push_back('\0');  // CreateProcessA may write into the command line
  if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                      &startup, &info))
    return false;
  started.process.reset(info.hProcess);
  started.thread.reset(info.hThread);
  return true;
}
}  // namespace

bool RunAndWait(const std::string& command, const std::string& parameters, int limit, bool hidden, int32_t& exitCode) {
  exitCode = 0;
  StartedProcess started;
  if (!StartProcess(JoinCommandLine(command, parameters), hidden, started)) return false;
  if (limit == 0) return true;

  bool result = true;
  DWORD wait = limit < 0 ? WaitForInputIdle(started.process.get(), static_cast<DWORD>(-static_cast<int64_t>(limit)))
                         : WaitForProcessHandlingMessages(started.process.get(), static_cast<DWORD>(limit));
  if (wait == WAIT_TIMEOUT) {
    TerminateProcess(started.process.get(), 1);
    // Let the ending finish, so the exit code read below is the 1 just given.
    WaitForSingleObject(started.process.get(), 5000);
    result = false;
  }
  DWORD code = 0;
  GetExitCodeProcess(started.process.get(), &code);
  exitCode = static_cast<int32_t>(code);
  return result;
}

ResultCode RunToolOnFile(const std::string& appDir, const std::string& romPath, const ToolOptions& options,
                         Operation operation, int limit) {
  std::string command = ToolCommand(appDir);
  std::string parameters = ToolParameters(options, OperationSwitch(operation), romPath, appDir);
  SetCurrentDirectoryA(appDir.c_str());
  int32_t exitCode = 0;
  if (!RunAndWait(command, parameters, limit, false, exitCode)) {
    DWORD error = GetLastError();
    RaiseFailure("Could not process file \"%s\" (error %d)", {romPath, static_cast<int32_t>(error)});
  }
  return MapExitCode(exitCode);
}

}  // namespace quarvel
