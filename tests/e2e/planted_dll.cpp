// A DLL of a system DLL's name, for planting beside the front-end as a stranger could. Once loaded, it
// leaves a file of its own name plus ".loaded" beside itself.
#include <windows.h>

#include <cstring>

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  char record[MAX_PATH + 8] = {};
  if (reason != DLL_PROCESS_ATTACH || !GetModuleFileNameA(module, record, MAX_PATH)) return TRUE;
  std::strcat(record, ".loaded");
  HANDLE file = CreateFileA(record, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return TRUE;
}
