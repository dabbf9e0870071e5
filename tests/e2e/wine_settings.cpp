// Under Wine on a virtual display without a window manager, hiding a window the window manager is
// supposed to manage makes Wine wait two seconds for a reply that never comes; every closed dialog and
// the program's exit pay it. While the tests run, the front-end's windows are made unmanaged (Wine's
// per-program setting); Wine then also draws their title bars, which the screenshots show.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace e2e {
namespace {

constexpr const char* kKey = "Software\\Wine\\AppDefaults\\QuarvelFE.exe\\X11 Driver";
constexpr const char* kValue = "Managed";

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

class UnmanagedWindows : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!RunningUnderWine()) return;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_, nullptr) !=
        ERROR_SUCCESS) {
      key_ = nullptr;
      return;
    }
    char previous[16] = {};
    DWORD size = sizeof(previous) - 1, type = 0;
    hadValue_ = RegQueryValueExA(key_, kValue, nullptr, &type, reinterpret_cast<BYTE*>(previous), &size) ==
                ERROR_SUCCESS;
    previous_ = hadValue_ ? std::string(previous) : std::string();
    RegSetValueExA(key_, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
  }

  void TearDown() override {
    if (!key_) return;
    if (hadValue_) {
      RegSetValueExA(key_, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(previous_.c_str()),
                     static_cast<DWORD>(previous_.size() + 1));
    } else {
      RegDeleteValueA(key_, kValue);
    }
    RegCloseKey(key_);
    key_ = nullptr;
  }

 private:
  HKEY key_ = nullptr;
  bool hadValue_ = false;
  std::string previous_;
};

[[maybe_unused]] ::testing::Environment* const kUnmanagedWindows =
    ::testing::AddGlobalTestEnvironment(new UnmanagedWindows);

}  // namespace
}  // namespace e2e
