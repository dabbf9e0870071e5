#include "romlist/extended_path.h"

#include <windows.h>

#include "ui/code_page_text.h"

namespace quarvel {

namespace {
constexpr std::wstring_view kPrefix = L"\\\\?\\";
constexpr std::wstring_view kUncPrefix = L"\\\\?\\UNC\\";
}  // namespace

// Made full first, since the system takes the extended form as it stands, with no "." or ".." resolved.
std::wstring ExtendedLengthPath(const std::string& path) {
  std::wstring wide = WideFromCodePage(path);
  DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  std::wstring full(needed, L'\0');
  DWORD fullLength = needed > 0 ? GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr) : 0;
  full.resize(fullLength < needed ? fullLength : 0);
  if (full.empty() || full.starts_with(kPrefix)) return full;
  if (full.starts_with(L"\\\\")) return std::wstring(kUncPrefix) + full.substr(2);
  return std::wstring(kPrefix) + full;
}

std::wstring WithoutExtendedPrefix(std::wstring_view path) {
  if (path.starts_with(kUncPrefix)) return L"\\\\" + std::wstring(path.substr(kUncPrefix.size()));
  if (path.starts_with(kPrefix)) return std::wstring(path.substr(kPrefix.size()));
  return std::wstring(path);
}

}  // namespace quarvel
