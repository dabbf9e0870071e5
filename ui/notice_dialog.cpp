#include "ui/notice_dialog.h"

#include <commctrl.h>

#include "ui/accessibility.h"
#include "ui/clipboard.h"
#include "ui/display_scale.h"
#include "ui/gdi_handles.h"
#include "ui/modal_dialog.h"
#include "ui/message_text.h"

namespace quarvel {

namespace {

// Design-size pixels, scaled when the notice is laid out.
constexpr int kMargin = 12;
constexpr int kIconGap = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kNoticeTextId = 100;
constexpr const char* kButtonCaption = "OK";

struct NoticeState {
  std::string caption;
  std::string text;
  GdiObject<HFONT> font;
  IconHandle stopIcon;
};

// The monitor the notice shows on: its owner's, else the primary one.
MONITORINFO MonitorOf(HWND dialog) {
  HWND owner = GetWindow(dialog, GW_OWNER);
  HMONITOR shownOn = owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                           : MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoA(shownOn, &monitor))
    monitor.rcMonitor = monitor.rcWork = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return monitor;
}

// The text's size when wrapped at half the monitor's width; a word longer than that (a long path) is
// broken too, as an edit control would.
SIZE MeasureText(HWND window, HFONT font, const std::string& text, const MONITORINFO& monitor) {
  WindowDC dc(window);
  HGDIOBJ old = SelectObject(dc, font);
  RECT rect{0, 0, (monitor.rcMonitor.right - monitor.rcMonitor.left) / 2, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, old);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// Ctrl+C reaches the focused OK button, not the dialog, so the button passes it on.
LRESULT CALLBACK OkButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  if (message == WM_KEYDOWN && wParam == 'C' && (GetKeyState(VK_CONTROL) & 0x8000)) {
    auto* state = reinterpret_cast<NoticeState*>(data);
    CopyTextToClipboard(button, NoticeClipboardText(state->caption, state->text, kButtonCaption));
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(button, OkButtonProc, 0);
  return DefSubclassProc(button, message, wParam, lParam);
}

HWND CreateChild(HWND dialog, const char* className, const char* text, DWORD style, RECT rect, int id, HFONT font) {
  HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, dialog,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

// Builds the controls in pixels from the measured text at the scale and sizes the dialog round them, in the
// frame of that scale: centred on its monitor's work area, or at the top-left corner the system suggests when
// the dialog moved to another monitor. Controls built at an earlier scale go first, then their font and icon.
void LayOutNotice(HWND dialog, NoticeState& state, const DisplayScale& scale, const RECT* suggested) {
  SetWindowTextA(dialog, state.caption.c_str());
  while (HWND child = GetWindow(dialog, GW_CHILD)) DestroyWindow(child);
  state.font.reset(CreateMessageFont(scale));
  state.stopIcon.reset(LoadIconAt(nullptr, reinterpret_cast<const wchar_t*>(IDI_HAND), IconKind::Large, scale));
  const MONITORINFO monitor = MonitorOf(dialog);
  SIZE text = MeasureText(dialog, state.font.get(), state.text, monitor);
  const int margin = scale.Scaled(kMargin);
  const int buttonWidth = scale.Scaled(kButtonWidth), buttonHeight = scale.Scaled(kButtonHeight);
  const int iconSize = IconSize(IconKind::Large, scale);
  int textLeft = margin + iconSize + scale.Scaled(kIconGap);
  int bodyHeight = std::max<int>(iconSize, text.cy);
  int clientWidth = std::max<int>(textLeft + text.cx + margin, buttonWidth + 2 * margin);
  int clientHeight = margin + bodyHeight + margin + buttonHeight + margin;

  HWND icon = CreateChild(dialog, "STATIC", nullptr, SS_ICON, RECT{margin, margin, margin + iconSize, margin + iconSize},
                          -1, state.font.get());
  SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(state.stopIcon.get()), 0);
  int textTop = margin + (bodyHeight - text.cy) / 2;
  CreateChild(dialog, "STATIC", state.text.c_str(), SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL,
              RECT{textLeft, textTop, textLeft + text.cx, textTop + text.cy}, kNoticeTextId, state.font.get());
  int buttonLeft = (clientWidth - buttonWidth) / 2;
  int buttonTop = clientHeight - margin - buttonHeight;
  HWND ok = CreateChild(dialog, "BUTTON", kButtonCaption, WS_TABSTOP | BS_DEFPUSHBUTTON,
                        RECT{buttonLeft, buttonTop, buttonLeft + buttonWidth, buttonTop + buttonHeight}, IDOK,
                        state.font.get());
  SetWindowSubclass(ok, OkButtonProc, 0, reinterpret_cast<DWORD_PTR>(&state));

  const SIZE outer = WindowSizeFor(dialog, SIZE{clientWidth, clientHeight}, scale);
  const int width = outer.cx, height = outer.cy;
  const RECT& work = monitor.rcWork;
  POINT at{work.left + (work.right - work.left - width) / 2, work.top + (work.bottom - work.top - height) / 2};
  if (suggested) at = POINT{suggested->left, suggested->top};
  SetWindowPos(dialog, nullptr, at.x, at.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  SetFocus(ok);
}

INT_PTR CALLBACK NoticeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      auto& state = *reinterpret_cast<NoticeState*>(lParam);
      LayOutNotice(dialog, state, DisplayScale::OfWindow(GetWindow(dialog, GW_OWNER)), nullptr);
      // As a message box opens: the system's error sound, and its text read out after its caption.
      MessageBeep(MB_ICONHAND);
      SetAccessibleDescription(dialog, state.text);
      return FALSE;  // the focus is set already
    }
    case WM_DESTROY:
      ForgetAccessibleProperties(dialog);
      return FALSE;
    case WM_DPICHANGED:  // moved to a monitor of another scale
      LayOutNotice(dialog, *reinterpret_cast<NoticeState*>(GetWindowLongPtrA(dialog, DWLP_USER)),
                   DisplayScale::OfDpiChange(wParam), reinterpret_cast<const RECT*>(lParam));
      return TRUE;
    case WM_COMMAND:
      // OK, Enter, Esc and the title bar's close button all just close it.
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDOK);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

void RunNoticeDialog(HWND owner, const std::string& caption, const std::string& text) {
  NoticeState state{caption, text, {}, {}};
  RunEmptyModalDialog(owner, NoticeDialogProc, reinterpret_cast<LPARAM>(&state));
}

}  // namespace quarvel
