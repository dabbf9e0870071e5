// The main window at 150 % display scale: the prefix is set to 144 DPI and the checks run in a process of
// their own, since a program reads the scale only when it starts.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/display_scale_setting.h"
#include "tests/window/test_support.h"

namespace quarvel::testing {
namespace {

constexpr int kDpi = 144;
constexpr const char* kChildFlag = "QUARVEL_SCALED_WINDOW_CHILD";

int Scaled(int designPixels) { return MulDiv(designPixels, kDpi, 96); }

RECT RectIn(HWND parent, HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void ExpectRect(const RECT& actual, int left, int top, int right, int bottom, const char* name) {
  EXPECT_EQ(actual.left, left) << name;
  EXPECT_EQ(actual.top, top) << name;
  EXPECT_EQ(actual.right, right) << name;
  EXPECT_EQ(actual.bottom, bottom) << name;
}

// Run only by the test below, in the process it starts.
TEST(ScaledWindowChild, LayoutFontAndIconsAreScaled) {
  if (!std::getenv(kChildFlag)) GTEST_SKIP() << "runs in the process MainWindowAt144Dpi starts";
  MainWindowFixture window;
  HWND form = window.form().Handle();
  RECT client;
  GetClientRect(form, &client);
  ASSERT_EQ(client.right, Scaled(627));
  ASSERT_EQ(client.bottom, Scaled(329));

  // Each edge of the design rectangle, scaled; the list keeps its scaled distances to the right and bottom.
  ExpectRect(RectIn(form, window.form().Control(IDC_BUTTON_ADD)), Scaled(4), Scaled(8), Scaled(73), Scaled(33),
             "ButtonAdd");
  ExpectRect(RectIn(form, window.form().Control(IDC_IMAGE1)), 0, Scaled(40), Scaled(153), Scaled(169), "Image1");
  ExpectRect(RectIn(form, window.form().Control(IDC_CHECK_TRIM_FILE)), Scaled(72), Scaled(224), Scaled(153),
             Scaled(241), "CheckBoxTrimFile");
  ExpectRect(RectIn(form, window.form().Control(IDC_BUTTON_UNPATCH)), Scaled(84), Scaled(284), Scaled(157),
             Scaled(309), "ButtonUnpatch");
  ExpectRect(RectIn(form, window.form().Control(IDC_LISTVIEW1)), Scaled(160), Scaled(8), client.right - Scaled(2),
             client.bottom - Scaled(21), "ListView1");
  RECT status = RectIn(form, window.form().Control(IDC_STATUSBAR1));
  EXPECT_EQ(status.bottom - status.top, Scaled(19)) << "StatusBar1";

  MINMAXINFO limits{};
  SendMessageA(form, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, Scaled(635));
  EXPECT_EQ(limits.ptMinTrackSize.y, Scaled(375));

  HWND list = window.form().Control(IDC_LISTVIEW1);
  EXPECT_EQ(ListView_GetColumnWidth(list, 0), Scaled(160)) << "File Name";
  EXPECT_EQ(ListView_GetColumnWidth(list, 2), 1) << "Directory Path";
  EXPECT_EQ(ListView_GetColumnWidth(list, 4), Scaled(75)) << "Result";
  int iconWidth = 0, iconHeight = 0;
  ASSERT_TRUE(ImageList_GetIconSize(ListView_GetImageList(list, LVSIL_SMALL), &iconWidth, &iconHeight));
  EXPECT_EQ(iconWidth, 24);
  EXPECT_EQ(iconHeight, 24);

  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window.form().Control(IDC_BUTTON_PATCH), WM_GETFONT, 0, 0)),
             sizeof(font), &font);
  EXPECT_EQ(font.lfHeight, Scaled(-11));
}

TEST(DisplayScale, MainWindowAt144DpiIsOneAndAHalfTimesItsDesignSize) {
  ScopedLogPixels scale(kDpi);
  ASSERT_TRUE(scale.Set());
  ScopedEnvironment childFlag(kChildFlag, "1");
  char program[MAX_PATH];
  GetModuleFileNameA(nullptr, program, sizeof(program));
  std::string commandLine = std::string("\"") + program + "\" --gtest_filter=ScaledWindowChild.*";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;  // the child's report goes into this test's output
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION child{};
  ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                             &child));
  CloseHandle(child.hThread);
  DWORD waited = WaitForSingleObject(child.hProcess, 120000);
  if (waited != WAIT_OBJECT_0) TerminateProcess(child.hProcess, 1);
  DWORD exitCode = 1;
  GetExitCodeProcess(child.hProcess, &exitCode);
  CloseHandle(child.hProcess);
  EXPECT_EQ(waited, WAIT_OBJECT_0) << "the scaled window's checks did not end within two minutes";
  EXPECT_EQ(exitCode, 0u) << "the scaled window's checks failed (see their report above)";
}

}  // namespace
}  // namespace quarvel::testing
