// Under Wine on a virtual display without a window manager, hiding a window the window manager is
// supposed to manage makes Wine wait two seconds for a reply that never comes; every closed dialog and
// the program's exit pay it. While the tests run, the front-end's windows are made unmanaged (Wine's
// per-program setting); Wine then also draws their title bars, which the screenshots show.
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/scoped_user_value.h"

namespace e2e {
namespace {

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

class UnmanagedWindows : public ::testing::Environment {
 public:
  void SetUp() override {
    if (RunningUnderWine())
      unmanaged_ = std::make_unique<quarvel::testing::ScopedUserValue>(
          "Software\\Wine\\AppDefaults\\QuarvelFE.exe\\X11 Driver", "Managed", "N");
  }
  void TearDown() override { unmanaged_.reset(); }

 private:
  std::unique_ptr<quarvel::testing::ScopedUserValue> unmanaged_;
};

[[maybe_unused]] ::testing::Environment* const kUnmanagedWindows =
    ::testing::AddGlobalTestEnvironment(new UnmanagedWindows);

}  // namespace
}  // namespace e2e
