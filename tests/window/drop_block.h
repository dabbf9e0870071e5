// Builds a drop as the desktop shell makes it: a DROPFILES block followed by zero-terminated paths and
// a final zero. Shared by the window tests, the hostile-input tests and the benchmarks.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

namespace quarvel::testing {

inline HGLOBAL MakeDrop(const std::vector<std::string>& paths) {
  size_t size = sizeof(DROPFILES) + 1;
  for (const std::string& path : paths) size += path.size() + 1;
  HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
  header->pFiles = sizeof(DROPFILES);
  char* text = reinterpret_cast<char*>(header + 1);
  for (const std::string& path : paths) text = std::copy(path.begin(), path.end(), text) + 1;
  GlobalUnlock(drop);
  return drop;
}

}  // namespace quarvel::testing
