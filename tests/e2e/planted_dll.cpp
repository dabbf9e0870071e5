// A DLL of a system DLL's name, for planting beside the front-end as a stranger could. Once loaded, it
// notes the program it runs in, in "planted-dll-loaded.txt" beside itself.
#include <windows.h>

#include <cstring>

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char record[MAX_PATH * 2] = {}, program[MAX_PATH * 2] = {};
  GetModuleFileNameA(module, record, MAX_PATH);
  char* nameStart = std::strrchr(record, '\\');
  if (!nameStart) return TRUE;
  std::strcpy(nameStart + 1, "planted-dll-loaded.txt");
  DWORD length = GetModuleFileNameA(nullptr, program, sizeof(program) - 2);
  std::strcpy(program + length, "\r\n");
  HANDLE file = CreateFileA(record, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return TRUE;
  DWORD written = 0;
  WriteFile(file, program, length + 2, &written, nullptr);
  CloseHandle(file);
  return TRUE;
}
