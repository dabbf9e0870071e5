// The game name shown for a ROM file: the 18 header bytes at offset 160, as text.
#pragma once
#include <cstddef>
#include <string>

namespace quarvel {

constexpr long kGameNameOffset = 160;
constexpr size_t kGameNameLength = 18;  // 12-byte title, 4-byte game code, 2-byte maker code

// The text up to the first zero byte of the bytes that could be read (at most 18).
// A short file gives the bytes it has; nothing beyond them is ever looked at.
std::string GameNameFromBytes(const char* bytes, size_t count);

}  // namespace quarvel
