// Paths in the wide form that reaches past MAX_PATH ("\\?\C:\..." and "\\?\UNC\server\...").
#pragma once
#include <string>
#include <string_view>

namespace quarvel {

// The path (in the program's code page) made full, in that form; empty when the system cannot make it full.
std::wstring ExtendedLengthPath(const std::string& path);

// A path the system gave in that form, as an ordinary path ("C:\..." or "\\server\...").
std::wstring WithoutExtendedPrefix(std::wstring_view path);

}  // namespace quarvel
