// The picture on the main window: a handheld console with two arrows circling over its screen.
#pragma once

#include "canvas.hpp"

namespace artgen {

// The dialog colour the picture is painted on; every background pixel is exactly this.
inline constexpr int kBackgroundRed = 212;
inline constexpr int kBackgroundGreen = 208;
inline constexpr int kBackgroundBlue = 200;

// 160 x 128 pixels at scale 1; larger scales draw the same picture with more pixels.
Canvas consolePicture(double scale);

}  // namespace artgen
