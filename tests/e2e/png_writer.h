// A minimal PNG encoder: 8-bit RGB, no filtering, deflate "stored" blocks. Small and dependency-free;
// the files are larger than compressed ones, which is fine for test screenshots of single windows.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

uint32_t Crc32(const uint8_t* bytes, size_t count, uint32_t crc = 0);
uint32_t Adler32(const uint8_t* bytes, size_t count);

// rgb holds height rows of width pixels, top row first, three bytes (red, green, blue) a pixel.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgb);

bool WritePngFile(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

}  // namespace e2e
