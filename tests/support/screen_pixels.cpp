#include "tests/support/screen_pixels.h"

namespace quarvel::testing {

std::vector<uint32_t> ReadPixels(HDC source, const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::vector<uint32_t> pixels;
  if (bitmap && bits) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, source, area.left, area.top, SRCCOPY | CAPTUREBLT)) {
      GdiFlush();
      const auto* first = static_cast<const uint32_t*>(bits);  // blue, green, red, unused: 0x00RRGGBB
      pixels.assign(first, first + static_cast<size_t>(width) * static_cast<size_t>(height));
      for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
    }
    SelectObject(memory, old);
  }
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(memory);
  return pixels;
}

std::vector<uint32_t> ReadScreenPixels(const RECT& area) {
  HDC screen = GetDC(nullptr);
  std::vector<uint32_t> pixels = ReadPixels(screen, area);
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace quarvel::testing
