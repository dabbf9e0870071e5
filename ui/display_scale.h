// The display scale: the windows are laid out in design-size pixels (as at 96 DPI), and this is the one
// place where those numbers become the system's pixels, with the frames, fonts and icons of a scale.
#pragma once
#include <windows.h>

#include <functional>

// Sent from Windows 7 on; the headers declare it only for programs that require that version.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
// Sent from Windows 10 1703 on, to a Per-Monitor V2 window, before WM_DPICHANGED.
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

namespace quarvel {

class DisplayScale {
 public:
  static constexpr int kDesignDpi = 96;

  explicit DisplayScale(int dpi = kDesignDpi) : dpi_(dpi) {}
  // The system's DPI, fixed when the person signed in.
  static DisplayScale OfSystem();
  // The scale a window is drawn at: its monitor's on Windows 10 1703 and later, where the program follows each
  // monitor's scale (GetDpiForWindow), the system's elsewhere and for no window. A window takes it once made, a
  // dialog its owner's when it opens; each then takes the new one from WM_DPICHANGED when it moves to a monitor
  // of another scale.
  static DisplayScale OfWindow(HWND window);
  // The new DPI that WM_DPICHANGED carries in its wParam (GetDpiForWindow is no witness under Wine).
  static DisplayScale OfDpiChange(WPARAM wParam) { return DisplayScale(HIWORD(wParam)); }

  int Dpi() const { return dpi_; }
  int Scaled(int designPixels) const { return MulDiv(designPixels, dpi_, kDesignDpi); }
  // Each edge is scaled, so controls that touch or overlap at design size still do.
  RECT Scaled(const RECT& design) const {
    return RECT{Scaled(design.left), Scaled(design.top), Scaled(design.right), Scaled(design.bottom)};
  }
  SIZE Scaled(SIZE design) const { return SIZE{Scaled(design.cx), Scaled(design.cy)}; }

 private:
  int dpi_;
};

// The DPI a window is drawn at, 0 where the system cannot tell: GetDpiForWindow (Windows 10 1607 and later).
// Tests stand in for it, as Wine gives every monitor the system's DPI.
using WindowDpiSource = std::function<int(HWND window)>;

// Puts source in force instead of the system's while it lives.
class ScopedWindowDpi {
 public:
  explicit ScopedWindowDpi(WindowDpiSource source);
  ~ScopedWindowDpi();
  ScopedWindowDpi(const ScopedWindowDpi&) = delete;
  ScopedWindowDpi& operator=(const ScopedWindowDpi&) = delete;

 private:
  WindowDpiSource previous_;
};

// The work area (clear of the taskbar) of the monitor a window is on, or nearest to. Tests stand in for
// another monitor than the one Wine has.
RECT WorkAreaOf(HWND window);
using WorkAreaSource = std::function<RECT(HWND window)>;

// Puts source in force instead of the system's while it lives.
class ScopedWorkArea {
 public:
  explicit ScopedWorkArea(WorkAreaSource source);
  ~ScopedWorkArea();
  ScopedWorkArea(const ScopedWorkArea&) = delete;
  ScopedWorkArea& operator=(const ScopedWorkArea&) = delete;

 private:
  WorkAreaSource previous_;
};

// The outer size of a window of this style (and menu bar) around a client area of that size, with its frame
// drawn at the scale (AdjustWindowRectExForDpi, Windows 10 1607 and later; before, the program is aware of
// the system's scale only, and frames are at that scale).
SIZE WindowSizeFor(SIZE client, DWORD style, DWORD exStyle, bool menu, const DisplayScale& scale);
// The same for the window, with its own style and menu bar.
SIZE WindowSizeFor(HWND window, SIZE client, const DisplayScale& scale);

// The side of the system's small icons (title bar, the list's result icons) and large ones (Alt+Tab, the
// notice's stop sign) at the scale: the system's figure for that DPI where Windows gives one (10 1607 and
// later), the system's own figure scaled elsewhere.
enum class IconKind { Small, Large };
int IconSize(IconKind kind, const DisplayScale& scale);
// An icon of the module's (or, with no module, the system's) at that size, drawn down from a larger image
// where the icon has none of that size. The caller destroys it.
HICON LoadIconAt(HINSTANCE module, const wchar_t* name, IconKind kind, const DisplayScale& scale);

// The system's message and status-bar fonts at the scale, from SystemParametersInfoForDpi where it exists.
// They follow the person's text size ("Make text bigger"), which WM_SETTINGCHANGE announces.
HFONT CreateMessageFont(const DisplayScale& scale);
HFONT CreateStatusFont(const DisplayScale& scale);

}  // namespace quarvel
