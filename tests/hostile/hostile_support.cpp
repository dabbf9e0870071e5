#include "tests/hostile/hostile_support.h"

#include "tests/support/remote_windows.h"

namespace quarvel::testing {

void DropOnList(MainWindowFixture& window, const std::vector<std::string>& paths) {
  SendMessageA(window.form().Control(IDC_LISTVIEW1), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
}

int OpenHandleCount() {
  int count = 0;
  for (ULONG_PTR value = 4; value < 0x40000; value += 4) {
    DWORD flags = 0;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
  }
  return count;
}

bool ProcessRunning(DWORD pid) {
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return false;
  bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  // An id may have been given again to an unrelated process; only a tool run counts. The handle held
  // meanwhile keeps the id from being given again.
  std::string name = running ? ImagePathOf(pid) : std::string();
  if (!name.empty()) running = name.size() >= 11 && _stricmp(name.c_str() + name.size() - 11, "Quarvel.exe") == 0;
  CloseHandle(process);
  return running;
}

}  // namespace quarvel::testing
