#include "tests/support/display_scale_setting.h"

namespace quarvel::testing {

namespace {
constexpr const char* kKey = "Control Panel\\Desktop";
constexpr const char* kValue = "LogPixels";
}  // namespace

ScopedLogPixels::ScopedLogPixels(DWORD dpi) {
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_, nullptr) !=
      ERROR_SUCCESS) {
    key_ = nullptr;
    return;
  }
  DWORD size = sizeof(previous_), type = 0;
  hadValue_ = RegQueryValueExA(key_, kValue, nullptr, &type, reinterpret_cast<BYTE*>(&previous_), &size) ==
                  ERROR_SUCCESS &&
              type == REG_DWORD;
  if (RegSetValueExA(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi)) != ERROR_SUCCESS) {
    RegCloseKey(key_);
    key_ = nullptr;
  }
}

ScopedLogPixels::~ScopedLogPixels() {
  if (!key_) return;
  if (hadValue_)
    RegSetValueExA(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_), sizeof(previous_));
  else
    RegDeleteValueA(key_, kValue);
  RegCloseKey(key_);
}

}  // namespace quarvel::testing
