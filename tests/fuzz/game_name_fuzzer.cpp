// Fuzzes the game name taken from a ROM header: the bytes are exactly the input, so a read past them
// is caught, and the name is at most 18 bytes with no zero in it, a prefix of the input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "romlist/header_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::unique_ptr<char[]> bytes(new char[size == 0 ? 1 : size]);
  if (size) std::memcpy(bytes.get(), data, size);
  std::string name = quarvel::GameNameFromBytes(bytes.get(), size);
  if (name.size() > quarvel::kGameNameLength || name.size() > size) __builtin_trap();
  if (name.find('\0') != std::string::npos) __builtin_trap();
  if (std::memcmp(name.data(), bytes.get(), name.size()) != 0) __builtin_trap();
  // It stops only at a zero byte or at the end of what may be read.
  size_t limit = std::min(size, quarvel::kGameNameLength);
  if (name.size() < limit && bytes[name.size()] != '\0') __builtin_trap();
  return 0;
}
