#include "tests/window/text_fits.h"

#include <commctrl.h>

#include <algorithm>

namespace quarvel::testing {

namespace {

std::string TextOf(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

int Dpi(HWND window) {
  HDC dc = GetDC(window);
  int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(window, dc);
  return dpi;
}

// Lays text out in the font the control answers WM_GETFONT with; width 0 means one line.
SIZE Measure(HWND control, const std::string& text, int wrapWidth = 0) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT rect{0, 0, wrapWidth, 0};
  UINT format = DT_CALCRECT | DT_NOPREFIX | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
  DrawTextA(dc, text.c_str(), -1, &rect, format);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// The check box's square and the gap after it, as the button control lays them out: the square is
// 12 px at 96 DPI plus one, the gap half the width of a "0" in the control's font.
int CheckBoxIndent(HWND control) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  SIZE zero{};
  GetTextExtentPoint32A(dc, "0", 1, &zero);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return MulDiv(12, Dpi(control), 96) + 1 + zero.cx / 2;
}

void Check(std::vector<std::string>& misfits, const std::string& text, int needs, int has, const char* unit) {
  if (needs > has)
    misfits.push_back(text + ": needs " + std::to_string(needs) + " px, has " + std::to_string(has) + " px" + unit);
}

int WidthOf(HWND window) {
  RECT rect;
  GetClientRect(window, &rect);
  return rect.right;
}

void CheckButton(std::vector<std::string>& misfits, HWND control) {
  std::string text = TextOf(control);
  if (text.empty()) return;
  RECT client;
  GetClientRect(control, &client);
  LONG style = GetWindowLongA(control, GWL_STYLE);
  switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      Check(misfits, text, Measure(control, text).cx, client.right - CheckBoxIndent(control), "");
      return;
  }
  // A push button loses its raised edge and the focus rectangle inside it on each side.
  int frame = 2 * (GetSystemMetrics(SM_CXEDGE) + 1);
  int room = client.right - frame;
  if (style & BS_MULTILINE) {
    Check(misfits, text, Measure(control, text, room).cy, client.bottom - frame, " of height");
    Check(misfits, text, Measure(control, text, room).cx, room, "");
  } else {
    Check(misfits, text, Measure(control, text).cx, room, "");
  }
}

// A column heading loses a margin on each side; the list view keeps them about 6 px at 96 DPI. A column
// narrower than its margins is one the layout hides on purpose.
void CheckColumnHeadings(std::vector<std::string>& misfits, HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  int margin = 2 * MulDiv(6, Dpi(list), 96);
  for (int column = 0; column < static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)); ++column) {
    char text[128] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
    if (item.cxy > margin) Check(misfits, text, Measure(header, text).cx, item.cxy - margin, "");
  }
}

}  // namespace

std::vector<std::string> MainWindowTextsThatDoNotFit(HWND mainWindow) {
  std::vector<std::string> misfits;
  for (HWND child = GetWindow(mainWindow, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    std::string className = ClassOf(child);
    if (lstrcmpiA(className.c_str(), "Button") == 0) CheckButton(misfits, child);
    if (lstrcmpiA(className.c_str(), WC_LISTVIEWA) == 0) CheckColumnHeadings(misfits, child);
  }
  return misfits;
}

std::vector<std::string> AboutTextsThatDoNotFit(HWND aboutDialog) {
  std::vector<std::string> misfits;
  int clientWidth = WidthOf(aboutDialog);
  for (HWND label = GetWindow(aboutDialog, GW_CHILD); label; label = GetWindow(label, GW_HWNDNEXT)) {
    std::string text = TextOf(label);
    if (text.empty() || lstrcmpiA(ClassOf(label).c_str(), "Static") != 0) continue;
    RECT at;
    GetWindowRect(label, &at);
    MapWindowPoints(nullptr, aboutDialog, reinterpret_cast<POINT*>(&at), 2);
    if ((GetWindowLongA(label, GWL_STYLE) & SS_TYPEMASK) == SS_LEFT) {
      // The wrapped box: its lines at its own width must stay within its own height (41 px at 96 DPI).
      Check(misfits, text, Measure(label, text, at.right - at.left).cy, at.bottom - at.top, " of height");
      Check(misfits, text, at.right, clientWidth, " of width");
    } else {
      Check(misfits, text, at.left + Measure(label, text).cx, clientWidth, " from the dialog's left edge");
    }
  }
  return misfits;
}

}  // namespace quarvel::testing
