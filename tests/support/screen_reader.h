// What a screen reader hears of another program: each live-region change it raises (seen by an out-of-context
// event hook), with the name of the changed object as the accessibility layer gives it then.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace quarvel::testing {

class ScreenReader {
 public:
  explicit ScreenReader(DWORD processId);
  ~ScreenReader();
  ScreenReader(const ScreenReader&) = delete;
  ScreenReader& operator=(const ScreenReader&) = delete;
  // The names read out so far for the window, in order; the events reach this thread as it asks.
  std::vector<std::wstring> Heard(HWND window);

 private:
  bool comStarted_;
  HWINEVENTHOOK hook_;
};

}  // namespace quarvel::testing
