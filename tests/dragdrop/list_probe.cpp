// Reads a running front-end from outside, for the X11 drop test: its ROM list rows and any failure
// report it shows, one fact per line, tab-separated. It can also close the report and the program.
//
//   list_probe.exe [--exe <path of QuarvelFE.exe>] [--close-report] [--close]
//
// Lines written:
//   window <hwnd> <process id>
//   list <left> <top> <right> <bottom>        (the list's screen rectangle)
//   rows <count>
//   row <index> <file name> <game name> <directory> <size> <result>
//   report <hwnd> <caption> <text>            (a visible top-level "Quarvel Front-End" window)
//   closed-report <hwnd> | report-stayed <hwnd>
//   ended | still-running
// Exit code: 0 when the main window was found and read, 2 when it was not, 3 when a read failed.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "tests/e2e/remote_memory.h"

namespace {
constexpr const char* kMainCaption = "Quarvel Front-End v1.1";
constexpr const char* kReportCaption = "Quarvel Front-End";
constexpr DWORD kMessageTimeoutMs = 5000;
constexpr DWORD kCloseWaitMs = 15000;
constexpr int kColumnCount = 5;
constexpr int kCellChars = 2048;

struct Options {
  std::string exe;  // only a window of the program started from this file counts
  bool closeReport = false;
  bool close = false;
};

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// Tabs and line breaks inside a text would split the line; they are shown escaped.
std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\t') out += "\\t";
    else if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c == '\\') out += "\\\\";
    else out += c;
  }
  return out;
}

std::string Hex(HWND window) {
  char text[32];
  std::snprintf(text, sizeof(text), "0x%lx", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
  return text;
}

bool SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                           &answer))
    return false;
  if (result) *result = static_cast<LRESULT>(answer);
  return true;
}

std::string ClassNameOf(HWND window) {
  char name[256] = {};
  int length = GetClassNameA(window, name, sizeof(name));
  return std::string(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string CaptionOf(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof(text));  // the system keeps top-level captions: no message needed
  return text;
}

std::string TextOf(HWND window) {
  char text[4096] = {};
  LRESULT length = 0;
  if (!SendWithTimeout(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), &length)) return {};
  if (length < 0) length = 0;
  if (length >= static_cast<LRESULT>(sizeof(text))) length = sizeof(text) - 1;
  return std::string(text, static_cast<size_t>(length));
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

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
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

DWORD ProcessOf(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return processId;
}

HWND FindMainWindow(const Options& options) {
  for (HWND window : TopLevelWindows()) {
    if (ClassNameOf(window) != MAIN_WINDOW_CLASS || CaptionOf(window) != kMainCaption) continue;
    if (!options.exe.empty() && Lower(ImagePathOf(ProcessOf(window))) != Lower(options.exe)) continue;
    return window;
  }
  return nullptr;
}

bool ReadCell(HANDLE process, HWND list, int row, int column, std::string* cell) {
  e2e::RemoteMemory memory(process, sizeof(LVITEMA) + kCellChars);
  if (!memory.valid()) return false;
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = memory.at(sizeof(LVITEMA));
  item.cchTextMax = kCellChars;
  char zero = '\0';
  if (!memory.Write(0, &item, sizeof(item)) || !memory.Write(sizeof(LVITEMA), &zero, 1)) return false;
  if (!SendWithTimeout(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(memory.at(0)),
                       nullptr))
    return false;
  // The list may point the item at a buffer of its own instead of filling ours.
  LVITEMA answer{};
  if (!memory.Read(0, &answer, sizeof(answer))) return false;
  const char* source = answer.pszText ? answer.pszText : item.pszText;
  std::vector<char> text(kCellChars, '\0');
  SIZE_T read = 0;
  ReadProcessMemory(process, source, text.data(), text.size(), &read);
  if (read == 0) return false;
  *cell = std::string(text.data(), strnlen(text.data(), read));
  return true;
}

// Failure reports are the system's message boxes, owned by the front-end's process.
std::vector<HWND> FailureReports(DWORD processId) {
  std::vector<HWND> reports;
  for (HWND window : TopLevelWindows())
    if (ProcessOf(window) == processId && IsWindowVisible(window) && CaptionOf(window) == kReportCaption)
      reports.push_back(window);
  return reports;
}

std::string StaticTextOf(HWND report) {
  std::string joined;
  for (HWND child : ChildWindows(report)) {
    if (_stricmp(ClassNameOf(child).c_str(), "Static") != 0) continue;
    std::string text = TextOf(child);
    if (text.empty()) continue;
    if (!joined.empty()) joined += '\n';
    joined += text;
  }
  return joined;
}

bool WaitGone(HWND window) {
  DWORD start = GetTickCount();
  while (IsWindow(window) && IsWindowVisible(window)) {
    if (GetTickCount() - start > kCloseWaitMs) return false;
    Sleep(50);
  }
  return true;
}

void Print(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

bool ParseOptions(int argc, char** argv, Options* options) {
  for (int index = 1; index < argc; ++index) {
    std::string argument = argv[index];
    if (argument == "--exe" && index + 1 < argc) options->exe = argv[++index];
    else if (argument == "--close-report") options->closeReport = true;
    else if (argument == "--close") options->close = true;
    else return false;
  }
  return true;
}

int Run(const Options& options) {
  HWND main = FindMainWindow(options);
  if (!main) {
    Print("no-window");
    return 2;
  }
  DWORD processId = ProcessOf(main);
  Print("window\t" + Hex(main) + "\t" + std::to_string(processId));
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION |
                                   SYNCHRONIZE,
                               FALSE, processId);
  if (!process) {
    Print("error\tOpenProcess failed: " + std::to_string(GetLastError()));
    return 3;
  }
  int status = 0;
  HWND list = GetDlgItem(main, IDC_LISTVIEW1);
  RECT area{};
  if (list && GetWindowRect(list, &area))
    Print("list\t" + std::to_string(area.left) + "\t" + std::to_string(area.top) + "\t" + std::to_string(area.right) +
          "\t" + std::to_string(area.bottom));
  LRESULT count = 0;
  if (!list || !SendWithTimeout(list, LVM_GETITEMCOUNT, 0, 0, &count)) {
    Print("error\tthe list did not answer");
    status = 3;
  } else {
    Print("rows\t" + std::to_string(count));
    for (int row = 0; row < static_cast<int>(count); ++row) {
      std::string line = "row\t" + std::to_string(row);
      for (int column = 0; column < kColumnCount; ++column) {
        std::string cell;
        if (!ReadCell(process, list, row, column, &cell)) status = 3;
        line += "\t" + Escaped(cell);
      }
      Print(line);
    }
  }

  for (HWND report : FailureReports(processId)) {
    Print("report\t" + Hex(report) + "\t" + Escaped(CaptionOf(report)) + "\t" + Escaped(StaticTextOf(report)));
    if (options.closeReport) {
      // Posted, so the modal loop the button ends cannot hold the probe up.
      PostMessageA(report, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(report, IDOK)));
      Print(std::string(WaitGone(report) ? "closed-report\t" : "report-stayed\t") + Hex(report));
    }
  }

  if (options.close) {
    PostMessageA(main, WM_CLOSE, 0, 0);
    Print(WaitForSingleObject(process, kCloseWaitMs) == WAIT_OBJECT_0 ? "ended" : "still-running");
  }
  CloseHandle(process);
  return status;
}
}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) {
    std::fputs("usage: list_probe.exe [--exe <path of QuarvelFE.exe>] [--close-report] [--close]\n", stderr);
    return 1;
  }
  return Run(options);
}
