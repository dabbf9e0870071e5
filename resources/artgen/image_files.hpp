// Writers for the Windows resource formats the program embeds.
#pragma once

#include <string>
#include <vector>

#include "canvas.hpp"

namespace artgen {

// 24-bit bottom-up BMP; transparent parts are blended onto the background (white unless given).
void writeBmp(const std::string& path, const Canvas& canvas, Pixel8 background = {255, 255, 255, 255});
// 32-bit bottom-up BMP with alpha, its colours premultiplied by it, as AlphaBlend takes them: the picture
// lies over whatever colour the window has.
void writeAlphaBmp(const std::string& path, const Canvas& canvas);
// ICO holding one 32-bit image with alpha and a 1-bit AND mask per canvas.
void writeIco(const std::string& path, const std::vector<Canvas>& images);

}  // namespace artgen
