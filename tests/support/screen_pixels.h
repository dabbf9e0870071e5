// Pixels as they are on the screen (or in a window's drawing), read without asking the window to draw again,
// so that tests see what a person sees.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace quarvel::testing {

// The colours of a rectangle of the device context, top row first, as 0x00RRGGBB.
std::vector<uint32_t> ReadPixels(HDC source, const RECT& area);
// The same of the screen; the rectangle is in screen coordinates.
std::vector<uint32_t> ReadScreenPixels(const RECT& area);

}  // namespace quarvel::testing
