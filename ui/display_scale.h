// The display scale: the windows are laid out in design-size pixels (as at 96 DPI), and this is the one
// place where those numbers become the system's pixels.
#pragma once
#include <windows.h>

namespace quarvel {

class DisplayScale {
 public:
  static constexpr int kDesignDpi = 96;

  explicit DisplayScale(int dpi = kDesignDpi) : dpi_(dpi) {}
  // The system's DPI, read when a window is created. The program is aware of the system DPI only: a
  // window moved to a monitor of another scale keeps its size.
  static DisplayScale OfSystem();

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

// The side of a small icon (the list's result icons, the title bar's icon) at the system's scale.
int SmallIconSize();

}  // namespace quarvel
