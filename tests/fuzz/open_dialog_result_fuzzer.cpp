// Fuzzes the reading of an open dialog's result buffer: the first two input bytes give the dialog's
// name offset, the rest is the buffer, copied to an allocation of exactly its size so that any read past
// capacity is caught by AddressSanitizer.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "romlist/open_dialog_result.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  size_t nameOffset = static_cast<size_t>(data[0]) | (static_cast<size_t>(data[1]) << 8);
  size_t capacity = size - 2;
  std::unique_ptr<char[]> buffer(new char[capacity == 0 ? 1 : capacity]);
  if (capacity) std::memcpy(buffer.get(), data + 2, capacity);

  std::vector<std::string> paths = quarvel::ParseOpenDialogResult(buffer.get(), capacity, nameOffset);
  for (const std::string& path : paths) {
    // No name is empty or holds a zero, and none is longer than a folder, a separator and a name.
    if (path.empty() || path.find('\0') != std::string::npos || path.size() > 2 * capacity + 1) __builtin_trap();
  }
  // Every name but a last unterminated one takes at least two bytes of the buffer.
  if (paths.size() > capacity / 2 + 1) __builtin_trap();
  bool severalNames = nameOffset > 0 && nameOffset <= capacity && buffer[nameOffset - 1] == '\0';
  if (!severalNames && paths.size() > 1) __builtin_trap();
  return 0;
}
