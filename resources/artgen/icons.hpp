// The window icon and the per-file result icons.
#pragma once

#include "canvas.hpp"

namespace artgen {

// Sides in pixels. The result icons are designed on a 16-pixel grid and drawn larger from the same shapes.
Canvas appIcon(int size);

Canvas tickIcon(int size);
Canvas tickWithWarningIcon(int size);
Canvas warningIcon(int size);
Canvas errorIcon(int size);
Canvas infoIcon(int size);

}  // namespace artgen
