// Opening the log and the help file with the desktop's viewer, and the About dialog.
#include "app/form_about.h"
#include "app/form_main.h"
#include "app/help_place.h"
#include "tool/system_path_forms.h"
#include "ui/failure.h"
#include "ui/kernel_handle.h"
#include "ui/messages.h"

namespace quarvel {

namespace {
constexpr const char* kHelpFromTheInternetNotice =
    "The help cannot be shown: Windows marked quarvel.chm as downloaded from the Internet, and the help viewer then "
    "shows a blank page. Close the program, right-click the zip file you downloaded, choose Properties, tick "
    "Unblock and press OK, then extract it again (or do the same for quarvel.chm itself).";
constexpr const char* kHelpOnTheNetworkNotice =
    "The help cannot be shown from a network folder: the help viewer shows pages only from this computer, and "
    "would show a blank page. Copy the program's folder to a folder on this computer, such as Documents, and start "
    "it from there.";
constexpr const char* kHelpHashInPathNotice =
    "The help cannot be shown from a folder whose path holds \"#\": the help viewer takes what follows it for a "
    "place in a page, and shows a blank page. Rename the folder, or move the program to a folder whose path has no "
    "\"#\".";

// The mark of the web Windows keeps beside a downloaded file (its Zone.Identifier stream); empty without one.
std::string MarkOfTheWeb(const std::string& path) {
  KernelHandle stream(CreateFileA((path + ":Zone.Identifier").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  char text[4096];
  DWORD read = 0;
  if (!stream.valid() || !ReadFile(stream.get(), text, sizeof(text), &read, nullptr)) return {};
  return std::string(text, read);
}
}  // namespace

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

void TFormMain::OpenDocument(const char* fileName, bool helpViewer, const char* missingNotice,
                             const char* failureFormat) {
  std::string path = appDir_ + fileName;
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return ShowNotice(missingNotice);
  // The help viewer (hh.exe) reads its command line in the system's own code page, as the tool does, so it
  // is handed the path as the tool would be; where there is none, the path stays as it is.
  if (helpViewer) {
    const std::string mark = MarkOfTheWeb(path), root = DriveRootOf(path);
    path = PathForTool(path, SystemPathForms()).path.value_or(path);
    switch (WhyHelpWouldBeBlank(path, mark, !root.empty() && driveType_(root) == DRIVE_REMOTE)) {
      case BlankHelp::FromTheInternet: return ShowNotice(kHelpFromTheInternetNotice);
      case BlankHelp::OnTheNetwork: return ShowNotice(kHelpOnTheNetworkNotice);
      case BlankHelp::HashInPath: return ShowNotice(kHelpHashInPathNotice);
      case BlankHelp::None: break;
    }
  }
  auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(window_, "open", path.c_str(), nullptr, nullptr, SW_SHOW));
  if (result <= 32) RaiseFailure(failureFormat, {static_cast<long long>(result)});
}

void TFormMain::MenuHelpAboutClick() { ShowAboutDialog(window_); }

void TFormMain::Image1Click() { ShowAboutDialog(window_); }

}  // namespace quarvel
