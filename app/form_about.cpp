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

// An auto-sized label is as large as its one line of text, with a little room for the glyphs' overhang
// (measured widths can fall a pixel short of the drawn text), but never past the client area.
SIZE LabelSize(HWND dialog, HFONT font, const LabelSpec& label, const DisplayScale& scale) {
  if (label.style == LabelStyle::WrappedBox) return scale.Scaled(kWrappedBox);
  WindowDC dc(dialog);
  HGDIOBJ old = SelectObject(dc, font);
  RECT rect{};
  DrawTextA(dc, label.text, -1, &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  constexpr int kOverhang = 4;
  return SIZE{std::min<LONG>(rect.right + scale.Scaled(kOverhang), scale.Scaled(kClientWidth - label.left)),
              rect.bottom};
}

void CreateLabels(HWND dialog, const AboutState& about) {
  for (const LabelSpec& label : kLabels) {
    HFONT font = label.style == LabelStyle::Bold ? about.bold.get() : about.plain.get();
    SIZE size = LabelSize(dialog, font, label, about.scale);
    DWORD wrap = label.style == LabelStyle::WrappedBox ? SS_LEFT : SS_LEFTNOWORDWRAP;
    HWND child = CreateWindowExA(0, "STATIC", label.text, WS_CHILD | WS_VISIBLE | SS_NOPREFIX | wrap,
                                 about.scale.Scaled(label.left), about.scale.Scaled(label.top), size.cx, size.cy,
                                 dialog, nullptr, nullptr, nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

// Sizes the dialog to its client area and centres it on its owner.
void PlaceDialog(HWND dialog, const DisplayScale& scale) {
  RECT frame{0, 0, scale.Scaled(kClientWidth), scale.Scaled(kClientHeight)};
  AdjustWindowRectEx(&frame, GetWindowLongA(dialog, GWL_STYLE), FALSE, GetWindowLongA(dialog, GWL_EXSTYLE));
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  RECT owner{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (HWND parent = GetWindow(dialog, GW_OWNER)) GetWindowRect(parent, &owner);
  SetWindowPos(dialog, nullptr, owner.left + (owner.right - owner.left - width) / 2,
               owner.top + (owner.bottom - owner.top - height) / 2, width, height, SWP_NOZORDER);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto& about = *reinterpret_cast<const AboutState*>(lParam);
      SetWindowTextA(dialog, kAboutCaption);
      CreateLabels(dialog, about);
      PlaceDialog(dialog, about.scale);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);  // the close button, the system menu, Esc
      return TRUE;
  }
  return FALSE;
}

}  // namespace

void ShowAboutDialog(HWND owner) {
  const DisplayScale scale = DisplayScale::OfSystem();
  AboutState about{scale, GdiObject<HFONT>(CreateFormFont(scale, FW_NORMAL)),
                   GdiObject<HFONT>(CreateFormFont(scale, FW_BOLD))};
  RunEmptyModalDialog(owner, AboutDialogProc, reinterpret_cast<LPARAM>(&about));
}

}  // namespace quarvel
