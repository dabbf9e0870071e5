// The main window at 150 % and 200 % scale, checked in a copy of this program started after the scale is set.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <utility>

#include "tests/support/scoped_log_pixels.h"
#include "tests/support/screen_pixels.h"
#include "tests/window/test_support.h"
#include "tests/window/text_fits.h"
#include "tool/tool_runner.h"
#include "ui/gdi_handles.h"

namespace quarvel::testing {
namespace {

constexpr const char* kChildFlag = "QUARVEL_SCALED_WINDOW_CHILD";

// The scale the window is checked at: the copy's, told in the flag's value, or one the window was moved to.
int checkedDpi = 96;
int Scaled(int designPixels) { return MulDiv(designPixels, checkedDpi, 96); }
int StartDpi() { return std::getenv(kChildFlag) ? std::atoi(std::getenv(kChildFlag)) : 96; }

// The character height the font really has on screen: a bitmap font can be smaller than asked for.
int RealisedCharacterHeight(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return metrics.tmHeight - metrics.tmInternalLeading;
}

std::array<LONG, 4> EdgesIn(HWND form, HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

// As the system tells of a move to a monitor of that DPI: the DPI, and the window's rectangle at that scale.
void MoveToMonitorOf(HWND form, int dpi) {
  RECT window, suggested{0, 0, MulDiv(627, dpi, 96), MulDiv(329, dpi, 96)};
  GetWindowRect(form, &window);
  AdjustWindowRectEx(&suggested, WS_OVERLAPPEDWINDOW, TRUE, 0);
  OffsetRect(&suggested, window.left - suggested.left, window.top - suggested.top);
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
  RECT client;
  GetClientRect(form, &client);
  ASSERT_EQ(client.right, Scaled(627));
  ASSERT_EQ(client.bottom, Scaled(329));
  // Each design edge scaled; the list and the status bar keep their scaled distances to the bottom right.
  using Edges = std::array<LONG, 4>;
  EXPECT_EQ(control(IDC_BUTTON_ADD), (Edges{Scaled(4), Scaled(8), Scaled(73), Scaled(33)}));
  EXPECT_EQ(control(IDC_CHECK_TRIM_FILE), (Edges{Scaled(72), Scaled(224), Scaled(153), Scaled(241)}));
  EXPECT_EQ(control(IDC_BUTTON_UNPATCH), (Edges{Scaled(84), Scaled(284), Scaled(157), Scaled(309)}));
  EXPECT_EQ(control(IDC_LISTVIEW1),
            (Edges{Scaled(160), Scaled(8), client.right - Scaled(2), client.bottom - Scaled(21)}));
  EXPECT_EQ(control(IDC_STATUSBAR1), (Edges{0, client.bottom - Scaled(19), client.right, client.bottom}));
  HWND list = window.form().Control(IDC_LISTVIEW1);
  EXPECT_EQ(ListView_GetColumnWidth(list, 1), Scaled(150));
  EXPECT_EQ(ListView_GetColumnWidth(list, 2), 1) << "the directory column hardly shows at any scale";
  EXPECT_EQ(ListView_GetColumnWidth(list, 3), Scaled(75));
  EXPECT_EQ(ListView_GetColumnWidth(list, 4), Scaled(75));
  int iconWidth = 0, iconHeight = 0;
  ImageList_GetIconSize(ListView_GetImageList(list, LVSIL_SMALL), &iconWidth, &iconHeight);
  EXPECT_EQ(std::make_pair(iconWidth, iconHeight), std::make_pair(Scaled(16), Scaled(16)));
  auto font = reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0));
  LOGFONTA logFont{};
  GetObjectA(font, sizeof(logFont), &logFont);
  EXPECT_EQ(logFont.lfHeight, Scaled(-11));
  // Within a pixel of the height asked for: the nearest bitmap size, or a scalable face past the largest one.
  EXPECT_GE(RealisedCharacterHeight(font), Scaled(11) - 1);
  // The picture drawn at the scale of the display, never a smaller one cut at the larger control: what the
  // control shows is the top-left part of the larger bitmap, pixel for pixel.
  int pictureId = checkedDpi == 96 ? IDB_PICTURE : checkedDpi == 144 ? IDB_PICTURE_150 : IDB_PICTURE_200;
  GdiObject<HBITMAP> bitmap(static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(pictureId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  BITMAP size{};
  GetObjectA(bitmap.get(), sizeof(size), &size);
  HWND picture = window.form().Control(IDC_IMAGE1);
  RECT shown;
  GetClientRect(picture, &shown);
  RECT compared{0, 0, std::min(shown.right, size.bmWidth), std::min(shown.bottom, size.bmHeight)};
  HDC bitmapDc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(bitmapDc, bitmap.get());
  EXPECT_EQ(ReadPixels(WindowDC(picture), compared), ReadPixels(bitmapDc, compared));
  SelectObject(bitmapDc, previous);
  DeleteDC(bitmapDc);
  // Wine draws a check box's square at the system's scale whatever the window's, so below the system's scale
  // the square takes room that Windows leaves to the text: the texts are checked at the system's and above.
  if (checkedDpi >= StartDpi()) EXPECT_EQ(MainWindowTextsThatDoNotFit(form), std::vector<std::string>{});
  // The smallest window a person can drag it to: the design client area at the scale, in the window's frame.
  MINMAXINFO limits{};
  SendMessageA(form, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  RECT frame;
  GetWindowRect(form, &frame);
  EXPECT_EQ(limits.ptMinTrackSize.x, Scaled(627) + (frame.right - frame.left) - client.right);
  EXPECT_EQ(limits.ptMinTrackSize.y, Scaled(329) + (frame.bottom - frame.top) - client.bottom);
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

class DisplayScale : public ::testing::TestWithParam<int> {};

TEST_P(DisplayScale, MainWindowIsScaled) {
  ScopedLogPixels scale(GetParam());
  ASSERT_TRUE(scale.Set());
  ScopedEnvironment childFlag(kChildFlag, std::to_string(GetParam()));
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, sizeof(program));
  int32_t exitCode = -1;
  // The copy also runs the check that every caption and About line fits, now at the scaled font.
  ASSERT_TRUE(RunAndWait(program, "--gtest_filter=ScaledWindowChild.*:TextsFit.*", 120000, true, exitCode))
      << "the copy did not end within two minutes";
  EXPECT_EQ(exitCode, 0) << "the checks at " << GetParam() << " DPI failed (their report is above)";
}

INSTANTIATE_TEST_SUITE_P(At, DisplayScale, ::testing::Values(144, 192));

}  // namespace
}  // namespace quarvel::testing
