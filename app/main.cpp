// Entry point: starts the application, shows the main window and runs the message loop.
#include <windows.h>
#include <commctrl.h>

#include "app/form_main.h"
#include "ui/messages.h"

namespace {
// Key preview first, then the dialog keys (Tab, Shift+Tab, Enter, Space) of the main window.
int RunMessageLoop(quarvel::TFormMain& form) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    form.PreviewKey(message);
    if (IsDialogMessageA(form.Handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  quarvel::TFormMain form;
  quarvel::SetApplicationWindow(form.Create());
  form.Show(showCommand);
  return RunMessageLoop(form);
}
