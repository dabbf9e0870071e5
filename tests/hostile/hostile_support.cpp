#include "tests/hostile/hostile_support.h"

#include "tests/support/remote_windows.h"

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
  std::string image = RomImage(header, size);
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
