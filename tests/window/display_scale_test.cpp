// The main window at 150 % and 200 % scale, checked in a copy of this program started after the scale is set,
// moved to a monitor of another scale, and opened on one; and its dialogs at its scale.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <utility>

#include "app/form_about.h"
#include "tests/support/remote_windows.h"
#include "tests/support/scoped_log_pixels.h"
#include "tests/support/screen_pixels.h"
#include "tests/window/test_support.h"
#include "tests/window/text_fits.h"
#include "tool/tool_runner.h"
#include "ui/gdi_handles.h"
#include "ui/notice_dialog.h"

namespace quarvel::testing {
namespace {

constexpr const char* kChildFlag = "QUARVEL_SCALED_WINDOW_CHILD";

// The scale the window is checked at: the copy's, told in the flag's value, or one the window was moved to.
int checkedDpi = 96;
int Scaled(int designPixels) { return MulDiv(designPixels, checkedDpi, 96); }
int StartDpi() { return std::getenv(kChildFlag) ? std::atoi(std::getenv(kChildFlag)) : 96; }

// The font's character height as realised, and its line height.
TEXTMETRICA MetricsOf(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return metrics;
}
int RealisedCharacterHeight(HFONT font) { return MetricsOf(font).tmHeight - MetricsOf(font).tmInternalLeading; }
HFONT FontOf(HWND window) { return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)); }
LONG HeightAskedOf(HFONT font) {
  LOGFONTA logFont{};
  GetObjectA(font, sizeof(logFont), &logFont);
  return logFont.lfHeight;
}

int IconSide(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

// In the form's client area, or on the screen for no form.
std::array<LONG, 4> EdgesIn(HWND form, HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

// As the system tells of a move to a monitor of that DPI: the DPI, and the window's rectangle at that scale
// in the frame of that scale.
void MoveToMonitorOf(HWND form, int dpi) {
  RECT window;
  GetWindowRect(form, &window);
  const SIZE outer = OuterSizeAt(form, SIZE{MulDiv(627, dpi, 96), MulDiv(329, dpi, 96)}, dpi);
  RECT suggested{window.left, window.top, window.left + outer.cx, window.top + outer.cy};
  SendMessageA(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  checkedDpi = dpi;
}

// Wine 8 answers GetGuiResources with 0: there the objects are counted in the process's handle table, which a
// handle of the bare index reaches (Windows refuses such a handle).
int GdiObjects() {
  if (DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(count);
  int count = 0;
  for (ULONG_PTR index = 0; index <= 0xFFFF; ++index) count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
  return count;
}

void ExpectLayoutAtCheckedDpi(MainWindowFixture& window) {
  SCOPED_TRACE("at " + std::to_string(checkedDpi) + " DPI");
  HWND form = window.form().Handle();
  auto control = [&](int id) { return EdgesIn(form, window.form().Control(id)); };
  // The design client area in the frame of the scale. Wine draws the frame at the system's scale, so there the
  // client area may come out a little larger; the anchored controls follow it.
  const SIZE designClient{Scaled(627), Scaled(329)};
  const SIZE outer = OuterSizeAt(form, designClient, checkedDpi);
  const std::array<LONG, 4> frame = EdgesIn(nullptr, form);
  ASSERT_EQ(std::make_pair(frame[2] - frame[0], frame[3] - frame[1]), std::make_pair(outer.cx, outer.cy));
  RECT client;
  GetClientRect(form, &client);
  // Each design edge scaled; the list and the status bar keep their scaled distances to the bottom right, and
  // the status bar holds a line of its font with room above and below.
  using Edges = std::array<LONG, 4>;
  EXPECT_EQ(control(IDC_BUTTON_ADD), (Edges{Scaled(4), Scaled(8), Scaled(73), Scaled(33)}));
  EXPECT_EQ(control(IDC_CHECK_TRIM_FILE), (Edges{Scaled(72), Scaled(224), Scaled(153), Scaled(241)}));
  EXPECT_EQ(control(IDC_BUTTON_UNPATCH), (Edges{Scaled(84), Scaled(284), Scaled(157), Scaled(309)}));
  const Edges status = control(IDC_STATUSBAR1);
  const LONG statusHeight = status[3] - status[1];
  EXPECT_EQ(status, (Edges{0, client.bottom - statusHeight, client.right, client.bottom}));
  EXPECT_GE(statusHeight, Scaled(19));
  EXPECT_GE(statusHeight, MetricsOf(FontOf(window.form().Control(IDC_STATUSBAR1))).tmHeight + Scaled(3));
  EXPECT_EQ(control(IDC_LISTVIEW1), (Edges{Scaled(160), Scaled(8), client.right - Scaled(2), status[1] - Scaled(2)}));
  HWND list = window.form().Control(IDC_LISTVIEW1);
  EXPECT_EQ(ListView_GetColumnWidth(list, 1), Scaled(150));
  EXPECT_EQ(ListView_GetColumnWidth(list, 2), 1) << "the directory column hardly shows at any scale";
  EXPECT_EQ(ListView_GetColumnWidth(list, 3), Scaled(75));
  EXPECT_EQ(ListView_GetColumnWidth(list, 4), Scaled(75));
  int iconWidth = 0, iconHeight = 0;
  ImageList_GetIconSize(ListView_GetImageList(list, LVSIL_SMALL), &iconWidth, &iconHeight);
  EXPECT_EQ(std::make_pair(iconWidth, iconHeight), std::make_pair(Scaled(16), Scaled(16)));
  // The title bar's and the taskbar's icons too, at the scale's sizes.
  EXPECT_EQ(IconSide(reinterpret_cast<HICON>(SendMessageA(form, WM_GETICON, ICON_SMALL, 0))), Scaled(16));
  EXPECT_EQ(IconSide(reinterpret_cast<HICON>(SendMessageA(form, WM_GETICON, ICON_BIG, 0))), Scaled(32));
  HFONT font = FontOf(list);
  EXPECT_EQ(HeightAskedOf(font), Scaled(-11));
  // Within a pixel of the height asked for: the nearest bitmap size, or a scalable face past the largest one.
  EXPECT_GE(RealisedCharacterHeight(font), Scaled(11) - 1);
  // The picture drawn at the scale of the display, never a smaller one cut at the larger control: what the
  // control shows is the top-left part of the larger bitmap, pixel for pixel where it is opaque, and the window's
  // face colour, whatever it is now, where it is transparent (its edges, partly covered, are left out).
  int pictureId = checkedDpi == 96 ? IDB_PICTURE : checkedDpi == 144 ? IDB_PICTURE_150 : IDB_PICTURE_200;
  GdiObject<HBITMAP> bitmap(static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(pictureId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  DIBSECTION section{};
  ASSERT_EQ(GetObjectA(bitmap.get(), sizeof(section), &section), static_cast<int>(sizeof(section)));
  ASSERT_EQ(section.dsBm.bmBitsPixel, 32) << "a picture with alpha";
  HWND picture = window.form().Control(IDC_IMAGE1);
  RECT shown;
  GetClientRect(picture, &shown);
  RECT compared{0, 0, std::min(shown.right, section.dsBm.bmWidth), std::min(shown.bottom, section.dsBm.bmHeight)};
  std::vector<uint32_t> seen = ReadPixels(WindowDC(picture), compared), wanted = seen;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const auto* bits = static_cast<const uint32_t*>(section.dsBm.bmBits);  // bottom-up, 0xAARRGGBB
  size_t transparent = 0;
  for (size_t at = 0; at < seen.size(); ++at) {
    const LONG x = static_cast<LONG>(at) % compared.right, y = static_cast<LONG>(at) / compared.right;
    const uint32_t pixel = bits[(section.dsBm.bmHeight - 1 - y) * section.dsBm.bmWidth + x];
    if (pixel >> 24 == 255) wanted[at] = pixel & 0xFFFFFF;
    if (pixel >> 24 == 0 && ++transparent) wanted[at] = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
  }
  EXPECT_EQ(seen, wanted);
  EXPECT_GT(transparent, seen.size() / 10) << "the console lies on the face colour, with no box of its own";
  // Wine draws a check box's square at the system's scale whatever the window's, so below the system's scale
  // the square takes room that Windows leaves to the text: the texts are checked at the system's and above.
  if (checkedDpi >= StartDpi()) EXPECT_EQ(MainWindowTextsThatDoNotFit(form), std::vector<std::string>{});
  // The smallest window a person can drag it to: the design client area at the scale, in the frame of the scale.
  MINMAXINFO limits{};
  SendMessageA(form, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(std::make_pair(limits.ptMinTrackSize.x, limits.ptMinTrackSize.y), std::make_pair(outer.cx, outer.cy));
}

TEST(ScaledWindowChild, LayoutFontAndIconsAreScaled) {
  if (!std::getenv(kChildFlag)) GTEST_SKIP() << "runs in the copy MainWindowIsScaled starts";
  MainWindowFixture window;
  checkedDpi = StartDpi();
  ExpectLayoutAtCheckedDpi(window);
  EXPECT_EQ(ListView_GetColumnWidth(window.form().Control(IDC_LISTVIEW1), 0), Scaled(160));
}

// Moved to a monitor of another scale and back: as one started at each, with no GDI object left over.
TEST(ScaledWindowChild, FollowsTheMonitorsScaleThereAndBack) {
  MainWindowFixture window;
  HWND form = window.form().Handle();
  const int otherDpi = StartDpi() == 96 ? 144 : 96;
  // Asked before a move, the window wants its client area scaled, in the frame of the new scale.
  SIZE wanted{};
  EXPECT_TRUE(SendMessageA(form, WM_GETDPISCALEDSIZE, otherDpi, reinterpret_cast<LPARAM>(&wanted)));
  RECT client;
  GetClientRect(form, &client);
  const SIZE scaledClient{MulDiv(client.right, otherDpi, StartDpi()), MulDiv(client.bottom, otherDpi, StartDpi())};
  const SIZE scaled = OuterSizeAt(form, scaledClient, otherDpi);
  EXPECT_EQ(std::make_pair(wanted.cx, wanted.cy), std::make_pair(scaled.cx, scaled.cy));
  // Wine's list view keeps 6 bitmaps from its first column-width change on: counted after one round trip.
  MoveToMonitorOf(form, otherDpi);
  MoveToMonitorOf(form, StartDpi());
  const int before = GdiObjects();
  HWND list = window.form().Control(IDC_LISTVIEW1);
  ListView_SetColumnWidth(list, 0, Scaled(200));  // as a person widened it: the width stays theirs
  MoveToMonitorOf(form, otherDpi);
  ExpectLayoutAtCheckedDpi(window);
  EXPECT_EQ(ListView_GetColumnWidth(list, 0), Scaled(200));
  MoveToMonitorOf(form, StartDpi());
  ExpectLayoutAtCheckedDpi(window);
  EXPECT_EQ(ListView_GetColumnWidth(list, 0), Scaled(200));
  EXPECT_EQ(GdiObjects(), before) << "GDI objects before the moves: " << before;
  EXPECT_GT(before, 0) << "the GDI objects are counted";
}

// The person's text size as the system keeps and announces it: the status font's height (at the system's scale).
void SetStatusFontHeight(NONCLIENTMETRICSW& metrics, LONG height) {
  metrics.lfStatusFont.lfHeight = height;
  SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(metrics), &metrics, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

// Another face colour for as long as it lives.
struct ScopedFaceColour {
  explicit ScopedFaceColour(COLORREF colour) { set = SetSysColors(1, &kFace, &colour); }
  ~ScopedFaceColour() {
    if (set) SetSysColors(1, &kFace, &previous);
  }
  static constexpr int kFace = COLOR_BTNFACE;
  COLORREF previous = GetSysColor(kFace);
  BOOL set = FALSE;
};

// On a second monitor of a scale not the system's (a laptop docked since sign-in): the window opens centred there at
// its scale, so do its dialogs; its status bar follows the text size, its picture lies on the face colour of now.
TEST(ScaledWindowChild, OpensAtItsMonitorsScaleAndSoDoItsDialogs) {
  const int monitorDpi = StartDpi() == 96 ? 144 : 96;
  ScopedWindowDpi monitor([monitorDpi](HWND) { return monitorDpi; });
  const RECT secondMonitor{1400, 100, 3320, 1140};
  ScopedWorkArea workArea([&](HWND) { return secondMonitor; });
  MainWindowFixture window;
  checkedDpi = monitorDpi;
  HWND form = window.form().Handle();
  const std::array<LONG, 4> frame = EdgesIn(nullptr, form);
  EXPECT_NEAR(frame[0] + frame[2], secondMonitor.left + secondMonitor.right, 1) << "centred across that monitor";
  EXPECT_NEAR(frame[1] + frame[3], secondMonitor.top + secondMonitor.bottom, 1) << "and down it";
  // Wine's one screen shows the window's pixels only on it.
  SetWindowPos(form, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  PumpMessages();
  ExpectLayoutAtCheckedDpi(window);

  // Each dialog's client area in the frame of its scale: the About dialog's design height, and the notice's OK
  // button with its margin below it. Its stop sign is of the scale's size.
  LONG aboutFont = 0, aboutHeight = 0, noticeHeight = 0, okBottom = 0;
  WhileShown(kAboutCaption, [&] { ShowAboutDialog(form); }, [&](HWND about) {
    aboutFont = HeightAskedOf(FontOf(GetWindow(about, GW_CHILD)));
    aboutHeight = EdgesIn(nullptr, about)[3] - EdgesIn(nullptr, about)[1] - OuterSizeAt(about, {}, monitorDpi).cy;
  });
  EXPECT_EQ(aboutFont, Scaled(-11));
  EXPECT_EQ(aboutHeight, Scaled(249));
  int stopIcon = 0;
  WhileShown(NOTICE_WINDOW_CAPTION, [&] { RunNoticeDialog(form, NOTICE_WINDOW_CAPTION, "Could not find log file"); },
             [&](HWND notice) {
               noticeHeight = EdgesIn(nullptr, notice)[3] - EdgesIn(nullptr, notice)[1] -
                              OuterSizeAt(notice, {}, monitorDpi).cy;
               okBottom = EdgesIn(notice, GetDlgItem(notice, IDOK))[3];
               HWND icon = GetWindow(notice, GW_CHILD);
               stopIcon = IconSide(reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0)));
             });
  EXPECT_EQ(noticeHeight, okBottom + Scaled(12));
  EXPECT_EQ(stopIcon, Scaled(32));

  // A larger text size: the status bar takes the new font at the window's scale and grows with it, and the list
  // makes room.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
  const LONG statusFontHeight = metrics.lfStatusFont.lfHeight;
  SetStatusFontHeight(metrics, -30);
  EXPECT_EQ(HeightAskedOf(FontOf(window.form().Control(IDC_STATUSBAR1))), MulDiv(-30, monitorDpi, StartDpi()));
  ExpectLayoutAtCheckedDpi(window);
  SetStatusFontHeight(metrics, statusFontHeight);

  // The face colour of Windows 10 and 11 (Wine's is the classic grey), or a High Contrast black.
  for (COLORREF face : {RGB(240, 240, 240), RGB(0, 0, 0)}) {
    ScopedFaceColour faceColour(face);
    ASSERT_TRUE(faceColour.set);
    PumpMessages();
    ExpectLayoutAtCheckedDpi(window);
  }
}

class DisplayScale : public ::testing::TestWithParam<int> {};

TEST_P(DisplayScale, MainWindowIsScaled) {
  ScopedLogPixels scale(GetParam());
  ASSERT_TRUE(scale.Set());
  ScopedEnvironment childFlag(kChildFlag, std::to_string(GetParam()));
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, sizeof(program));
  int32_t exitCode = -1;
  // The copy also runs the check that every caption and About line fits, now at the scaled font.
  ASSERT_TRUE(
      RunAndWait(program, "--gtest_filter=ScaledWindowChild.*:TextsFit.*", 120000, WindowShow::Hidden, exitCode))
      << "the copy did not end within two minutes";
  EXPECT_EQ(exitCode, 0) << "the checks at " << GetParam() << " DPI failed (their report is above)";
}

INSTANTIATE_TEST_SUITE_P(At, DisplayScale, ::testing::Values(144, 192));

}  // namespace
}  // namespace quarvel::testing
