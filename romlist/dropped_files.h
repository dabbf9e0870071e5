// The paths of a drop from the desktop shell, in the order the shell lists them.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

namespace quarvel {

// Makes the window a target for files dropped from the desktop shell. A program run as administrator has
// more rights than Explorer, and Windows' message filter keeps the messages a drop is made of (WM_DROPFILES,
// WM_COPYDATA and 0x0049, the shell's copy of the drop's memory) from it unless they are let through
// (ChangeWindowMessageFilterEx, Windows 7 on, looked up when called).
void AcceptDroppedFiles(HWND window);

// Takes the place of ChangeWindowMessageFilterEx while it lives: Wine keeps no such filter.
using MessageFilter = std::function<BOOL(HWND window, UINT message, DWORD action)>;
class ScopedMessageFilter {
 public:
  explicit ScopedMessageFilter(MessageFilter filter);
  ~ScopedMessageFilter();
  ScopedMessageFilter(const ScopedMessageFilter&) = delete;
  ScopedMessageFilter& operator=(const ScopedMessageFilter&) = delete;

 private:
  MessageFilter previous_;
};

// Reads the drop's list in one pass (asking the shell path by path walks the list from its start each
// time). Wide paths are converted to the system's code page, as DragQueryFileA does.
std::vector<std::string> ReadDroppedPaths(HDROP drop);

}  // namespace quarvel
