#include "app/open_rom_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "romlist/active_code_page.h"
#include "romlist/open_dialog_result.h"
#include "ui/failure.h"

namespace quarvel {

namespace {
// Centred horizontally on the monitor of the window that was active when the dialog was asked for, its top at one
// third of the free height.
POINT PlaceOnMonitor(SIZE size, HWND activeBefore) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoA(MonitorFromWindow(activeBefore, MONITOR_DEFAULTTONEAREST), &info);
  const RECT& work = info.rcWork;
  return POINT{work.left + (work.right - work.left - size.cx) / 2,
               work.top + std::max(0L, (work.bottom - work.top - size.cy) / 3)};
}

// A hook procedure or a template in the dialog's own structure would bring back the dialog of old Windows (no
// navigation pane, no search box, no address bar). The dialog is placed instead by a window hook on this thread:
// it sees the dialog's frame made, and moves it as it is first shown, when its size is settled (Wine, for one,
// sizes it again after it is made). The hook lives only while the dialog runs, on every path out.
class PlacementHook {
 public:
  explicit PlacementHook(HWND owner) {
    HWND active = GetActiveWindow();
    state_ = State{owner, active ? active : owner, nullptr, false};
    hook_ = SetWindowsHookExA(WH_CBT, &PlacementHook::Procedure, nullptr, GetCurrentThreadId());
  }
  ~PlacementHook() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (state_.dialog) RemoveWindowSubclass(state_.dialog, &PlacementHook::PlaceWhenShown, 0);
    state_ = State{};
  }
  PlacementHook(const PlacementHook&) = delete;
  PlacementHook& operator=(const PlacementHook&) = delete;

 private:
  struct State {
    HWND owner;
    HWND activeBefore;
    HWND dialog;  // the dialog's frame, once made
    bool placed;
  };
  static inline State state_{};
  HHOOK hook_;

  static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && !state_.dialog) {
      HWND made = reinterpret_cast<HWND>(wParam);
      char className[16] = {};
      if (reinterpret_cast<const CBT_CREATEWNDA*>(lParam)->lpcs->hwndParent == state_.owner &&
          GetClassNameA(made, className, sizeof(className)) && lstrcmpA(className, "#32770") == 0 &&
          SetWindowSubclass(made, &PlacementHook::PlaceWhenShown, 0, 0))
        state_.dialog = made;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static LRESULT CALLBACK PlaceWhenShown(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR) {
    if (message == WM_WINDOWPOSCHANGING && !state_.placed) {
      auto& position = *reinterpret_cast<WINDOWPOS*>(lParam);
      if (position.flags & SWP_SHOWWINDOW) {
        state_.placed = true;
        RECT frame{};
        GetWindowRect(dialog, &frame);
        const SIZE size = position.flags & SWP_NOSIZE ? SIZE{frame.right - frame.left, frame.bottom - frame.top}
                                                      : SIZE{position.cx, position.cy};
        const POINT at = PlaceOnMonitor(size, state_.activeBefore);
        position.x = at.x;
        position.y = at.y;
        position.flags &= ~SWP_NOMOVE;
      }
    }
    if (message == WM_NCDESTROY) {
      RemoveWindowSubclass(dialog, &PlacementHook::PlaceWhenShown, 0);
      state_.dialog = nullptr;
    }
    return DefSubclassProc(dialog, message, wParam, lParam);
  }
};

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
  dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  BOOL chosen = FALSE;
  {
    PlacementHook placement(owner);
    chosen = system_.show(&dialog);
  }
  if (!chosen) {
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
