// The picture on the main window: a handheld console with two arrows circling over its screen.
#pragma once

#include "canvas.hpp"

namespace artgen {

// 160 x 128 pixels at scale 1; larger scales draw the same picture with more pixels. Around the console the
// picture is transparent, its edges smooth, so that it shows on the window's own face colour.
Canvas consolePicture(double scale);

}  // namespace artgen
