#include "app/open_rom_dialog.h"

#include "romlist/active_code_page.h"
#include "romlist/open_dialog_result.h"
#include "ui/failure.h"

namespace quarvel {

namespace {
// Centres the dialog horizontally on the active window's monitor, its top at one third of the free height.
void PlaceDialog(HWND dialog) {
  HMONITOR monitor = MonitorFromWindow(GetActiveWindow() ? GetActiveWindow() : dialog, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoA(monitor, &info);
  RECT frame;
  GetWindowRect(dialog, &frame);
  const RECT& work = info.rcWork;
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  int left = work.left + (work.right - work.left - width) / 2;
  int top = work.top + std::max(0L, (work.bottom - work.top - height) / 3);
  SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

UINT_PTR CALLBACK PlacementHook(HWND child, UINT message, WPARAM, LPARAM lParam) {
  // The hook's dialog is a child of the Explorer-style dialog, which is its parent.
  if (message == WM_NOTIFY && reinterpret_cast<const OFNOTIFYA*>(lParam)->hdr.code == CDN_INITDONE)
    PlaceDialog(GetParent(child));
  return 0;
}

// The buffer holds kBufferChars characters of the code page, whatever they take: up to four bytes in
// UTF-8, two in the two-byte code pages. The dialog counts the choice in characters and then converts it
// into the buffer, so a buffer of as many bytes as characters would take a choice it cannot hold.
DWORD BufferBytes() {
  CPINFO info{};
  return OpenRomDialog::kBufferChars * (GetCPInfo(CP_ACP, &info) ? info.MaxCharSize : 1);
}
}  // namespace

std::string DialogFilterText(const char* pipeSeparated) {
  std::string text(pipeSeparated);
  for (char& c : text)
    if (c == '|') c = '\0';
  text.push_back('\0');
  text.push_back('\0');
  return text;
}

std::optional<std::vector<std::string>> OpenRomDialog::Run(HWND owner) {
  std::string filter = DialogFilterText(kFilter);
  const DWORD bufferBytes = BufferBytes();
  std::vector<char> buffer(bufferBytes + 1, '\0');
  firstPath_.copy(buffer.data(), std::min<size_t>(firstPath_.size(), bufferBytes));

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = filterIndex_;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = bufferBytes;
  dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_ENABLEHOOK;
  dialog.lpfnHook = PlacementHook;
  if (!system_.show(&dialog)) {
    // FALSE is a cancel only when the dialog says nothing else went wrong.
    if (DWORD error = system_.extendedError()) RaiseFailure(OpenDialogFailureText(error));
    return std::nullopt;
  }

  std::vector<std::string> paths =
      ParseOpenDialogResult(buffer.data(), bufferBytes, dialog.nFileOffset, ActiveCodePageLeadBytes());
  filterIndex_ = dialog.nFilterIndex;
  if (!paths.empty()) firstPath_ = paths.front();
  return paths;
}

}  // namespace quarvel
