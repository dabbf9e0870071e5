#include "romlist/path_text.h"

namespace quarvel {

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Index one past the last character of the directory part.
size_t DirectoryEnd(std::string_view path) {
  size_t end = path.find_last_of("\\/:");
  return end == std::string_view::npos ? 0 : end + 1;
}
}  // namespace

std::string UpperAZ(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

std::string DirectoryPart(std::string_view path) { return std::string(path.substr(0, DirectoryEnd(path))); }

std::string FileNamePart(std::string_view path) { return std::string(path.substr(DirectoryEnd(path))); }

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string joined(folder);
  if (!joined.empty() && !IsSeparator(joined.back())) joined += '\\';
  joined += name;
  return joined;
}

bool IsFullPath(std::string_view name) {
  if (name.size() >= 3 && name[1] == ':' && IsSeparator(name[2])) return true;
  return name.size() >= 2 && IsSeparator(name[0]) && IsSeparator(name[1]);
}

}  // namespace quarvel

namespace quarvel {

bool IsAllowedFileName(std::string_view name) {
  for (char c : name)
    if (static_cast<unsigned char>(c) < 32 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
      return false;
  return true;
}

}  // namespace quarvel
