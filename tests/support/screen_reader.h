// What a screen reader hears of another program, through the system's accessibility layer as one does: the
// live-region events the program raises (an out-of-context event hook), with the name of the object each names.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace quarvel::testing {

// Listens to one process's live-region changes while it lives; the caller's thread handles them as it waits.
class ScreenReader {
 public:
  explicit ScreenReader(DWORD processId);
  ~ScreenReader();
  ScreenReader(const ScreenReader&) = delete;
  ScreenReader& operator=(const ScreenReader&) = delete;

  // What was read out so far, in order: the name of the window's object at each change, as UTF-8.
  std::vector<std::string> Heard(HWND window);

 private:
  static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD);
  bool comStarted_;
  HWINEVENTHOOK hook_;
};

}  // namespace quarvel::testing
