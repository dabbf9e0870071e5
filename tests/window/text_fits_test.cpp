// Every text of the main window and the About dialog fits its room in the font it is drawn in.
#include <gtest/gtest.h>

#include "app/form_about.h"
#include "tests/window/test_support.h"
#include "tests/window/text_fits.h"

namespace quarvel::testing {
namespace {

std::string Lines(const std::vector<std::string>& texts) {
  std::string lines;
  for (const std::string& text : texts) lines += text + "\n";
  return lines;
}

// The About dialog runs its own modal loop; a thread timer inside that loop measures it and closes it.
std::vector<std::string> g_aboutMisfits;
int g_aboutTicks = 0;
bool g_aboutMeasured = false;

void CALLBACK MeasureAboutWhenShown(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND about = FindWindowA(nullptr, kAboutCaption);
  if (about && GetWindowThreadProcessId(about, nullptr) == GetCurrentThreadId() && IsWindowVisible(about)) {
    g_aboutMisfits = AboutTextsThatDoNotFit(about);
    g_aboutMeasured = true;
    KillTimer(nullptr, timer);
    PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
  } else if (++g_aboutTicks > 500) {  // about 10 s: the dialog never came
    KillTimer(nullptr, timer);
  }
}

TEST(TextsFit, EveryCaptionOfTheMainWindowAndEveryAboutLine) {
  MainWindowFixture window;
  window.form().Show(SW_SHOWNORMAL);
  EXPECT_EQ(Lines(MainWindowTextsThatDoNotFit(window.form().Handle())), "");

  g_aboutMisfits.clear();
  g_aboutTicks = 0;
  g_aboutMeasured = false;
  SetTimer(nullptr, 0, 20, MeasureAboutWhenShown);
  ShowAboutDialog(window.form().Handle());
  ASSERT_TRUE(g_aboutMeasured);
  EXPECT_EQ(Lines(g_aboutMisfits), "");
}

}  // namespace
}  // namespace quarvel::testing
