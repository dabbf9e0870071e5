// Windows of another process, seen from outside: enumeration, texts with a time limit so a busy program
// cannot block the caller, and list-view cells read through memory in the list's own process. Used by
// the end-to-end driver, the X11 drop test's probe and the window tests' dialog checks.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quarvel::testing {

// Wine can be slow to start a process or open a dialog, so waits are generous.
constexpr DWORD kWaitMs = 15000;
// A time limit stretched by the whole number in QUARVEL_WAIT_SCALE, for programs run under an emulator.
DWORD Stretched(DWORD timeoutMs);

// Polls `done` until it holds or the time is up; returns its last answer.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kWaitMs);

// SendMessageTimeoutA with a 5 s limit; 0 when the window did not answer in time.
LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* answered = nullptr);

std::string ClassNameOf(HWND window);
// The window's text through WM_GETTEXT, with a time limit.
std::string TextOf(HWND window);
// The texts of the window's static children, in creation order, empty ones left out.
std::vector<std::string> StaticTextsOf(HWND window);
// What a dialog shows, read from outside its thread.
struct DialogView {
  std::string caption;
  std::vector<std::string> texts;    // of its statics, as StaticTextsOf gives them
  std::vector<std::string> buttons;  // in creation order
  bool okIsDefault = false;          // its OK or Cancel button is the default push button
  HICON icon = nullptr;              // of its icon static
  RECT frame{};
};
DialogView ReadDialog(HWND dialog);
// A visible top-level window of the process with this caption that shows a button (so it is complete),
// or null.
HWND FindDialogOf(DWORD processId, const std::string& caption);

// The full path of the process's program file; empty when it cannot be asked.
std::string ImagePathOf(DWORD processId);
DWORD ProcessOf(HWND window);
// Has a process of the same bitness load a DLL by its bare name, as the system's own code in it does
// (LoadLibraryA on a thread made there); returns the full path of the module of that name loaded there
// afterwards, or nothing.
std::string LoadLibraryIn(DWORD processId, const std::string& dllName);
// The command line another process of the same bitness was started with, read from its process
// parameters; empty when it cannot be read.
std::string CommandLineOf(DWORD processId);
std::vector<HWND> TopLevelWindows();
// The outer size Windows gives the window (its style, its menu bar) around a client area of that size with the
// frame at the DPI, from AdjustWindowRectExForDpi, which Wine answers for any DPI though it draws every frame
// at the system's.
SIZE OuterSizeAt(HWND window, SIZE client, int dpi);
// All descendants of `parent`, parents before their children.
std::vector<HWND> ChildWindows(HWND parent);

// The text of a status bar's first part, read through memory in its process (which may be this one).
std::string ReadStatusText(HANDLE process, HWND statusBar);

// The text of a cell of a list view in another process; nothing when the read failed.
std::optional<std::string> ReadListCell(HANDLE process, HWND list, int row, int column);

}  // namespace quarvel::testing
