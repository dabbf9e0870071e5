#include "romlist/path_text.h"

#include <algorithm>
#include <vector>

namespace quarvel {

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Index one past the last separator or drive colon that is a character of its own.
size_t DirectoryEnd(std::string_view path, const LeadBytes& leadBytes) {
  size_t end = 0;
  for (size_t index = 0; index < path.size(); index += leadBytes.CharLength(path, index))
    if (IsSeparator(path[index]) || path[index] == ':') end = index + 1;
  return end;
}

// Whether text ends in a separator character, not in the second byte of a two-byte character.
bool EndsWithSeparator(std::string_view text, const LeadBytes& leadBytes) {
  size_t last = std::string_view::npos;
  for (size_t index = 0; index < text.size(); index += leadBytes.CharLength(text, index)) last = index;
  return last != std::string_view::npos && last + 1 == text.size() && IsSeparator(text[last]);
}
}  // namespace

std::string UpperAZ(std::string_view text, const LeadBytes& leadBytes) {
  std::string upper(text);
  for (size_t index = 0; index < upper.size(); index += leadBytes.CharLength(upper, index)) {
    char& c = upper[index];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::string DirectoryPart(std::string_view path, const LeadBytes& leadBytes) {
  return std::string(path.substr(0, DirectoryEnd(path, leadBytes)));
}

std::string FileNamePart(std::string_view path, const LeadBytes& leadBytes) {
  return std::string(path.substr(DirectoryEnd(path, leadBytes)));
}

std::string JoinPath(std::string_view folder, std::string_view name, const LeadBytes& leadBytes) {
  std::string joined(folder);
  if (!joined.empty() && !EndsWithSeparator(joined, leadBytes)) joined += '\\';
  joined += name;
  return joined;
}

bool IsFullPath(std::string_view name) {
  if (name.size() >= 3 && name[1] == ':' && IsSeparator(name[2])) return true;
  return name.size() >= 2 && IsSeparator(name[0]) && IsSeparator(name[1]);
}

std::string ReadWholePath(const std::function<size_t(char* buffer, size_t size)>& read) {
  constexpr size_t kFirstSize = 260;        // MAX_PATH
  constexpr size_t kLargestSize = 1 << 17;  // past 32767 UTF-16 units in any code page
  constexpr size_t kLongestCharacter = 4;   // bytes, in UTF-8
  std::vector<char> buffer;
  for (size_t size = kFirstSize;; size *= 2) {
    buffer.assign(size, '\0');
    size_t length = std::min(read(buffer.data(), size), size);
    if (length + kLongestCharacter < size || size >= kLargestSize) return std::string(buffer.data(), length);
  }
}

}  // namespace quarvel

namespace quarvel {

bool IsAllowedFileName(std::string_view name, const LeadBytes& leadBytes) {
  for (size_t index = 0; index < name.size(); index += leadBytes.CharLength(name, index)) {
    if (leadBytes.CharLength(name, index) > 1) continue;  // a character of several bytes is never a forbidden one
    char c = name[index];
    if (static_cast<unsigned char>(c) < 32 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
      return false;
  }
  return true;
}

}  // namespace quarvel
