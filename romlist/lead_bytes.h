// How text in the system's code page splits into characters. In the two-byte code pages (932, 936, 949,
// 950) a lead byte begins a two-byte character whose second byte may be '\' or '|', so text is walked
// character by character, never byte by byte. In UTF-8 (65001) no byte is a lead byte in that sense and
// no byte of a longer character is ever below 0x80, but a character runs on over its continuation bytes
// (0x80 to 0xBF), which matters where text is cut. Built from the active code page by the window code;
// the default is a single-byte page.
#pragma once
#include <array>
#include <cstddef>
#include <string_view>

namespace quarvel {

class LeadBytes {
 public:
  LeadBytes() = default;  // a single-byte code page
  explicit LeadBytes(const std::array<bool, 256>& isLead) : isLead_(isLead) {}
  static LeadBytes Utf8() {
    LeadBytes utf8;
    utf8.utf8_ = true;
    return utf8;
  }

  bool IsUtf8() const { return utf8_; }
  bool IsLead(char c) const { return isLead_[static_cast<unsigned char>(c)]; }
  // The length of the character that starts at index: 2 for a lead byte with its second byte; in UTF-8
  // the byte and the continuation bytes after it (at most three); else 1.
  size_t CharLength(std::string_view text, size_t index) const {
    if (utf8_) {
      size_t end = index + 1;
      while (end < text.size() && end - index < 4 && IsContinuation(text[end])) ++end;
      return end - index;
    }
    return IsLead(text[index]) && index + 1 < text.size() ? 2 : 1;
  }
  // How many bytes of text fit into maxBytes without cutting a character in two.
  size_t FitLength(std::string_view text, size_t maxBytes) const {
    if (text.size() <= maxBytes) return text.size();
    size_t fit = 0;
    for (size_t next = 0; next <= maxBytes; next += CharLength(text, next)) fit = next;
    return fit;
  }

 private:
  static bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

  std::array<bool, 256> isLead_{};
  bool utf8_ = false;
};

}  // namespace quarvel
