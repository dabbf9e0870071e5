#include "tests/hostile/hostile_support.h"

#include <psapi.h>
#include <shlobj.h>

#include <algorithm>

namespace quarvel::testing {

void DropOnList(MainWindowFixture& window, const std::vector<std::string>& paths) {
  SendMessageA(window.form().Control(IDC_LISTVIEW1), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
}

std::wstring Widen(const std::string& text) {
  int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

bool CreateFolderW(const std::wstring& path) {
  return CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool WriteRomW(const std::wstring& path, const std::string& header, size_t size) {
  HANDLE file = CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::string image(size, '\0');
  for (size_t i = 0; i < header.size() && 160 + i < size; ++i) image[160 + i] = header[i];
  DWORD written = 0;
  bool ok = WriteFile(file, image.data(), static_cast<DWORD>(image.size()), &written, nullptr) && written == size;
  CloseHandle(file);
  return ok;
}

std::string MakeNestedPath(const std::string& parent, size_t totalLength, const std::string& name) {
  // Folders of at most 200 characters (201 with the separator), as even as can be, fill the gap exactly.
  size_t gap = totalLength > parent.size() + name.size() ? totalLength - parent.size() - name.size() : 0;
  size_t folders = (gap + 200) / 201;
  std::string folder = parent;
  for (size_t i = 0; i < folders; ++i) {
    size_t share = gap / folders + (i < gap % folders ? 1 : 0);  // folder name and its separator
    folder += std::string(share - 1, static_cast<char>('a' + i % 26));
    CreateFolderW(Widen(folder));
    folder += "\\";
  }
  return folder + name;
}

FileLocker::FileLocker(const std::string& path) {
  std::string eventName("quarvel-locker-");
  eventName += std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
  std::string commandLine(1, '"');
  commandLine += TestProgramDir() + "file_locker.exe\" \"" + path + "\" " + eventName;
  std::vector<char> writable(commandLine.begin(), commandLine.end());
  writable.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    HANDLE waits[] = {ready, process_};
    holding_ = WaitForMultipleObjects(2, waits, FALSE, 30000) == WAIT_OBJECT_0;
  }
  CloseHandle(ready);
}

void FileLocker::Release() {
  if (!process_) return;
  TerminateProcess(process_, 0);
  WaitForSingleObject(process_, 10000);
  CloseHandle(process_);
  process_ = nullptr;
  holding_ = false;
}

int OpenHandleCount() {
  int count = 0;
  for (ULONG_PTR value = 4; value < 0x40000; value += 4) {
    DWORD flags = 0;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
  }
  return count;
}

uint64_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
  return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
}

bool ProcessRunning(DWORD pid) {
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return false;
  bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  if (running) {
    // An id may have been given again to an unrelated process; only a tool run counts.
    char image[MAX_PATH * 4] = {};
    DWORD length = sizeof(image);
    if (QueryFullProcessImageNameA(process, 0, image, &length)) {
      std::string name(image, length);
      running = name.size() >= 11 && _stricmp(name.c_str() + name.size() - 11, "Quarvel.exe") == 0;
    }
  }
  CloseHandle(process);
  return running;
}

std::vector<DWORD> RecordedPids(const std::string& recordPath) {
  std::vector<DWORD> pids;
  for (const std::string& line : ReadLines(recordPath))
    pids.push_back(static_cast<DWORD>(std::stoul(line.substr(line.rfind('\t') + 1))));
  return pids;
}

std::vector<std::string> RecordedRoms(const std::string& recordPath) {
  std::vector<std::string> roms;
  for (const std::string& line : ReadLines(recordPath)) {
    size_t end = line.find("\" >>");
    size_t start = end == std::string::npos ? end : line.rfind('"', end - 1);
    roms.push_back(start == std::string::npos ? std::string() : line.substr(start + 1, end - start - 1));
  }
  return roms;
}

}  // namespace quarvel::testing
