#include "ui/display_scale.h"

namespace quarvel {

namespace {
// GetDpiForSystem exists from Windows 10 1607 on; older systems give the screen's LOGPIXELSY.
int SystemDpi() {
  using GetDpiForSystemFunction = UINT(WINAPI*)();
  if (HMODULE user32 = GetModuleHandleA("user32.dll")) {
    auto getDpiForSystem =
        reinterpret_cast<GetDpiForSystemFunction>(reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForSystem")));
    if (getDpiForSystem) return static_cast<int>(getDpiForSystem());
  }
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : DisplayScale::kDesignDpi;
}
}  // namespace

DisplayScale DisplayScale::OfSystem() { return DisplayScale(SystemDpi()); }

int SmallIconSize() { return GetSystemMetrics(SM_CXSMICON); }

}  // namespace quarvel
