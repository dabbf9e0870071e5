// The folder of the running executable, where the tool, the log and the help file lie.
#pragma once
#include <string>
#include <string_view>

#include "romlist/lead_bytes.h"

namespace quarvel {

// The directory part of the executable's full path, with its trailing separator:
// "C:\Tools\fe.exe" gives "C:\Tools\", "C:\fe.exe" gives "C:\".
std::string AppDirFromModulePath(std::string_view modulePath, const LeadBytes& leadBytes = {});

}  // namespace quarvel
