#include "tests/window/text_fits.h"

namespace quarvel::testing {

namespace {

// The control's text, or nothing when it is not of the class.
std::string TextOf(HWND window, const char* className) {
  char text[512] = {}, name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  if (lstrcmpiA(name, className) == 0) GetWindowTextA(window, text, sizeof(text));
  return text;
}

// Lays the text out in the font the control answers WM_GETFONT with: on one line, or wrapped at wrapWidth.
// With checkBox, gives instead the room a check box's square and the gap after it (half a "0") take.
SIZE Measure(HWND control, const std::string& text, int wrapWidth = 0, bool checkBox = false) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT rect{0, 0, wrapWidth, 0};
  DrawTextA(dc, text.c_str(), -1, &rect, DT_CALCRECT | DT_NOPREFIX | (wrapWidth ? DT_WORDBREAK : DT_SINGLELINE));
  SIZE zero{};
  GetTextExtentPoint32A(dc, "0", 1, &zero);
  int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return checkBox ? SIZE{MulDiv(12, dpi, 96) + 1 + zero.cx / 2, 0} : SIZE{rect.right, rect.bottom};
}

void Check(std::vector<std::string>& misfits, const std::string& text, LONG needs, LONG has) {
  if (needs > has)
    misfits.push_back(text + ": needs " + std::to_string(needs) + " px, has " + std::to_string(has) + " px");
}

}  // namespace

std::vector<std::string> MainWindowTextsThatDoNotFit(HWND mainWindow) {
  std::vector<std::string> misfits;
  for (HWND child = GetWindow(mainWindow, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    std::string text = TextOf(child, "Button");
    if (text.empty()) continue;
    RECT room;
    GetClientRect(child, &room);
    LONG type = GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX) {  // the room beside the square
      Check(misfits, text, Measure(child, text).cx, room.right - Measure(child, text, 0, true).cx);
      continue;
    }
    // A push button loses its raised edge and the focus rectangle inside it on each side.
    InflateRect(&room, -(GetSystemMetrics(SM_CXEDGE) + 1), -(GetSystemMetrics(SM_CYEDGE) + 1));
    SIZE needs = Measure(child, text, (GetWindowLongA(child, GWL_STYLE) & BS_MULTILINE) ? room.right - room.left : 0);
    Check(misfits, text, needs.cx, room.right - room.left);
    Check(misfits, text + " (height)", needs.cy, room.bottom - room.top);
  }
  return misfits;
}

std::vector<std::string> AboutTextsThatDoNotFit(HWND aboutDialog) {
  std::vector<std::string> misfits;
  RECT client;
  GetClientRect(aboutDialog, &client);
  for (HWND label = GetWindow(aboutDialog, GW_CHILD); label; label = GetWindow(label, GW_HWNDNEXT)) {
    std::string text = TextOf(label, "Static");
    if (text.empty()) continue;
    RECT at;
    GetWindowRect(label, &at);
    MapWindowPoints(nullptr, aboutDialog, reinterpret_cast<POINT*>(&at), 2);
    if ((GetWindowLongA(label, GWL_STYLE) & SS_TYPEMASK) == SS_LEFT) {
      // The wrapped box: its lines at its own width stay within its own height (41 px at 96 DPI).
      Check(misfits, text + " (height)", Measure(label, text, at.right - at.left).cy, at.bottom - at.top);
      Check(misfits, text, at.right, client.right);
    } else {
      Check(misfits, text, at.left + Measure(label, text).cx, client.right);
    }
  }
  return misfits;
}

}  // namespace quarvel::testing
