// Drives a running copy of the front-end from outside, the way a person would: it starts the program
// in a folder of its own, finds its windows and dialogs, reads the ROM list and the status bar across
// the process boundary, presses buttons, and makes sure nothing of it is left running afterwards.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/test_files.h"
#include "tests/support/remote_windows.h"

namespace e2e {

// The first descendant of `parent` whose class is `className` (any case).
HWND FindDescendant(HWND parent, const std::string& className);

struct LaunchOptions {
  bool withTool = true;  // the stand-in copied beside the front-end as Quarvel.exe
  std::vector<std::pair<std::string, std::string>> environment = {};
  bool withHelp = false;  // the built help file copied beside it as quarvel.chm
  std::string folderLabel = "app";  // a word in the name of the program's folder
  std::vector<std::string> besideProgram = {};  // files of the test program's folder, copied beside it too
};

class AppDriver {
 public:
  AppDriver() = default;
  ~AppDriver();
  AppDriver(const AppDriver&) = delete;
  AppDriver& operator=(const AppDriver&) = delete;

  // Copies the front-end (and the stand-in) into a fresh folder and starts it there. On failure,
  // Problem() says why.
  bool Launch(const LaunchOptions& options = {});
  // Launch, then wait for the main window.
  bool Start(const LaunchOptions& options = {});
  const std::string& Problem() const { return problem_; }

  // The program's folder, ending with a backslash, as the program itself sees it; empty before Launch.
  const std::string& AppDir() const;
  std::string ToolPath() const { return AppDir() + "Quarvel.exe"; }
  std::string LogPath() const { return AppDir() + "log.txt"; }
  bool Running() const;

  // The visible main window; waits for it to appear.
  HWND WaitForMainWindow(DWORD timeoutMs = kWaitMs);
  HWND MainWindow() const { return mainWindow_; }
  HWND Control(int id) const { return GetDlgItem(mainWindow_, id); }
  HWND List() const;

  // Visible top-level windows of the program's process.
  std::vector<HWND> TopWindows() const;
  // A visible top-level window of the program with this caption (and class, when given), or null.
  HWND FindTopWindow(const std::string& caption, const char* className = "#32770") const;
  HWND WaitForTopWindow(const std::string& caption, const char* className = "#32770", DWORD timeoutMs = kWaitMs);
  // Waits until the window is gone or hidden.
  bool WaitGone(HWND window, DWORD timeoutMs = kWaitMs) const;
  // The dialogs (class #32770) of the program now showing.
  std::vector<HWND> OpenDialogs() const;

  // A notice ("Error" dialog): its text, read from the static with id 100.
  std::string NoticeText(HWND notice) const;
  // Posts a click of the dialog's button, so a modal loop that follows cannot block the test.
  void PressDialogButton(HWND dialog, int id) const;
  // Presses OK on a notice or a message box and waits until it has closed.
  bool Acknowledge(HWND dialog) const;

  // Main window actions, posted.
  void PostCommand(int id, int notifyCode = 0) const;
  void ClickButton(int id) const;
  void PostKey(HWND target, UINT virtualKey) const;
  bool IsChecked(int id) const;
  // Waits until the control has the keyboard focus, read from the program's GUI thread state.
  bool WaitForFocusOn(HWND control) const;
  // A menu that is open now (the main menu's drop-down or the row menu); waits for it.
  HWND WaitForOpenMenu(DWORD timeoutMs = kWaitMs) const;
  // Picks a main-menu entry with real keys, as a person does: Alt and the menu's access key, then the
  // entry's. False when the menu did not open.
  bool ChooseFromMenu(char menuKey, char entryKey) const;
  // Waits until the program has handled everything posted to it so far.
  bool Sync(DWORD timeoutMs = kWaitMs) const;
  // Sync, then waits until any dialog the program has made meanwhile is showing: a dialog raised by
  // what was posted exists before the program answers, and shows once its modal loop starts.
  void Settle() const;

  // The ROM list, read across the process boundary.
  int RowCount() const;
  std::string Cell(int row, int column) const;
  std::vector<std::string> Row(int row) const;
  // One column's cells, top row first.
  std::vector<std::string> Column(int column) const;
  std::vector<std::vector<std::string>> Rows() const;
  std::vector<std::string> ColumnHeaders() const;
  std::vector<int> SelectedRows() const;
  bool SelectRows(const std::vector<int>& rows) const;
  // A part of a row (LVIR_ICON, LVIR_LABEL...) in the list's client coordinates; empty when it cannot be read.
  RECT ItemRect(int row, int part) const;
  // The middle of a row's file name, in the list's client coordinates, for a real click there.
  POINT CaptionPoint(int row) const;
  // The pixels of the row's icon place as the screen shows them now, without asking the list to draw.
  std::vector<uint32_t> RowIconOnScreen(int row) const;
  // The open in-place editor of a file name, or null.
  HWND CaptionEditor() const;
  std::string StatusText() const;

  // Adds files through the real open dialog: clicks "Add...", optionally opens `folder` in the
  // dialog first, types `typed` into the file-name box and presses Open. Does not wait for what
  // follows (a row, or a failure report).
  bool ChooseInOpenDialog(const std::string& folder, const std::string& typed);
  // The same in an open dialog that is already showing.
  bool ChooseIn(HWND dialog, const std::string& folder, const std::string& typed);
  // The program's open dialog; waits for it.
  HWND WaitForOpenDialog() const;
  // The folder an open dialog of the program shows, without a trailing backslash.
  std::string OpenDialogFolder(HWND dialog) const;
  // The full path the open dialog would open now: its folder and the file-name box.
  std::string OpenDialogFilePath(HWND dialog) const;
  // The index of the open dialog's chosen file type; setting it is set-up, not a person's choice.
  int OpenDialogFilter(HWND dialog) const;
  void SetOpenDialogFilter(HWND dialog, int index) const;
  // The same, for full paths of files in one folder, then waits until the list has `expectedRows`.
  bool AddFiles(const std::vector<std::string>& paths, int expectedRows);

  // Saves a picture of the given windows (their union) as <name>.png in the screenshot folder.
  // Does nothing when screenshots are off.
  bool Screenshot(const std::string& name, const std::vector<HWND>& windows) const;
  // As the system tells of a move to a monitor of that DPI: the DPI, and the window's rectangle for that client
  // in the frame of that DPI.
  void SendDpiChange(HWND window, int dpi, SIZE client) const;

  // A visible top-level window of one of the program's child processes, of this class; waits for it.
  HWND WaitForChildWindow(const std::string& className, DWORD timeoutMs = kWaitMs) const;
  // Processes the program started (the tool runs, a viewer) that are still running.
  // With withTheirChildren false, only those the program itself started.
  std::vector<DWORD> ChildProcesses(bool withTheirChildren = true) const;

  // Closes the program as a person would (the main window's close) and waits for it and its children
  // to end; ends them by force when they do not. True when everything ended by itself.
  bool Close();
  // Running processes of this launch: the program, its children, anything started from its folder.
  std::vector<std::string> Leftovers() const;

 private:
  void Remember(DWORD processId) const;

  std::unique_ptr<TempFolder> folder_;
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
  HWND mainWindow_ = nullptr;
  std::string problem_;
  // Handles of the program's child processes seen so far; a handle keeps its id from being reused.
  mutable std::vector<std::pair<DWORD, HANDLE>> children_;
};

// The folder named by QUARVEL_SCREENSHOTS as a Windows path, created if missing; empty when unset.
std::string ScreenshotFolder();
// Captures the screen rectangle through GDI into a PNG file.
bool CaptureScreenRect(const RECT& area, const std::string& path);

}  // namespace e2e
