// Which bytes begin a two-byte character in the system's code page (932, 936, 949, 950). The second
// byte of such a character may be '\' or '|', so text is walked character by character, never byte by
// byte. Built from the active code page by the window code; empty (no lead bytes) for single-byte pages.
#pragma once
#include <array>
#include <cstddef>
#include <string_view>

namespace quarvel {

class LeadBytes {
 public:
  LeadBytes() = default;  // a single-byte code page
  explicit LeadBytes(const std::array<bool, 256>& isLead) : isLead_(isLead) {}

  bool IsLead(char c) const { return isLead_[static_cast<unsigned char>(c)]; }
  // The length of the character that starts at index: 2 for a lead byte with its second byte, else 1.
  size_t CharLength(std::string_view text, size_t index) const {
    return IsLead(text[index]) && index + 1 < text.size() ? 2 : 1;
  }

 private:
  std::array<bool, 256> isLead_{};
};

}  // namespace quarvel
