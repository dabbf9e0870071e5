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

bool IsInsideFolder(std::string_view path, std::string_view folder, const LeadBytes& leadBytes) {
  while (EndsWithSeparator(folder, leadBytes)) folder.remove_suffix(1);
  if (folder.empty() || path.size() <= folder.size() + 1 || !IsSeparator(path[folder.size()])) return false;
  // The byte after the folder is a separator of its own when the folder's last character ends just before it.
  const std::string upperPath = UpperAZ(path, leadBytes);
  return DirectoryEnd(path.substr(0, folder.size() + 1), leadBytes) == folder.size() + 1 &&
         upperPath.compare(0, folder.size(), UpperAZ(folder, leadBytes)) == 0;
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

namespace {
bool HasForbiddenCharacter(std::string_view name, const LeadBytes& leadBytes) {
  for (size_t index = 0; index < name.size(); index += leadBytes.CharLength(name, index)) {
    if (leadBytes.CharLength(name, index) > 1) continue;  // a character of several bytes is never a forbidden one
    char c = name[index];
    if (static_cast<unsigned char>(c) < 32 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
      return true;
  }
  return false;
}

// Windows takes the part before the first period, without the spaces that end it, for a device's name:
// "con", "CON.gba" and "Con .txt" are all the console on most versions. The second byte of a two-byte
// character is never a period or a space, so bytes are looked at one by one.
bool IsDeviceName(std::string_view name, const LeadBytes& leadBytes) {
  std::string_view stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  const std::string upper = UpperAZ(stem, leadBytes);
  for (std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (upper == device) return true;
  if (upper.size() < 4 || !(upper.starts_with("COM") || upper.starts_with("LPT"))) return false;
  const std::string_view number = std::string_view(upper).substr(3);
  if (number.size() == 1 && number[0] >= '1' && number[0] <= '9') return true;
  // Superscript one, two and three count as digits there too.
  return leadBytes.IsUtf8() && (number == "\xC2\xB9" || number == "\xC2\xB2" || number == "\xC2\xB3");
}
}  // namespace

FileNameFault FileNameFaultOf(std::string_view name, const LeadBytes& leadBytes) {
  if (name.empty() || HasForbiddenCharacter(name, leadBytes)) return FileNameFault::ForbiddenCharacter;
  if (name.back() == '.' || name.back() == ' ') return FileNameFault::DotOrSpaceAtEnd;  // "." and ".." too
  if (IsDeviceName(name, leadBytes)) return FileNameFault::DeviceName;
  return FileNameFault::None;
}

}  // namespace quarvel
