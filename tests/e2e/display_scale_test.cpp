// The built program at 125 %, 150 % and 200 % display scale: the prefix's scale is set before it starts
// and restored after. Its window and the About dialog take their scaled sizes; screenshots show the rest.
#include "tests/e2e/e2e_fixture.h"
#include "tests/support/display_scale_setting.h"

namespace e2e {
namespace {

SIZE ClientSize(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return SIZE{client.right, client.bottom};
}

class DisplayScales : public E2eTest, public ::testing::WithParamInterface<int> {
 protected:
  int Scaled(int designPixels) const { return MulDiv(designPixels, GetParam(), 96); }
};

TEST_P(DisplayScales, MainWindowWithEveryResultAndTheAboutDialogAreScaled) {
  quarvel::testing::ScopedLogPixels scale(static_cast<DWORD>(GetParam()));
  ASSERT_TRUE(scale.Set());
  // Without a plan the stand-in answers by the file's name.
  std::vector<std::string> paths;
  for (const char* name : {"ok.gba", "problem.gba", "broken.gba", "error.gba", "patched.gba"})
    paths.push_back(MakeRom(name));
  ASSERT_NO_FATAL_FAILURE(StartWithRows(paths));
  SIZE main = ClientSize(app_.MainWindow());
  EXPECT_EQ(main.cx, Scaled(627));
  EXPECT_EQ(main.cy, Scaled(329));
  app_.ClickButton(IDC_BUTTON_TEST);
  EXPECT_EQ(WaitForStatus(app_, "Testing...done"), "Testing...done");
  const std::string dpi = std::to_string(GetParam());
  EXPECT_TRUE(app_.Screenshot("e2e_dpi" + dpi + "_main_window_every_result", {app_.MainWindow()}));

  app_.PostCommand(IDM_HELP_ABOUT);
  HWND about = app_.WaitForTopWindow("About...");
  ASSERT_NE(about, nullptr);
  SIZE aboutSize = ClientSize(about);
  EXPECT_EQ(aboutSize.cx, Scaled(297));
  EXPECT_EQ(aboutSize.cy, Scaled(249));
  EXPECT_TRUE(app_.Screenshot("e2e_dpi" + dpi + "_about", {about}));
  app_.PressDialogButton(about, IDCANCEL);
  EXPECT_TRUE(app_.WaitGone(about));
}

INSTANTIATE_TEST_SUITE_P(At, DisplayScales, ::testing::Values(120, 144, 192));

}  // namespace
}  // namespace e2e
