// The display scale: the windows are laid out in design-size pixels (as at 96 DPI), and this is the one
// place where those numbers become the system's pixels.
#pragma once
#include <windows.h>

// Sent from Windows 7 on; the headers declare it only for programs that require that version.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace quarvel {

class DisplayScale {
 public:
  static constexpr int kDesignDpi = 96;

  explicit DisplayScale(int dpi = kDesignDpi) : dpi_(dpi) {}
  // The system's DPI: a window's scale when it is created. Each window then keeps its own scale and
  // takes the new one from WM_DPICHANGED when it moves to a monitor of another scale.
  static DisplayScale OfSystem();
  // The scale of the monitor a window is on (GetDpiForWindow, Windows 10 1607 and later), the system's
  // elsewhere and for no window: for a dialog, the owner's when it opens.
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

// The side of a small icon (the list's result icons) at the scale: the system's figure for that DPI where
// Windows gives one (10 1607 and later), the design size scaled elsewhere.
int SmallIconSize(const DisplayScale& scale);

// The system's message and status-bar fonts at the scale, from SystemParametersInfoForDpi where it exists.
HFONT CreateMessageFont(const DisplayScale& scale);
HFONT CreateStatusFont(const DisplayScale& scale);

}  // namespace quarvel
