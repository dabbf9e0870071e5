#include "tests/support/scoped_user_value.h"

namespace quarvel::testing {

ScopedUserValue::ScopedUserValue(const std::string& key, const std::string& name, const std::string& text)
    : key_(key), name_(name) {
  Put(REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

ScopedUserValue::ScopedUserValue(const std::string& key, const std::string& name, DWORD number)
    : key_(key), name_(name) {
  Put(REG_DWORD, &number, sizeof(number));
}

void ScopedUserValue::Put(DWORD type, const void* data, DWORD size) {
  previous_.resize(4096);
  DWORD previousSize = static_cast<DWORD>(previous_.size());
  hadValue_ = !RegGetValueA(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &previousType_,
                            previous_.data(), &previousSize);
  previous_.resize(hadValue_ ? previousSize : 0);
  set_ = !RegSetKeyValueA(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), type, data, size);
}

ScopedUserValue::~ScopedUserValue() {
  if (hadValue_) {
    RegSetKeyValueA(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), previousType_, previous_.data(),
                    static_cast<DWORD>(previous_.size()));
  } else {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, key_.c_str(), name_.c_str());
  }
}

}  // namespace quarvel::testing
