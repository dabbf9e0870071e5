// Reads a running front-end from outside, for the X11 drop test: its ROM list rows and any failure
// report it shows, one fact per line, tab-separated. It can also close the report and the program.
//
//   list_probe.exe [--exe <path of QuarvelFE.exe>] [--click <button id>] [--close-report] [--close]
//
// Lines written:
//   window <hwnd> <process id>
//   list <left> <top> <right> <bottom>        (the list's screen rectangle)
//   rows <count>
//   row <index> <file name> <game name> <directory> <size> <result>
//   status <status bar text>
//   report <hwnd> <caption> <text>            (a visible top-level "Quarvel Front-End" window)
//   closed-report <hwnd> | report-stayed <hwnd>
//   ended | still-running
// Exit code: 0 when the main window was found and read, 2 when it was not, 3 when a read failed.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "tests/support/remote_windows.h"
#include "tests/support/test_files.h"

namespace {
using namespace quarvel::testing;

constexpr const char* kMainCaption = "Quarvel Front-End v1.1";
constexpr const char* kReportCaption = "Quarvel Front-End";
constexpr DWORD kCloseWaitMs = 15000;
constexpr int kColumnCount = 5;

struct Options {
  std::string exe;  // only a window of the program started from this file counts
  int click = 0;  // a button to press (posted), after the list was read
  bool closeReport = false;
  bool close = false;
};

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

std::string CaptionOf(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof(text));  // the system keeps top-level captions: no message needed
  return text;
}

HWND FindMainWindow(const Options& options) {
  for (HWND window : TopLevelWindows()) {
    if (ClassNameOf(window) != MAIN_WINDOW_CLASS || CaptionOf(window) != kMainCaption) continue;
    if (!options.exe.empty() && AsciiUpper(ImagePathOf(ProcessOf(window))) != AsciiUpper(options.exe)) continue;
    return window;
  }
  return nullptr;
}


// Failure reports are the system's message boxes, owned by the front-end's process.
std::vector<HWND> FailureReports(DWORD processId) {
  std::vector<HWND> reports;
  for (HWND window : TopLevelWindows())
    if (ProcessOf(window) == processId && IsWindowVisible(window) && CaptionOf(window) == kReportCaption)
      reports.push_back(window);
  return reports;
}


bool WaitGone(HWND window) {
  return WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); }, kCloseWaitMs);
}

std::string JoinedStaticTexts(HWND report) {
  std::string joined;
  for (const std::string& text : StaticTextsOf(report)) joined += (joined.empty() ? "" : "\n") + text;
  return joined;
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
    else if (argument == "--click" && index + 1 < argc) options->click = std::atoi(argv[++index]);
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
  bool answered = false;
  LRESULT count = list ? SendWithTimeout(list, LVM_GETITEMCOUNT, 0, 0, &answered) : 0;
  if (!answered) {
    Print("error\tthe list did not answer");
    status = 3;
  } else {
    Print("rows\t" + std::to_string(count));
    for (int row = 0; row < static_cast<int>(count); ++row) {
      std::string line = "row\t" + std::to_string(row);
      for (int column = 0; column < kColumnCount; ++column) {
        std::optional<std::string> cell = ReadListCell(process, list, row, column);
        if (!cell) status = 3;
        line.append("\t").append(Escaped(cell.value_or("")));
      }
      Print(line);
    }
  }

  Print("status\t" + Escaped(ReadStatusText(process, GetDlgItem(main, IDC_STATUSBAR1))));
  if (options.click) PostMessageA(GetDlgItem(main, options.click), BM_CLICK, 0, 0);

  for (HWND report : FailureReports(processId)) {
    Print("report\t" + Hex(report) + "\t" + Escaped(CaptionOf(report)) + "\t" + Escaped(JoinedStaticTexts(report)));
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
    std::fputs("usage: list_probe.exe [--exe <path of QuarvelFE.exe>] [--click <button id>] [--close-report] [--close]\n",
               stderr);
    return 1;
  }
  return Run(options);
}
