#include "ui/form_font.h"

namespace quarvel {

HFONT CreateFormFont(const DisplayScale& scale, int weight) {
  return CreateFontA(scale.Scaled(kFormFontDesignHeight), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                     "MS Sans Serif");
}

}  // namespace quarvel
