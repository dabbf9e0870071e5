#include "ui/display_scale.h"

#include <commctrl.h>

#include <utility>

namespace quarvel {

namespace {
// A function of a system DLL that older systems lack, looked up when it is called.
template <class Function>
Function SystemFunction(const char* module, const char* name) {
  HMODULE loaded = GetModuleHandleA(module);
  return loaded ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(loaded, name))) : nullptr;
}

template <class Function>
Function User32Function(const char* name) {
  return SystemFunction<Function>("user32.dll", name);
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

int SystemWindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  return getDpiForWindow ? static_cast<int>(getDpiForWindow(window)) : 0;
}

WindowDpiSource windowDpi = SystemWindowDpi;

RECT SystemWorkArea(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return monitor.rcWork;
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

WorkAreaSource workArea = SystemWorkArea;
}  // namespace

DisplayScale DisplayScale::OfSystem() { return DisplayScale(SystemDpi()); }

DisplayScale DisplayScale::OfWindow(HWND window) {
  int dpi = window ? windowDpi(window) : 0;
  return dpi > 0 ? DisplayScale(dpi) : OfSystem();
}

ScopedWindowDpi::ScopedWindowDpi(WindowDpiSource source) : previous_(std::exchange(windowDpi, std::move(source))) {}

ScopedWindowDpi::~ScopedWindowDpi() { windowDpi = std::move(previous_); }

RECT WorkAreaOf(HWND window) { return workArea(window); }

ScopedWorkArea::ScopedWorkArea(WorkAreaSource source) : previous_(std::exchange(workArea, std::move(source))) {}

ScopedWorkArea::~ScopedWorkArea() { workArea = std::move(previous_); }

SIZE WindowSizeFor(SIZE client, DWORD style, DWORD exStyle, bool menu, const DisplayScale& scale) {
  using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  RECT frame{0, 0, client.cx, client.cy};
  auto adjustForDpi = User32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
  if (!adjustForDpi || !adjustForDpi(&frame, style, menu, exStyle, static_cast<UINT>(scale.Dpi())))
    AdjustWindowRectEx(&frame, style, menu, exStyle);
  return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

SIZE WindowSizeFor(HWND window, SIZE client, const DisplayScale& scale) {
  const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
  return WindowSizeFor(client, style, exStyle, !(style & WS_CHILD) && GetMenu(window) != nullptr, scale);
}

int IconSize(IconKind kind, const DisplayScale& scale) {
  using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
  const int metric = kind == IconKind::Small ? SM_CXSMICON : SM_CXICON;
  if (auto metricsForDpi = User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi"))
    return metricsForDpi(metric, static_cast<UINT>(scale.Dpi()));
  return MulDiv(GetSystemMetrics(metric), scale.Dpi(), SystemDpi());
}

// LoadIconWithScaleDown (common controls 6, Windows Vista on) draws a larger image down rather than a
// smaller one up, as LoadImage would where the icon lacks the size.
HICON LoadIconAt(HINSTANCE module, const wchar_t* name, IconKind kind, const DisplayScale& scale) {
  using LoadIconWithScaleDownFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
  const int size = IconSize(kind, scale);
  HICON icon = nullptr;
  auto scaleDown = SystemFunction<LoadIconWithScaleDownFunction>("comctl32.dll", "LoadIconWithScaleDown");
  if (scaleDown && SUCCEEDED(scaleDown(module, name, size, size, &icon)) && icon) return icon;
  return static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, size, size, module ? 0 : LR_SHARED));
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
