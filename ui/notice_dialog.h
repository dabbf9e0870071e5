// The program's own notice dialog: stop icon, wrapped text, one OK button; Ctrl+C copies it.
#pragma once
#include <windows.h>

#include <string>

namespace quarvel {

// Shows the dialog modally, centred on its owner's monitor, and returns when the user closes it.
void RunNoticeDialog(HWND owner, const std::string& caption, const std::string& text);

}  // namespace quarvel
