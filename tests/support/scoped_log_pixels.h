// The Wine prefix's display scale (LogPixels), which a program reads when it starts: set for as long as
// this lives, then the earlier value (or none) is put back, on every path.
#pragma once
#include <windows.h>

namespace quarvel::testing {

class ScopedLogPixels {
 public:
  explicit ScopedLogPixels(DWORD dpi) {
    DWORD size = sizeof(previous_);
    hadValue_ = !RegGetValueA(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_DWORD, nullptr, &previous_, &size);
    set_ = !RegSetKeyValueA(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &dpi, sizeof(dpi));
  }
  ~ScopedLogPixels() {
    if (hadValue_) RegSetKeyValueA(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &previous_, sizeof(previous_));
    else RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, kValue);
  }
  bool Set() const { return set_; }

 private:
  static constexpr const char* kKey = "Control Panel\\Desktop";
  static constexpr const char* kValue = "LogPixels";
  DWORD previous_ = 0;
  bool hadValue_ = false, set_ = false;
};

}  // namespace quarvel::testing
