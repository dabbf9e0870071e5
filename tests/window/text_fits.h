// Measures each text of a window in the font its control uses, against the room the control gives it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace quarvel::testing {

// Each text that does not fit its room, as "<text>: needs N px, has M px"; empty when all fit.
std::vector<std::string> MainWindowTextsThatDoNotFit(HWND mainWindow);
std::vector<std::string> AboutTextsThatDoNotFit(HWND aboutDialog);

}  // namespace quarvel::testing
