// The paths of a drop from the desktop shell, in the order the shell lists them.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace quarvel {

// Reads the drop's list in one pass (asking the shell path by path walks the list from its start each
// time). Wide paths are converted to the system's code page, as DragQueryFileA does.
std::vector<std::string> ReadDroppedPaths(HDROP drop);

}  // namespace quarvel
