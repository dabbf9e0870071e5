// The system's own words for an error code, as failure reports quote them.
#pragma once
#include <windows.h>

#include <string>

namespace quarvel {

// The system's description of an error code, in its language, without trailing spaces, line breaks and periods;
// empty when it has none.
std::string SystemErrorText(DWORD errorCode);

}  // namespace quarvel
