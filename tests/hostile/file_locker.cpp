// Holds a file open with no sharing, as another program on the desktop might, until it is ended.
// Usage: file_locker.exe <path> <event name>; the named event is set once the file is held.
#include <windows.h>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  HANDLE file = CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 3;
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
  if (!ready || !SetEvent(ready)) return 4;
  Sleep(INFINITE);
  return 0;
}
