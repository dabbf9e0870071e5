#include "tests/e2e/test_files.h"

#include <fstream>

namespace e2e {

namespace {
constexpr size_t kGameNameOffset = 160;
constexpr size_t kGameNameLength = 18;
}  // namespace

TempFolder::TempFolder(const std::string& label) {
  char temp[MAX_PATH];
  DWORD length = GetTempPathA(sizeof(temp), temp);
  std::string base(temp, length);
  if (!base.empty() && base.back() != '\\') base += '\\';
  static unsigned counter = 0;
  // The process id and a counter keep parallel runs and repeated fixtures apart.
  for (;;) {
    std::string candidate = base + "qfe-e2e-" + label + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(++counter) + "-" + std::to_string(GetTickCount() % 100000);
    if (CreateDirectoryA(candidate.c_str(), nullptr)) {
      path_ = candidate + "\\";
      break;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
}

TempFolder::~TempFolder() {
  if (path_.empty()) return;
  // A process that has only just ended may still hold its image file for a moment.
  for (int attempt = 0; attempt < 20 && !DeleteTree(path_); ++attempt) Sleep(100);
}

bool WriteRomFile(const std::string& path, const std::string& gameName, size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < gameName.size() && i < kGameNameLength && kGameNameOffset + i < size; ++i)
    bytes[kGameNameOffset + i] = gameName[i];
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool CopyOneFile(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream file(path, std::ios::binary);
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool DeleteTree(const std::string& folder) {
  std::string base = folder;
  if (!base.empty() && base.back() != '\\') base += '\\';
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((base + "*").c_str(), &found);
  bool ok = true;
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = base + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        ok = DeleteTree(path) && ok;
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ok = DeleteFileA(path.c_str()) && ok;
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  base.pop_back();
  return RemoveDirectoryA(base.c_str()) && ok;
}

std::string ThisProgramFolder() {
  char path[MAX_PATH * 4];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

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

LockedFile::LockedFile(const std::string& path)
    : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

LockedFile::~LockedFile() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

std::string EnvironmentVariable(const char* name) {
  char value[4096];
  DWORD length = GetEnvironmentVariableA(name, value, sizeof(value));
  return length > 0 && length < sizeof(value) ? std::string(value, length) : std::string();
}

std::string SystemText(DWORD errorCode) {
  char text[1024] = {};
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, errorCode, 0, text,
                                sizeof(text), nullptr);
  std::string description(text, length);
  while (!description.empty() && (description.back() == '\n' || description.back() == '\r' ||
                                  description.back() == ' ' || description.back() == '.'))
    description.pop_back();
  return description;
}

}  // namespace e2e
