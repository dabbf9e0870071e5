#include "ui/modal_dialog.h"

#include <vector>

namespace quarvel {

INT_PTR RunEmptyModalDialog(HWND owner, DLGPROC procedure, LPARAM parameter) {
  // The frame is followed by three empty words: no menu, the default class, no title.
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
  auto* frame = reinterpret_cast<DLGTEMPLATE*>(words.data());
  frame->style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  frame->dwExtendedStyle = WS_EX_DLGMODALFRAME;
  return DialogBoxIndirectParamA(GetModuleHandleA(nullptr), frame, owner, procedure, parameter);
}

}  // namespace quarvel
