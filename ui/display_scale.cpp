#include "ui/display_scale.h"

namespace quarvel {

namespace {
// A function of user32 that older systems lack, looked up when it is called.
template <class Function>
Function User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

// GetDpiForSystem exists from Windows 10 1607 on; older systems give the screen's LOGPIXELSY.
int SystemDpi() {
  using GetDpiForSystemFunction = UINT(WINAPI*)();
  if (auto getDpiForSystem = User32Function<GetDpiForSystemFunction>("GetDpiForSystem"))
    return static_cast<int>(getDpiForSystem());
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : DisplayScale::kDesignDpi;
}
}  // namespace

DisplayScale DisplayScale::OfSystem() { return DisplayScale(SystemDpi()); }

DisplayScale DisplayScale::OfWindow(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  UINT dpi = window && getDpiForWindow ? getDpiForWindow(window) : 0;
  return dpi ? DisplayScale(static_cast<int>(dpi)) : OfSystem();
}

int SmallIconSize(const DisplayScale& scale) {
  using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
  if (auto metricsForDpi = User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi"))
    return metricsForDpi(SM_CXSMICON, static_cast<UINT>(scale.Dpi()));
  constexpr int kDesignSmallIcon = 16;
  return scale.Scaled(kDesignSmallIcon);
}

namespace {
enum class SystemFont { Message, Status };

// The system's font at the scale. Without SystemParametersInfoForDpi the system's figure is at the system
// DPI, and its height is scaled from there.
HFONT CreateSystemFont(const DisplayScale& scale, SystemFont which) {
  using ForDpiFunction = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  auto forDpi = User32Function<ForDpiFunction>("SystemParametersInfoForDpi");
  bool atScale = forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, scale.Dpi());
  if (!atScale) SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  LOGFONTW font = which == SystemFont::Message ? metrics.lfMessageFont : metrics.lfStatusFont;
  if (!atScale) font.lfHeight = MulDiv(font.lfHeight, scale.Dpi(), SystemDpi());
  return CreateFontIndirectW(&font);
}
}  // namespace

HFONT CreateMessageFont(const DisplayScale& scale) { return CreateSystemFont(scale, SystemFont::Message); }
HFONT CreateStatusFont(const DisplayScale& scale) { return CreateSystemFont(scale, SystemFont::Status); }

}  // namespace quarvel
