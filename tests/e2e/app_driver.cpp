#include "tests/e2e/app_driver.h"

#include <commctrl.h>
#include <commdlg.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "app/control_ids.h"
#include "tests/e2e/png_writer.h"
#include "ui/display_scale.h"
#include "tests/support/real_input.h"
#include "tests/support/remote_memory.h"
#include "tests/support/screen_pixels.h"

namespace e2e {

namespace {
constexpr int kOpenDialogFileNameBox = 0x47C;
constexpr int kOpenDialogFileType = 0x470;
constexpr int kNoticeTextId = 100;
constexpr int kColumnCount = 5;
constexpr int kCellChars = 1024;

struct ProcessEntry {
  DWORD id;
  DWORD parent;
  std::string exeName;
};

std::vector<ProcessEntry> AllProcesses() {
  std::vector<ProcessEntry> entries;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return entries;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
    entries.push_back(ProcessEntry{entry.th32ProcessID, entry.th32ParentProcessID, entry.szExeFile});
  CloseHandle(snapshot);
  return entries;
}

// Wine starts its session's own processes (the desktop, services) from whichever program first needs
// them; they belong to the session, outlive that program, and are not the test's to end.
bool IsWineSessionProcess(const std::string& exeName) {
  static const char* const kNames[] = {"explorer.exe", "services.exe", "winedevice.exe", "plugplay.exe",
                                       "svchost.exe",  "rpcss.exe",    "wineboot.exe",   "winemenubuilder.exe"};
  for (const char* name : kNames)
    if (_stricmp(exeName.c_str(), name) == 0) return true;
  return false;
}

ULONGLONG CreationTimeOf(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!process || !GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

ULONGLONG CreationTimeOf(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  ULONGLONG created = CreationTimeOf(process);
  if (process) CloseHandle(process);
  return created;
}

bool StillRunning(HANDLE process) { return process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

bool CopyOneFile(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return !prefix.empty() && text.size() >= prefix.size() && AsciiUpper(text.substr(0, prefix.size())) == AsciiUpper(prefix);
}

// The current environment with the changes applied; the stand-in's own variables are never inherited
// from the test's environment, so each test chooses them.
std::vector<char> EnvironmentBlock(const std::vector<std::pair<std::string, std::string>>& changes) {
  std::map<std::string, std::string> byUpperName;
  std::map<std::string, std::string> original;
  if (char* strings = GetEnvironmentStringsA()) {
    for (const char* entry = strings; *entry; entry += strlen(entry) + 1) {
      std::string text = entry;
      size_t equals = text.find('=', 1);  // names like "=C:" start with '='
      if (equals == std::string::npos) continue;
      std::string name = text.substr(0, equals);
      if (StartsWithNoCase(name, "QUARVEL_STANDIN_")) continue;
      byUpperName[AsciiUpper(name)] = name;
      original[AsciiUpper(name)] = text.substr(equals + 1);
    }
    FreeEnvironmentStringsA(strings);
  }
  for (const auto& [name, value] : changes) {
    byUpperName[AsciiUpper(name)] = name;
    original[AsciiUpper(name)] = value;
  }
  std::vector<char> block;
  for (const auto& [upper, value] : original) {  // sorted by name, as Windows expects
    std::string entry = byUpperName[upper] + "=" + value;
    block.insert(block.end(), entry.begin(), entry.end());
    block.push_back('\0');
  }
  block.push_back('\0');
  return block;
}

HWND FindChildById(HWND parent, int id) {
  for (HWND child : ChildWindows(parent))
    if (GetDlgCtrlID(child) == id) return child;
  return nullptr;
}
}  // namespace

HWND FindDescendant(HWND parent, const std::string& className) {
  for (HWND child : ChildWindows(parent))
    if (_stricmp(ClassNameOf(child).c_str(), className.c_str()) == 0) return child;
  return nullptr;
}

AppDriver::~AppDriver() {
  Close();
  for (const auto& [id, handle] : children_) CloseHandle(handle);
  if (process_) CloseHandle(process_);
  folder_.reset();  // after the processes have ended, so their files can be deleted
}

bool AppDriver::Launch(const LaunchOptions& options) {
  if (process_) {
    problem_ = "a driver launches the program once";
    return false;
  }
  folder_ = std::make_unique<TempFolder>(options.folderLabel);
  if (AppDir().empty()) {
    problem_ = "could not make a folder for the program";
    return false;
  }
  std::string bin = ProgramFolder();
  std::string program = AppDir() + "QuarvelFE.exe";
  if (!CopyOneFile(bin + "QuarvelFE.exe", program)) {
    problem_ = "could not copy " + bin + "QuarvelFE.exe";
    return false;
  }
  if (options.withTool && !CopyOneFile(bin + "Quarvel.exe", ToolPath())) {
    problem_ = "could not copy the stand-in " + bin + "Quarvel.exe";
    return false;
  }
  if (options.withHelp && !CopyOneFile(bin + "quarvel.chm", AppDir() + "quarvel.chm")) {
    problem_ = "could not copy the help file " + bin + "quarvel.chm";
    return false;
  }
  for (const std::string& file : options.besideProgram) {
    if (!CopyOneFile(bin + file, AppDir() + file.substr(file.find_last_of('\\') + 1))) {
      problem_ = "could not copy " + bin + file;
      return false;
    }
  }

  std::vector<char> environment = EnvironmentBlock(options.environment);
  std::string commandLine = "\"" + program + "\"";
  std::vector<char> writable(commandLine.begin(), commandLine.end());
  writable.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, environment.data(),
                      AppDir().c_str(), &startup, &info)) {
    problem_ = "could not start the program (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  processId_ = info.dwProcessId;
  return true;
}

const std::string& AppDriver::AppDir() const {
  static const std::string kNoFolder;
  return folder_ ? folder_->Path() : kNoFolder;
}

bool AppDriver::Start(const LaunchOptions& options) {
  if (!Launch(options)) return false;
  if (WaitForMainWindow()) return true;
  problem_ = "the main window did not appear";
  return false;
}

bool AppDriver::Running() const { return StillRunning(process_); }

HWND AppDriver::WaitForMainWindow(DWORD timeoutMs) {
  WaitUntil(
      [this] {
        // By class alone, so that a wrong caption shows up as such in the tests.
        mainWindow_ = nullptr;
        for (HWND window : TopWindows())
          if (ClassNameOf(window) == MAIN_WINDOW_CLASS) mainWindow_ = window;
        return mainWindow_ != nullptr || !Running();
      },
      timeoutMs);
  return mainWindow_;
}

HWND AppDriver::List() const { return Control(IDC_LISTVIEW1); }

std::vector<HWND> AppDriver::TopWindows() const {
  std::vector<HWND> found;
  for (HWND window : TopLevelWindows())
    if (ProcessOf(window) == processId_ && IsWindowVisible(window)) found.push_back(window);
  return found;
}

HWND AppDriver::FindTopWindow(const std::string& caption, const char* className) const {
  for (HWND window : TopWindows()) {
    if (className && ClassNameOf(window) != className) continue;
    char text[512] = {};
    GetWindowTextA(window, text, sizeof(text));  // the caption, kept by the system: no message needed
    if (caption == text) return window;
  }
  return nullptr;
}

HWND AppDriver::WaitForTopWindow(const std::string& caption, const char* className, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = FindTopWindow(caption, className);
        return found != nullptr || !Running();
      },
      timeoutMs);
  return found;
}

bool AppDriver::WaitGone(HWND window, DWORD timeoutMs) const {
  return WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

std::vector<HWND> AppDriver::OpenDialogs() const {
  std::vector<HWND> dialogs;
  for (HWND window : TopWindows())
    if (ClassNameOf(window) == "#32770") dialogs.push_back(window);
  return dialogs;
}

std::string AppDriver::NoticeText(HWND notice) const {
  HWND text = GetDlgItem(notice, kNoticeTextId);
  return text ? TextOf(text) : std::string();
}

void AppDriver::PressDialogButton(HWND dialog, int id) const {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool AppDriver::Acknowledge(HWND dialog) const {
  PressDialogButton(dialog, IDOK);
  return WaitGone(dialog);
}

bool AppDriver::WaitForFocusOn(HWND control) const {
  return WaitUntil([&] {
    GUITHREADINFO info{};  // GetFocus would answer only for this test's own thread
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(mainWindow_, nullptr), &info) && info.hwndFocus == control;
  });
}

void AppDriver::PostCommand(int id, int notifyCode) const {
  PostMessageA(mainWindow_, WM_COMMAND, MAKEWPARAM(id, notifyCode), reinterpret_cast<LPARAM>(Control(id)));
}

void AppDriver::ClickButton(int id) const { PostMessageA(Control(id), BM_CLICK, 0, 0); }

void AppDriver::PostKey(HWND target, UINT virtualKey) const {
  UINT scanCode = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
  PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | (static_cast<LPARAM>(scanCode) << 16));
  PostMessageA(target, WM_KEYUP, virtualKey, 1 | (static_cast<LPARAM>(scanCode) << 16) | (3u << 30));
}

bool AppDriver::IsChecked(int id) const { return SendWithTimeout(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

HWND AppDriver::WaitForOpenMenu(DWORD timeoutMs) const {
  HWND menu = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopWindows())
          if (ClassNameOf(window) == "#32768") menu = window;
        return menu != nullptr;
      },
      timeoutMs);
  return menu;
}

bool AppDriver::ChooseFromMenu(char menuKey, char entryKey) const {
  if (!BringToFront(mainWindow_)) return false;
  PressKey(static_cast<WORD>(menuKey), {VK_MENU});
  if (!WaitForOpenMenu()) return false;
  PressKey(static_cast<WORD>(entryKey));
  return true;
}

void AppDriver::Settle() const {
  Sync();
  WaitUntil([this] {
    for (HWND window : TopLevelWindows())
      if (ProcessOf(window) == processId_ && ClassNameOf(window) == "#32770" && !IsWindowVisible(window))
        return false;
    return true;
  });
}

bool AppDriver::Sync(DWORD timeoutMs) const {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(mainWindow_, WM_NULL, 0, 0, SMTO_NORMAL, Stretched(timeoutMs), &result) != 0;
}

int AppDriver::RowCount() const { return static_cast<int>(SendWithTimeout(List(), LVM_GETITEMCOUNT, 0, 0)); }

std::string AppDriver::Cell(int row, int column) const {
  return ReadListCell(process_, List(), row, column).value_or("");
}

std::vector<std::string> AppDriver::Row(int row) const {
  std::vector<std::string> cells;
  for (int column = 0; column < kColumnCount; ++column) cells.push_back(Cell(row, column));
  return cells;
}

std::vector<std::string> AppDriver::Column(int column) const {
  std::vector<std::string> cells;
  for (int row = 0, count = RowCount(); row < count; ++row) cells.push_back(Cell(row, column));
  return cells;
}

std::vector<std::vector<std::string>> AppDriver::Rows() const {
  std::vector<std::vector<std::string>> rows;
  for (int row = 0, count = RowCount(); row < count; ++row) rows.push_back(Row(row));
  return rows;
}

std::vector<std::string> AppDriver::ColumnHeaders() const {
  std::vector<std::string> headers;
  RemoteMemory memory(process_, sizeof(LVCOLUMNA) + kCellChars);
  if (!memory.valid()) return headers;
  for (int column = 0; column < 16; ++column) {
    LVCOLUMNA spec{};
    spec.mask = LVCF_TEXT;
    spec.pszText = memory.at(sizeof(LVCOLUMNA));
    spec.cchTextMax = kCellChars;
    memory.Write(0, &spec, sizeof(spec));
    if (!SendWithTimeout(List(), LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(memory.at(0))))
      break;
    headers.push_back(memory.ReadText(sizeof(LVCOLUMNA), kCellChars));
  }
  return headers;
}

std::vector<int> AppDriver::SelectedRows() const {
  std::vector<int> rows;
  int count = RowCount();
  for (int row = static_cast<int>(SendWithTimeout(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
       row >= 0 && row < count && static_cast<int>(rows.size()) < count;
       row = static_cast<int>(SendWithTimeout(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED)))
    rows.push_back(row);
  return rows;
}

RECT AppDriver::ItemRect(int row, int part) const {
  RemoteMemory memory(process_, sizeof(RECT));
  RECT rect{part, 0, 0, 0};
  if (!memory.valid() || !memory.Write(0, &rect, sizeof(rect))) return RECT{};
  if (!SendWithTimeout(List(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(memory.at(0))) ||
      !memory.Read(0, &rect, sizeof(rect)))
    return RECT{};
  return rect;
}

POINT AppDriver::CaptionPoint(int row) const {
  RECT rect = ItemRect(row, LVIR_LABEL);
  return IsRectEmpty(&rect) ? POINT{-1, -1} : POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::vector<uint32_t> AppDriver::RowIconOnScreen(int row) const {
  RECT icon = ItemRect(row, LVIR_ICON);
  MapWindowPoints(List(), nullptr, reinterpret_cast<POINT*>(&icon), 2);
  return ReadScreenPixels(icon);
}

HWND AppDriver::CaptionEditor() const {
  return reinterpret_cast<HWND>(SendWithTimeout(List(), LVM_GETEDITCONTROL, 0, 0));
}

bool AppDriver::SelectRows(const std::vector<int>& rows) const {
  RemoteMemory memory(process_, sizeof(LVITEMA));
  if (!memory.valid()) return false;
  auto setState = [&](int row, UINT state, UINT mask) {
    LVITEMA item{};
    item.stateMask = mask;
    item.state = state;
    memory.Write(0, &item, sizeof(item));
    SendWithTimeout(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(memory.at(0)));
  };
  setState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  for (size_t i = 0; i < rows.size(); ++i)
    setState(rows[i], LVIS_SELECTED | (i == 0 ? LVIS_FOCUSED : 0), LVIS_SELECTED | (i == 0 ? LVIS_FOCUSED : 0));
  std::vector<int> wanted = rows;
  std::sort(wanted.begin(), wanted.end());
  return SelectedRows() == wanted;
}

std::string AppDriver::StatusText() const {
  return ReadStatusText(process_, Control(IDC_STATUSBAR1));
}

// A path the open dialog gives back through a CDM_ message, into memory in the program's process.
std::string AskOpenDialog(HANDLE process, HWND dialog, UINT message) {
  RemoteMemory memory(process, kCellChars);
  if (!memory.valid()) return {};
  char zero = '\0';
  memory.Write(0, &zero, 1);
  SendWithTimeout(dialog, message, kCellChars, reinterpret_cast<LPARAM>(memory.at(0)));
  return memory.ReadText(0, kCellChars);
}

std::string AppDriver::OpenDialogFolder(HWND dialog) const { return AskOpenDialog(process_, dialog, CDM_GETFOLDERPATH); }

std::string AppDriver::OpenDialogFilePath(HWND dialog) const { return AskOpenDialog(process_, dialog, CDM_GETFILEPATH); }

int AppDriver::OpenDialogFilter(HWND dialog) const {
  return static_cast<int>(SendWithTimeout(FindChildById(dialog, kOpenDialogFileType), CB_GETCURSEL, 0, 0));
}

void AppDriver::SetOpenDialogFilter(HWND dialog, int index) const {
  HWND types = FindChildById(dialog, kOpenDialogFileType);
  SendWithTimeout(types, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendWithTimeout(dialog, WM_COMMAND, MAKEWPARAM(kOpenDialogFileType, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
}

HWND AppDriver::WaitForOpenDialog() const {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND dialog : OpenDialogs())
      if (FindChildById(dialog, kOpenDialogFileNameBox)) found = dialog;
    return found != nullptr;
  });
  return found;
}

bool AppDriver::ChooseInOpenDialog(const std::string& folder, const std::string& typed) {
  ClickButton(IDC_BUTTON_ADD);
  return ChooseIn(WaitForOpenDialog(), folder, typed);
}

bool AppDriver::ChooseIn(HWND dialog, const std::string& folder, const std::string& typed) {
  if (!dialog) {
    problem_ = "the open dialog did not appear";
    return false;
  }
  HWND nameBox = FindChildById(dialog, kOpenDialogFileNameBox);
  HWND edit = FindDescendant(nameBox, "Edit");
  if (!edit) {
    problem_ = "the open dialog has no file-name box";
    return false;
  }
  auto typeAndOpen = [&](const std::string& text) {
    SendWithTimeout(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    PressDialogButton(dialog, IDOK);
  };
  if (!folder.empty()) {
    // Typing a folder and pressing Open goes into the folder; the dialog stays open.
    typeAndOpen(folder);
    std::string wanted = AsciiUpper(folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder);
    if (!WaitUntil([&] { return AsciiUpper(OpenDialogFolder(dialog)) == wanted || !IsWindow(dialog); }) ||
        !IsWindow(dialog)) {
      problem_ = "the open dialog did not go into " + folder;
      return false;
    }
  }
  typeAndOpen(typed);
  if (!WaitGone(dialog)) {
    problem_ = "the open dialog stayed open after Open";
    return false;
  }
  return true;
}

bool AppDriver::AddFiles(const std::vector<std::string>& paths, int expectedRows) {
  if (paths.empty()) return false;
  std::string folder = paths.front().substr(0, paths.front().find_last_of('\\') + 1);
  std::string typed;
  if (paths.size() == 1) {
    typed = paths.front();
  } else {
    for (const std::string& path : paths) typed += (typed.empty() ? "\"" : " \"") + path.substr(folder.size()) + "\"";
  }
  if (!ChooseInOpenDialog(paths.size() == 1 ? std::string() : folder, typed)) return false;
  if (WaitUntil([&] { return RowCount() == expectedRows; })) return true;
  problem_ = "the list has " + std::to_string(RowCount()) + " rows, not " + std::to_string(expectedRows);
  return false;
}

bool AppDriver::Screenshot(const std::string& name, const std::vector<HWND>& windows) const {
  std::string folder = ScreenshotFolder();
  if (folder.empty()) return true;
  Sync();
  for (HWND window : windows) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sync();
  Sleep(300);  // let the X server show what was drawn
  RECT area{};  // UnionRect takes the other rectangle whole when one is empty
  for (HWND window : windows)
    if (RECT rect; GetWindowRect(window, &rect)) UnionRect(&area, &area, &rect);
  if (IsRectEmpty(&area)) area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return CaptureScreenRect(area, folder + name + ".png");
}

void AppDriver::SendDpiChange(HWND window, int dpi, SIZE client) const {
  RECT now;
  GetWindowRect(window, &now);
  const SIZE outer = quarvel::testing::OuterSizeAt(window, client, dpi);
  RECT suggested{now.left, now.top, now.left + outer.cx, now.top + outer.cy};
  RemoteMemory memory(process_, sizeof(RECT));
  memory.Write(0, &suggested, sizeof(suggested));
  SendMessageTimeoutA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(memory.at(0)),
                      SMTO_ABORTIFHUNG, kWaitMs, nullptr);
}

void AppDriver::Remember(DWORD processId) const {
  for (const auto& [id, handle] : children_)
    if (id == processId && StillRunning(handle)) return;
  if (HANDLE handle = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId))
    children_.emplace_back(processId, handle);
}

std::vector<DWORD> AppDriver::ChildProcesses(bool withTheirChildren) const {
  std::vector<DWORD> family{processId_};
  std::vector<DWORD> found;
  std::vector<ProcessEntry> all = AllProcesses();
  ULONGLONG programStart = CreationTimeOf(process_);
  // The children of the program, and their children in turn. A process older than the program only
  // has a parent id that was reused.
  for (size_t next = 0; next < (withTheirChildren ? family.size() : 1); ++next)
    for (const ProcessEntry& entry : all)
      if (entry.parent == family[next] && entry.id != processId_ && !IsWineSessionProcess(entry.exeName) &&
          std::find(family.begin(), family.end(), entry.id) == family.end() &&
          CreationTimeOf(entry.id) >= programStart) {
        family.push_back(entry.id);
        found.push_back(entry.id);
      }
  for (DWORD id : found) Remember(id);
  return found;
}

HWND AppDriver::WaitForChildWindow(const std::string& className, DWORD timeoutMs) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        std::vector<DWORD> children = ChildProcesses();
        for (HWND window : TopLevelWindows())
          if (IsWindowVisible(window) && ClassNameOf(window) == className &&
              std::find(children.begin(), children.end(), ProcessOf(window)) != children.end())
            found = window;
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

bool AppDriver::Close() {
  if (!process_) return true;
  bool clean = true;
  if (Running()) {
    ChildProcesses();
    if (mainWindow_ && IsWindow(mainWindow_)) PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_, Stretched(kWaitMs)) != WAIT_OBJECT_0) {
      clean = false;
      ChildProcesses();
      TerminateProcess(process_, 1);
      WaitForSingleObject(process_, kWaitMs);
    }
  }
  for (const auto& [id, handle] : children_) {
    if (StillRunning(handle) && WaitForSingleObject(handle, Stretched(2000)) != WAIT_OBJECT_0) {
      clean = false;
      TerminateProcess(handle, 1);
      WaitForSingleObject(handle, kWaitMs);
    }
  }
  // Whatever still runs from the program's folder (a tool run the program lost track of).
  for (const ProcessEntry& entry : AllProcesses()) {
    if (!StartsWithNoCase(ImagePathOf(entry.id), AppDir())) continue;
    if (HANDLE handle = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.id)) {
      clean = false;
      TerminateProcess(handle, 1);
      WaitForSingleObject(handle, kWaitMs);
      CloseHandle(handle);
    }
  }
  return clean;
}

std::vector<std::string> AppDriver::Leftovers() const {
  std::vector<std::string> running;
  if (Running()) running.push_back("the front-end (process " + std::to_string(processId_) + ")");
  for (const auto& [id, handle] : children_)
    if (StillRunning(handle)) running.push_back("child process " + std::to_string(id));
  if (!AppDir().empty())
    for (const ProcessEntry& entry : AllProcesses())
      if (entry.id != processId_ && StartsWithNoCase(ImagePathOf(entry.id), AppDir()))
        running.push_back(entry.exeName + " (process " + std::to_string(entry.id) + ")");
  return running;
}

std::string ScreenshotFolder() {
  std::string folder = WindowsPathOf(EnvironmentVariable("QUARVEL_SCREENSHOTS"));
  if (folder.empty()) return {};
  if (folder.back() != '\\') folder += '\\';
  // Make each missing level, from the top down.
  for (size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1))
    CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
  return folder;
}

bool CaptureScreenRect(const RECT& area, const std::string& path) {
  RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT clipped;
  if (!IntersectRect(&clipped, &area, &screen)) return false;
  std::vector<uint32_t> pixels = ReadScreenPixels(clipped);
  if (pixels.empty()) return false;
  std::vector<uint8_t> rgb;
  for (uint32_t pixel : pixels)
    for (int shift : {16, 8, 0}) rgb.push_back(static_cast<uint8_t>(pixel >> shift));
  return WritePngFile(path, clipped.right - clipped.left, clipped.bottom - clipped.top, rgb);
}

}  // namespace e2e
