// A value under HKEY_CURRENT_USER, set for as long as this lives; then the earlier value (or none) is put
// back, on every path. Wine keeps its own settings there too, per program under
// "Software\Wine\AppDefaults\<program>.exe".
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace quarvel::testing {

class ScopedUserValue {
 public:
  ScopedUserValue(const std::string& key, const std::string& name, const std::string& text);
  ScopedUserValue(const std::string& key, const std::string& name, DWORD number);
  ~ScopedUserValue();
  ScopedUserValue(const ScopedUserValue&) = delete;
  ScopedUserValue& operator=(const ScopedUserValue&) = delete;
  bool Set() const { return set_; }

 private:
  void Put(DWORD type, const void* data, DWORD size);

  std::string key_, name_;
  DWORD previousType_ = REG_NONE;
  std::vector<BYTE> previous_;
  bool hadValue_ = false, set_ = false;
};

}  // namespace quarvel::testing
