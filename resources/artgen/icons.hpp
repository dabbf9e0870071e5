// The window icon and the per-file result icons.
#pragma once

#include "canvas.hpp"

namespace artgen {

Canvas appIcon(int size);

Canvas tickIcon();
Canvas tickWithWarningIcon();
Canvas warningIcon();
Canvas errorIcon();
Canvas infoIcon();

}  // namespace artgen
