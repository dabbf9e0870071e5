// Plain text to the clipboard.
#pragma once
#include <windows.h>

#include <string>

namespace quarvel {

// Replaces the clipboard's contents with text in the system's code page, given both as Unicode text, so
// that names outside the code page of the program reading it survive, and as the code page's own text.
// Returns whether the clipboard took it.
bool CopyTextToClipboard(HWND owner, const std::string& text);

}  // namespace quarvel
