#include "romlist/open_dialog_result.h"

#include <cstdio>
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

// The dialog's extended error codes that a person can do something about (their <cderr.h> names).
struct DialogErrorReason {
  unsigned long code;
  const char* reason;
};
constexpr DialogErrorReason kDialogErrorReasons[] = {
    {0x3003, "The chosen names are too long together: choose fewer files at a time"},  // FNERR_BUFFERTOOSMALL
    {0x3002, "A file name in the dialog is not valid"},                                   // FNERR_INVALIDFILENAME
    {0x3001, "The dialog ran out of memory listing the folder"},                          // FNERR_SUBCLASSFAILURE
    {0x0009, "The dialog ran out of memory"},                                             // CDERR_MEMALLOCFAILURE
    {0x000A, "The dialog ran out of memory"},                                             // CDERR_MEMLOCKFAILURE
};
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

std::string OpenDialogFailureText(unsigned long errorCode) {
  const char* reason = "The dialog failed";
  for (const DialogErrorReason& known : kDialogErrorReasons)
    if (known.code == errorCode) reason = known.reason;
  char code[16];
  std::snprintf(code, sizeof(code), "0x%04lX", errorCode);
  return std::string("Could not add files. ") + reason + " (dialog error " + code + ")";
}

}  // namespace quarvel
