// The built program at 125 %, 150 % and 200 % display scale, set for the prefix before it starts.
#include "tests/e2e/e2e_fixture.h"
#include "tests/support/scoped_log_pixels.h"

namespace e2e {
namespace {

class DisplayScales : public E2eTest, public ::testing::WithParamInterface<int> {};

TEST_P(DisplayScales, MainWindowWithEveryResultAndTheAboutDialog) {
  quarvel::testing::ScopedLogPixels scale(static_cast<DWORD>(GetParam()));
  ASSERT_TRUE(scale.Set());
  std::vector<std::string> paths;  // without a plan the stand-in answers by the file's name
  for (const char* name : {"ok.gba", "problem.gba", "broken.gba", "error.gba", "patched.gba"})
    paths.push_back(MakeRom(name));
  ASSERT_NO_FATAL_FAILURE(StartWithRows(paths));
  app_.ClickButton(IDC_BUTTON_TEST);
  EXPECT_EQ(WaitForStatus(app_, "Testing...done"), "Testing...done");
  const std::string name = "e2e_dpi" + std::to_string(GetParam());
  EXPECT_TRUE(app_.Screenshot(name + "_main_window_every_result", {app_.MainWindow()}));

  app_.PostCommand(IDM_HELP_ABOUT);
  HWND about = app_.WaitForTopWindow("About...");
  ASSERT_NE(about, nullptr);
  RECT client;
  GetClientRect(about, &client);
  // Wider only where a line in the scalable face that stands in at 200 % would not fit.
  EXPECT_GE(client.right, MulDiv(297, GetParam(), 96));
  EXPECT_EQ(client.bottom, MulDiv(249, GetParam(), 96));
  EXPECT_TRUE(app_.Screenshot(name + "_about", {about}));
  app_.PressDialogButton(about, IDCANCEL);
  EXPECT_TRUE(app_.WaitGone(about));
}

INSTANTIATE_TEST_SUITE_P(At, DisplayScales, ::testing::Values(120, 144, 192));

// Started at one scale, the program and its open About dialog are moved to a monitor at the other and back.
class MonitorScales : public E2eTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(MonitorScales, TheWindowAndTheAboutDialogFollowTheMonitor) {
  const auto [startDpi, otherDpi] = GetParam();
  quarvel::testing::ScopedLogPixels scale(static_cast<DWORD>(startDpi));
  ASSERT_TRUE(scale.Set());
  ASSERT_NO_FATAL_FAILURE(StartWithRows({MakeRom("ok.gba"), MakeRom("ポケモン Łódź.gba")}));
  app_.PostCommand(IDM_HELP_ABOUT);
  HWND about = app_.WaitForTopWindow("About...");
  ASSERT_NE(about, nullptr);
  const int gdiObjects = app_.GdiObjects();
  for (int dpi : {otherDpi, startDpi}) {
    auto scaled = [dpi](int design) { return MulDiv(design, dpi, 96); };
    app_.SendDpiChange(app_.MainWindow(), dpi, SIZE{scaled(627), scaled(329)});
    app_.SendDpiChange(about, dpi, SIZE{scaled(297), scaled(249)});
    RECT client;
    GetClientRect(app_.MainWindow(), &client);
    EXPECT_EQ(std::make_pair(client.right, client.bottom), (std::pair<LONG, LONG>(scaled(627), scaled(329))));
    RECT list;
    GetWindowRect(app_.List(), &list);
    EXPECT_EQ(list.right - list.left, scaled(627) - scaled(160) - scaled(2)) << "the list at " << dpi << " DPI";
    GetClientRect(about, &client);
    EXPECT_EQ(client.bottom, scaled(249)) << "the About dialog at " << dpi << " DPI";
    EXPECT_GE(client.right, scaled(297));
    const std::string name = "e2e_dpi" + std::to_string(startDpi) + "_moved_to_" + std::to_string(dpi);
    EXPECT_TRUE(app_.Screenshot(name, {app_.MainWindow(), about}));
  }
  // Wine 8 answers GetGuiResources with 0 for every process; the window tests count them in-process there.
  if (gdiObjects > 0) EXPECT_EQ(app_.GdiObjects(), gdiObjects) << "GDI objects before the moves: " << gdiObjects;
  app_.PressDialogButton(about, IDCANCEL);
  EXPECT_TRUE(app_.WaitGone(about));
}

INSTANTIATE_TEST_SUITE_P(From, MonitorScales, ::testing::Values(std::make_pair(96, 144), std::make_pair(144, 96)));

}  // namespace
}  // namespace e2e
