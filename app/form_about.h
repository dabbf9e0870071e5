// The About dialog: the product's name and its credits, in labels only.
#pragma once
#include <windows.h>

namespace quarvel {

inline constexpr const char* kAboutCaption = "About...";

// Creates a fresh dialog owned by owner, shows it modally and destroys it when it closes.
void ShowAboutDialog(HWND owner);

}  // namespace quarvel
