#include "romlist/header_text.h"

#include <algorithm>

namespace quarvel {

std::string GameNameFromBytes(const char* bytes, size_t count) {
  count = std::min(count, kGameNameLength);
  const char* end = std::find(bytes, bytes + count, '\0');
  return std::string(bytes, end);
}

}  // namespace quarvel
