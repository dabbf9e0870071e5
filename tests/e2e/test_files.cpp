#include "tests/e2e/test_files.h"

namespace e2e {

std::string WindowsPathOf(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  // Wine's own mapping knows every drive; "Z:" is where Wine puts the Unix root otherwise.
  using DosNameFunction = WCHAR* (*)(const char*);
  auto dosName = reinterpret_cast<DosNameFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
  if (dosName) {
    if (WCHAR* wide = dosName(path.c_str())) {
      char narrow[MAX_PATH * 4];
      int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof(narrow), nullptr, nullptr);
      HeapFree(GetProcessHeap(), 0, wide);
      if (length > 1) return std::string(narrow, static_cast<size_t>(length - 1));
    }
  }
  std::string windows = "Z:" + path;
  for (char& c : windows)
    if (c == '/') c = '\\';
  return windows;
}

std::string EnvironmentVariable(const char* name) {
  char value[4096];
  DWORD length = GetEnvironmentVariableA(name, value, sizeof(value));
  return length > 0 && length < sizeof(value) ? std::string(value, length) : std::string();
}

}  // namespace e2e
