// Opening the log and the help file with the desktop's viewer, and the About dialog.
#include <algorithm>

#include "app/form_about.h"
#include "app/form_main.h"
#include "ui/failure.h"
#include "ui/messages.h"

namespace quarvel {

namespace {
// The help viewer (hh.exe) reads its command line in the system's own code page, never in UTF-8, so a path
// with a character outside that page does not reach it. The short form of the same path is plain ASCII
// where the file system keeps short names; elsewhere the path stays as it is.
std::string ShortPathIfNotAscii(const std::string& path) {
  if (std::all_of(path.begin(), path.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) return path;
  DWORD needed = GetShortPathNameA(path.c_str(), nullptr, 0);
  std::string shortPath(needed, '\0');
  DWORD length = needed > 0 ? GetShortPathNameA(path.c_str(), shortPath.data(), needed) : 0;
  return length > 0 && length < needed ? shortPath.substr(0, length) : path;
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

void TFormMain::OpenDocument(const char* fileName, bool byShortPath, const char* missingNotice,
                             const char* failureFormat) {
  std::string path = appDir_ + fileName;
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return ShowNotice(missingNotice);
  if (byShortPath) path = ShortPathIfNotAscii(path);
  auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(window_, "open", path.c_str(), nullptr, nullptr, SW_SHOW));
  if (result <= 32) RaiseFailure(failureFormat, {static_cast<long long>(result)});
}

void TFormMain::MenuHelpAboutClick() { ShowAboutDialog(window_); }

void TFormMain::Image1Click() { ShowAboutDialog(window_); }

}  // namespace quarvel
