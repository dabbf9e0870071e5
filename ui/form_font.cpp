#include "ui/form_font.h"

#include <string.h>

#include <cstdlib>

namespace quarvel {
namespace {

constexpr const char* kFormFace = "MS Sans Serif";
constexpr int kBitmapSizeSlack = 1;  // pixels
// Scalable faces of the same look, in order of preference: the first on Windows, the second on Windows and Wine.
constexpr const char* kScalableFaces[] = {"Microsoft Sans Serif", "Tahoma"};

HFONT CreateFace(int height, int weight, const char* face) {
  return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

// What the font mapper made of a font: its character height, its line height and the face it really chose.
struct RealisedFont {
  int characterHeight = 0;
  int lineHeight = 0;
  char face[LF_FACESIZE] = {};
};

RealisedFont Realise(HFONT font) {
  RealisedFont realised;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return realised;
  HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICA metrics{};
  if (GetTextMetricsA(dc, &metrics)) {
    realised.characterHeight = metrics.tmHeight - metrics.tmInternalLeading;
    realised.lineHeight = metrics.tmHeight;
  }
  GetTextFaceA(dc, sizeof(realised.face), realised.face);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return realised;
}

// The first scalable face that exists, at the given height; null when none does. A missing face is
// replaced by another one silently, so it is known by the face name the DC reports.
HFONT CreateScalableFace(int height, int weight) {
  for (const char* face : kScalableFaces) {
    HFONT font = CreateFace(height, weight, face);
    if (font && _stricmp(Realise(font).face, face) == 0) return font;
    if (font) DeleteObject(font);
  }
  return nullptr;
}

// "MS Shell Dlg 2" is Tahoma on Windows 2000 and later and under Wine, whose font links reach other scripts.
constexpr const char* kFileNameFace = "MS Shell Dlg 2";

}  // namespace

int FontLineHeight(HFONT font) { return Realise(font).lineHeight; }

HFONT CreateFileNameFont(const DisplayScale& scale) {
  return CreateFace(scale.Scaled(kFormFontDesignHeight), FW_NORMAL, kFileNameFace);
}

HFONT CreateFormFont(const DisplayScale& scale, int weight) {
  const int height = scale.Scaled(kFormFontDesignHeight);
  HFONT font = CreateFace(height, weight, kFormFace);
  // "MS Sans Serif" is a bitmap font with a few sizes, those made for the system's DPI. A size one pixel off is
  // the nearest one to a height that scaling rounded (16 for 16.5 at 150 %); past the largest size the text
  // would stay that size while the layout around it grows, and below the smallest (a window on a monitor of a
  // smaller scale than the system's) it would outgrow its controls, so a scalable face of the same look takes
  // its place.
  if (!font || std::abs(Realise(font).characterHeight + height) <= kBitmapSizeSlack) return font;
  HFONT scalable = CreateScalableFace(height, weight);
  if (!scalable) return font;
  DeleteObject(font);
  return scalable;
}

}  // namespace quarvel
