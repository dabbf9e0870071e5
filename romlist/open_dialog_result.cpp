#include "romlist/open_dialog_result.h"

#include <cstring>

#include "romlist/path_text.h"

namespace quarvel {

namespace {
// The zero-terminated text at offset, cut at capacity.
std::string TextAt(const char* buffer, size_t capacity, size_t offset) {
  const char* start = buffer + offset;
  const void* zero = std::memchr(start, '\0', capacity - offset);
  size_t length = zero ? static_cast<const char*>(zero) - start : capacity - offset;
  return std::string(start, length);
}
}  // namespace

std::vector<std::string> ParseOpenDialogResult(const char* buffer, size_t capacity, size_t nameOffset,
                                               const LeadBytes& leadBytes) {
  std::vector<std::string> paths;
  if (capacity == 0) return paths;
  std::string first = TextAt(buffer, capacity, 0);
  bool severalNames = nameOffset > 0 && nameOffset <= capacity && buffer[nameOffset - 1] == '\0';
  if (!severalNames) {
    if (!first.empty()) paths.push_back(first);
    return paths;
  }
  for (size_t offset = first.size() + 1; offset < capacity;) {
    std::string name = TextAt(buffer, capacity, offset);
    if (name.empty()) break;
    paths.push_back(IsFullPath(name) ? name : JoinPath(first, name, leadBytes));
    offset += name.size() + 1;
  }
  return paths;
}

}  // namespace quarvel
