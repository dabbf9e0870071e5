#include "tests/support/remote_windows.h"

#include <commctrl.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "tests/support/remote_memory.h"

namespace quarvel::testing {

namespace {
constexpr DWORD kPollMs = 50;
constexpr DWORD kMessageTimeoutMs = 5000;
constexpr size_t kCellChars = 2048;

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}
}  // namespace

DWORD Stretched(DWORD timeoutMs) {
  static const DWORD scale = [] {
    char text[16] = {};
    DWORD length = GetEnvironmentVariableA("QUARVEL_WAIT_SCALE", text, sizeof(text));
    DWORD value = length > 0 && length < sizeof(text) ? std::strtoul(text, nullptr, 10) : 0;
    return value > 0 ? value : 1;
  }();
  return timeoutMs * scale;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start >= Stretched(timeoutMs)) return done();
    Sleep(kPollMs);
  }
}

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* answered) {
  DWORD_PTR result = 0;
  LRESULT ok = SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, Stretched(kMessageTimeoutMs), &result);
  if (answered) *answered = ok != 0;
  return ok ? static_cast<LRESULT>(result) : 0;
}

std::string ClassNameOf(HWND window) {
  char name[256] = {};
  int length = GetClassNameA(window, name, sizeof(name));
  return std::string(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string TextOf(HWND window) {
  char text[4096] = {};
  bool answered = false;
  LRESULT length = SendWithTimeout(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), &answered);
  if (!answered) return {};
  return std::string(text, static_cast<size_t>(std::clamp<LRESULT>(length, 0, sizeof(text) - 1)));
}

std::vector<std::string> StaticTextsOf(HWND window) {
  std::vector<std::string> texts;
  for (HWND child : ChildWindows(window))
    if (_stricmp(ClassNameOf(child).c_str(), "Static") == 0)
      if (std::string text = TextOf(child); !text.empty()) texts.push_back(text);
  return texts;
}

DialogView ReadDialog(HWND dialog) {
  DialogView view;
  view.caption = TextOf(dialog);
  view.texts = StaticTextsOf(dialog);
  GetWindowRect(dialog, &view.frame);
  for (HWND child : ChildWindows(dialog)) {
    LONG style = GetWindowLongA(child, GWL_STYLE);
    if (_stricmp(ClassNameOf(child).c_str(), "Button") == 0) {
      view.buttons.push_back(TextOf(child));
      if (GetDlgCtrlID(child) == IDOK || GetDlgCtrlID(child) == IDCANCEL)
        view.okIsDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    } else if ((style & SS_TYPEMASK) == SS_ICON) {
      view.icon = reinterpret_cast<HICON>(SendWithTimeout(child, STM_GETICON, 0, 0));
    }
  }
  return view;
}

HWND FindDialogOf(DWORD processId, const std::string& caption) {
  for (HWND window : TopLevelWindows()) {
    if (ProcessOf(window) != processId || !IsWindowVisible(window) || TextOf(window) != caption) continue;
    for (HWND child : ChildWindows(window))
      if (ClassNameOf(child) == "Button" && IsWindowVisible(child)) return window;
  }
  return nullptr;
}

std::string ImagePathOf(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return {};
  char path[MAX_PATH * 4];
  DWORD length = sizeof(path);
  std::string image = QueryFullProcessImageNameA(process, 0, path, &length) ? std::string(path, length) : "";
  CloseHandle(process);
  return image;
}

SIZE OuterSizeAt(HWND window, SIZE client, int dpi) {
  using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  auto adjust = reinterpret_cast<AdjustForDpi>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi")));
  RECT frame{0, 0, client.cx, client.cy};
  const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
  if (adjust) adjust(&frame, style, GetMenu(window) != nullptr, static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)),
                     static_cast<UINT>(dpi));
  return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

DWORD ProcessOf(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return processId;
}

std::string LoadLibraryIn(DWORD processId, const std::string& dllName) {
  HANDLE process = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                   PROCESS_VM_READ | PROCESS_VM_WRITE,
                               FALSE, processId);
  if (!process) return {};
  {
    RemoteMemory name(process, dllName.size() + 1);
    // kernel32 lies at the same address in every process of one bitness.
    auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
    HANDLE thread = name.Write(0, dllName.c_str(), dllName.size() + 1)
                        ? CreateRemoteThread(process, nullptr, 0, loadLibrary, name.at(0), 0, nullptr)
                        : nullptr;
    if (thread) WaitForSingleObject(thread, kWaitMs);
    if (thread) CloseHandle(thread);
  }
  CloseHandle(process);
  std::string loaded;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry))
    if (_stricmp(entry.szModule, dllName.c_str()) == 0) loaded = entry.szExePath;
  if (snapshot != INVALID_HANDLE_VALUE) CloseHandle(snapshot);
  return loaded;
}

std::string CommandLineOf(DWORD processId) {
  using QueryFunction = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<QueryFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (!query || !process) {
    if (process) CloseHandle(process);
    return {};
  }
  PROCESS_BASIC_INFORMATION basic{};
  PEB peb{};
  RTL_USER_PROCESS_PARAMETERS parameters{};
  std::wstring wide;
  SIZE_T read = 0;
  if (query(process, ProcessBasicInformation, &basic, sizeof(basic), nullptr) == 0 &&
      ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof(peb), &read) &&
      ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof(parameters), &read)) {
    wide.resize(parameters.CommandLine.Length / sizeof(wchar_t));
    if (!ReadProcessMemory(process, parameters.CommandLine.Buffer, wide.data(), parameters.CommandLine.Length, &read))
      wide.clear();
  }
  CloseHandle(process);
  std::string text(wide.size() * 2 + 1, '\0');
  int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                                   static_cast<int>(text.size()), nullptr, nullptr);
  text.resize(static_cast<size_t>(std::max(length, 0)));
  return text;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&children));
  return children;
}

std::string ReadStatusText(HANDLE process, HWND statusBar) {
  RemoteMemory memory(process, kCellChars);
  if (!statusBar || !memory.valid()) return {};
  char zero = '\0';
  memory.Write(0, &zero, 1);
  SendWithTimeout(statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(memory.at(0)));
  return memory.ReadText(0, kCellChars);
}

std::optional<std::string> ReadListCell(HANDLE process, HWND list, int row, int column) {
  RemoteMemory memory(process, sizeof(LVITEMA) + kCellChars);
  if (!memory.valid()) return std::nullopt;
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = memory.at(sizeof(LVITEMA));
  item.cchTextMax = kCellChars;
  char zero = '\0';
  bool answered = false;
  if (!memory.Write(0, &item, sizeof(item)) || !memory.Write(sizeof(LVITEMA), &zero, 1)) return std::nullopt;
  SendWithTimeout(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(memory.at(0)), &answered);
  if (!answered) return std::nullopt;
  // The list may point the item at a buffer of its own instead of filling ours.
  LVITEMA answer{};
  if (!memory.Read(0, &answer, sizeof(answer))) return std::nullopt;
  const char* source = answer.pszText ? answer.pszText : item.pszText;
  std::vector<char> text(kCellChars, '\0');
  SIZE_T read = 0;
  ReadProcessMemory(process, source, text.data(), text.size(), &read);
  if (read == 0) return std::nullopt;
  return std::string(text.data(), strnlen(text.data(), read));
}

}  // namespace quarvel::testing
