// The font of the main window's controls and the About dialog: "MS Sans Serif", 8 point, or a scalable face
// of the same look at a display scale its bitmap sizes do not reach.
#pragma once
#include <windows.h>

#include "ui/display_scale.h"

namespace quarvel {

constexpr int kFormFontDesignHeight = -11;  // character height in design-size pixels

HFONT CreateFormFont(const DisplayScale& scale, int weight = FW_NORMAL);

// The font of windows that show file names: a TrueType face of the form font's size that the system links to
// the fonts of other scripts, so names in any language draw as glyphs ("MS Sans Serif" holds code page 1252).
HFONT CreateFileNameFont(const DisplayScale& scale);

// The height of a line of text in the font, as the font mapper realised it.
int FontLineHeight(HFONT font);

}  // namespace quarvel
