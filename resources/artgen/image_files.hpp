// Writers for the Windows resource formats the program embeds.
#pragma once

#include <string>
#include <vector>

#include "canvas.hpp"

namespace artgen {

// 24-bit bottom-up BMP; alpha is ignored, so the canvas should be opaque.
void writeBmp(const std::string& path, const Canvas& canvas);
// ICO holding one 32-bit image with alpha and a 1-bit AND mask per canvas.
void writeIco(const std::string& path, const std::vector<Canvas>& images);

}  // namespace artgen
