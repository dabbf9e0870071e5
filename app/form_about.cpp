#include "app/form_about.h"

#include <algorithm>

#include "ui/display_scale.h"
#include "ui/form_font.h"
#include "ui/gdi_handles.h"
#include "ui/modal_dialog.h"
#include "ui/messages.h"

namespace quarvel {

namespace {
// Design-size pixels, scaled when the dialog is built.
constexpr int kClientWidth = 297;
constexpr int kClientHeight = 249;

enum class LabelStyle { Plain, Bold, WrappedBox };

struct LabelSpec {
  const char* name;
  int left, top;
  const char* text;
  LabelStyle style;
};

constexpr LabelSpec kLabels[] = {
    {"Label1", 8, 8, "Quarvel", LabelStyle::Plain},
    {"Label2", 152, 8, "by the Quarvel authors", LabelStyle::Plain},
    {"Label11", 8, 24, "Built on an open-source handheld emulation core", LabelStyle::Plain},
    {"Label3", 8, 48, "Front-End", LabelStyle::Plain},
    {"Label4", 152, 48, "by the front-end developers", LabelStyle::Plain},
    {"Label5", 8, 72, "Free software under the MIT licence: see Licence in Help", LabelStyle::Plain},
    {"Label6", 8, 88, "Not supported or endorsed by the console's maker", LabelStyle::Plain},
    {"Label10", 8, 112, "Credits", LabelStyle::Bold},
    {"Label9", 8, 128, "Testing: everyone who ran the early builds", LabelStyle::Plain},
    {"Label17", 8, 144, "Artwork: drawn for this project", LabelStyle::Plain},
    {"Label7", 8, 160, "Help file: the documentation volunteers", LabelStyle::Plain},
    {"Label8", 8, 184, "Greetings", LabelStyle::Bold},
    {"Label15", 8, 200,
     "Everyone who reported a ROM, tested a patch & sent a fix, and all who keep handheld games alive.",
     LabelStyle::WrappedBox},
};
constexpr SIZE kWrappedBox{281, 41};

struct AboutState {
  DisplayScale scale;
  GdiObject<HFONT> plain;
  GdiObject<HFONT> bold;
};

constexpr int kOverhang = 4;  // room for the glyphs' overhang: measured widths can fall a pixel short

HFONT FontOf(const AboutState& about, const LabelSpec& label) {
  return label.style == LabelStyle::Bold ? about.bold.get() : about.plain.get();
}

SIZE TextSize(HWND dialog, HFONT font, const char* text) {
  WindowDC dc(dialog);
  HGDIOBJ old = SelectObject(dc, font);
  RECT rect{};
  DrawTextA(dc, text, -1, &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  return SIZE{rect.right, rect.bottom};
}

// The design width, or wider where a line in the realised font would not fit in it (a scalable face stands in
// for the bitmap one at large scales, and its lines run a little longer).
int ClientWidth(HWND dialog, const AboutState& about) {
  const int designWidth = about.scale.Scaled(kClientWidth);
  int widestLineEnd = 0;
  for (const LabelSpec& label : kLabels) {
    if (label.style == LabelStyle::WrappedBox) continue;
    widestLineEnd = std::max<int>(widestLineEnd, about.scale.Scaled(label.left) +
                                                     TextSize(dialog, FontOf(about, label), label.text).cx);
  }
  return widestLineEnd <= designWidth ? designWidth : widestLineEnd + about.scale.Scaled(kOverhang);
}

// An auto-sized label is as large as its one line of text and a little overhang, but never past the client area.
SIZE LabelSize(HWND dialog, const AboutState& about, const LabelSpec& label, int clientWidth) {
  if (label.style == LabelStyle::WrappedBox) return about.scale.Scaled(kWrappedBox);
  SIZE text = TextSize(dialog, FontOf(about, label), label.text);
  return SIZE{std::min<LONG>(text.cx + about.scale.Scaled(kOverhang), clientWidth - about.scale.Scaled(label.left)),
              text.cy};
}

void CreateLabels(HWND dialog, const AboutState& about, int clientWidth) {
  for (const LabelSpec& label : kLabels) {
    SIZE size = LabelSize(dialog, about, label, clientWidth);
    DWORD wrap = label.style == LabelStyle::WrappedBox ? SS_LEFT : SS_LEFTNOWORDWRAP;
    HWND child = CreateWindowExA(0, "STATIC", label.text, WS_CHILD | WS_VISIBLE | SS_NOPREFIX | wrap,
                                 about.scale.Scaled(label.left), about.scale.Scaled(label.top), size.cx, size.cy,
                                 dialog, nullptr, nullptr, nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(about, label)), FALSE);
  }
}

// Sizes the dialog to its client area in the frame of its scale and centres it on its owner, or puts it at
// the top-left corner the system suggests when it moved to a monitor of another scale.
void PlaceDialog(HWND dialog, const DisplayScale& scale, int clientWidth, const RECT* suggested) {
  const SIZE outer = WindowSizeFor(dialog, SIZE{clientWidth, scale.Scaled(kClientHeight)}, scale);
  const int width = outer.cx, height = outer.cy;
  RECT owner{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (HWND parent = GetWindow(dialog, GW_OWNER)) GetWindowRect(parent, &owner);
  POINT at{owner.left + (owner.right - owner.left - width) / 2, owner.top + (owner.bottom - owner.top - height) / 2};
  if (suggested) at = POINT{suggested->left, suggested->top};
  SetWindowPos(dialog, nullptr, at.x, at.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Builds the labels at the state's scale, after the ones of an earlier scale and then their fonts are gone.
void LayOutAbout(HWND dialog, AboutState& about, const DisplayScale& scale, const RECT* suggested) {
  while (HWND child = GetWindow(dialog, GW_CHILD)) DestroyWindow(child);
  about.scale = scale;
  about.plain.reset(CreateFormFont(scale, FW_NORMAL));
  about.bold.reset(CreateFormFont(scale, FW_BOLD));
  const int clientWidth = ClientWidth(dialog, about);
  CreateLabels(dialog, about, clientWidth);
  PlaceDialog(dialog, about.scale, clientWidth, suggested);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      SetWindowTextA(dialog, kAboutCaption);
      LayOutAbout(dialog, *reinterpret_cast<AboutState*>(lParam), DisplayScale::OfWindow(GetWindow(dialog, GW_OWNER)),
                  nullptr);
      return TRUE;
    case WM_DPICHANGED:  // moved to a monitor of another scale
      LayOutAbout(dialog, *reinterpret_cast<AboutState*>(GetWindowLongPtrA(dialog, DWLP_USER)),
                  DisplayScale::OfDpiChange(wParam), reinterpret_cast<const RECT*>(lParam));
      return TRUE;
    case WM_COMMAND:
      // Enter (IDOK, the default button's), Esc, the close button and the system menu all close it.
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

void ShowAboutDialog(HWND owner) {
  AboutState about;  // laid out when the dialog starts
  RunEmptyModalDialog(owner, AboutDialogProc, reinterpret_cast<LPARAM>(&about));
}

}  // namespace quarvel
