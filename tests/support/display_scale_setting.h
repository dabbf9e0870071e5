// The display scale of the whole Wine prefix (LogPixels in HKCU\Control Panel\Desktop), which a
// program reads when it starts. Set for as long as this lives; the earlier value comes back on every path.
#pragma once
#include <windows.h>

namespace quarvel::testing {

class ScopedLogPixels {
 public:
  explicit ScopedLogPixels(DWORD dpi);
  ~ScopedLogPixels();
  ScopedLogPixels(const ScopedLogPixels&) = delete;
  ScopedLogPixels& operator=(const ScopedLogPixels&) = delete;
  bool Set() const { return key_ != nullptr; }

 private:
  HKEY key_ = nullptr;
  bool hadValue_ = false;
  DWORD previous_ = 0;
};

}  // namespace quarvel::testing
