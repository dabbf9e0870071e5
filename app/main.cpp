// Entry point: starts the application, shows the main window and runs the message loop.
#include <windows.h>
#include <commctrl.h>

#include "app/form_main.h"
#include "ui/com_apartment.h"
#include "ui/messages.h"

namespace {
// The program often lies among downloaded files. The DLLs that Windows, the shell and the dialogs load
// once it runs come from the system folder only, never from the program's own folder or the current one.
// SetDefaultDllDirectories exists from Windows 8 (and Windows 7 with its 2011 loader update); without
// it, SetDllDirectoryA("") at least takes the current folder out of the search.
void LoadDllsFromTheSystemOnly() {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
  if (!setDefaultDllDirectories || !setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryA("");
}

// Key preview first, then the dialog keys (Tab, Shift+Tab, Enter, Space) of the main window. The loop is
// wide: a typed character reaches the list and its editor in UTF-16 as the keyboard gave it, where the
// ANSI calls would cut a character of three UTF-8 bytes into single bytes on the way.
int RunMessageLoop(quarvel::TFormMain& form) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    form.PreviewKey(message);
    if (IsDialogMessageW(form.Handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  LoadDllsFromTheSystemOnly();
  quarvel::ComApartment com;  // ends after the window, which holds COM objects until it goes
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  quarvel::TFormMain form;
  HWND window = form.Create();
  if (!window) return 1;  // the failure has been reported
  quarvel::SetApplicationWindow(window);
  form.Show(showCommand);
  return RunMessageLoop(form);
}
