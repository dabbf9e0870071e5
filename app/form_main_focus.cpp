// The keyboard focus, kept as a dialog keeps it: the first control in tab order at start, and on each
// activation the control that had it when the window was last left.
#include "app/form_main.h"
#include "app/form_main_layout.h"

namespace quarvel {

void TFormMain::RememberFocusedControl() {
  HWND focus = GetFocus();
  if (!focus || !IsChild(window_, focus)) return;
  // The control itself, not a part of it such as the list's caption editor, which ends with the edit.
  while (GetParent(focus) != window_) focus = GetParent(focus);
  focusedControl_ = focus;
}

HWND TFormMain::FocusTarget() const {
  if (focusedControl_ && IsWindow(focusedControl_) && IsWindowVisible(focusedControl_) &&
      IsWindowEnabled(focusedControl_))
    return focusedControl_;
  for (const ControlSpec& control : MainControls())
    if (control.style & WS_TABSTOP) return Control(control.id);
  return nullptr;
}

// Returns whether the activation was handled here; the default would give the focus to the bare frame.
bool TFormMain::OnActivate(WORD state, bool minimized) {
  if (state == WA_INACTIVE) {
    RememberFocusedControl();
    return false;
  }
  if (minimized) return false;
  if (HWND target = FocusTarget()) SetFocus(target);
  return true;
}

void TFormMain::OnSetFocus() {
  if (HWND target = FocusTarget()) SetFocus(target);
}

}  // namespace quarvel
