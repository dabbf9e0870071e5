// The system's answers for PathForms: its ANSI code page, and the file system's short names.
#pragma once
#include "tool/tool_path.h"

namespace quarvel {

// The code page programs without a manifest of their own read their command line in: the system locale's
// default ANSI code page, else the registry's Nls\CodePage\ACP. Not GetACP(), which gives ours (65001).
// 65001 where the system itself was set to UTF-8; 20127 (ASCII, which every code page holds) where the
// system will not say.
unsigned SystemAnsiCodePage();

// Fits by SystemAnsiCodePage and MAX_PATH, short forms by GetShortPathNameW.
const PathForms& SystemPathForms();

}  // namespace quarvel
