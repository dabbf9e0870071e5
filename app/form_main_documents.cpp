// Opening the log and the help file with the desktop's viewer, and the About dialog.
#include "app/form_about.h"
#include "app/form_main.h"
#include "tool/system_path_forms.h"
#include "ui/failure.h"
#include "ui/messages.h"

namespace quarvel {

void TFormMain::ButtonViewLogClick() {
  OpenDocument(kLogFileName, false, "Could not find log file", "Could not launch log file (error %d)");
}

// Sees every key pressed while the main window is active; only F1 means anything here. A held key repeats
// its key-down (bit 30 of the flags: the key was already down); the help opens once.
void TFormMain::FormKeyDown(WPARAM key, LPARAM flags) {
  constexpr LPARAM kKeyWasDown = 1 << 30;
  if (key == VK_F1 && !(flags & kKeyWasDown))
    OpenDocument(kHelpFileName, true, "Could not find help file", "Could not launch help file (error %d)");
}

void TFormMain::MenuHelpIndexClick() { SendMessageA(window_, WM_KEYDOWN, VK_F1, 0); }

void TFormMain::OpenDocument(const char* fileName, bool byShortPath, const char* missingNotice,
                             const char* failureFormat) {
  std::string path = appDir_ + fileName;
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return ShowNotice(missingNotice);
  // The help viewer (hh.exe) reads its command line in the system's own code page, as the tool does, so it
  // is handed the path as the tool would be; where there is none, the path stays as it is.
  if (byShortPath) path = PathForTool(path, SystemPathForms()).path.value_or(path);
  auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(window_, "open", path.c_str(), nullptr, nullptr, SW_SHOW));
  if (result <= 32) RaiseFailure(failureFormat, {static_cast<long long>(result)});
}

void TFormMain::MenuHelpAboutClick() { ShowAboutDialog(window_); }

void TFormMain::Image1Click() { ShowAboutDialog(window_); }

}  // namespace quarvel
