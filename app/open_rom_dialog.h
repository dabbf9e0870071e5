// The Add dialog: an Explorer-style open dialog for several ROM files, which remembers its last
// filter and first chosen path for the rest of the run.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quarvel {

class OpenRomDialog {
 public:
  static constexpr DWORD kBufferChars = 65519;  // characters, of one or more bytes each
  static constexpr const char* kFilter = "GBA ROM Files (*.gba;*.agb;*.bin)|*.gba;*.agb;*.bin|All Files (*.*)|*.*";

  // The chosen files' full paths in the dialog's order, or nothing when the user cancelled. A dialog
  // that fails (a choice too long for the buffer, say) raises the failure with the reason.
  std::optional<std::vector<std::string>> Run(HWND owner);

  // The system's dialog and the extended error it leaves; tests put in a dialog that fails.
  struct SystemDialog {
    std::function<BOOL(OPENFILENAMEA*)> show = GetOpenFileNameA;
    std::function<DWORD()> extendedError = CommDlgExtendedError;
  };
  void SetSystemDialog(SystemDialog dialog) { system_ = std::move(dialog); }

 private:
  SystemDialog system_;
  DWORD filterIndex_ = 1;
  std::string firstPath_;
};

// "a|b|c|d" as the dialog wants it: "a\0b\0c\0d\0\0".
std::string DialogFilterText(const char* pipeSeparated);

}  // namespace quarvel
