// Runs a modal dialog from an empty in-memory frame; its procedure makes the controls in pixels.
#pragma once
#include <windows.h>

namespace quarvel {

// A fixed dialog border with a caption and a system menu; returns the dialog's result.
INT_PTR RunEmptyModalDialog(HWND owner, DLGPROC procedure, LPARAM parameter);

}  // namespace quarvel
