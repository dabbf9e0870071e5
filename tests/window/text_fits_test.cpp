// Every text of the main window and the About dialog fits its room in the font it is drawn in.
#include <gtest/gtest.h>

#include "app/form_about.h"
#include "tests/window/test_support.h"
#include "tests/window/text_fits.h"

namespace quarvel::testing {
namespace {

std::vector<std::string> g_aboutMisfits{"the About dialog was not measured"};

// The About dialog runs its own modal loop; a thread timer inside that loop measures it and closes it.
void CALLBACK MeasureAboutWhenShown(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND about = FindWindowA(nullptr, kAboutCaption);
  if (!about || GetWindowThreadProcessId(about, nullptr) != GetCurrentThreadId()) return;
  g_aboutMisfits = AboutTextsThatDoNotFit(about);
  KillTimer(nullptr, timer);
  PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
}

TEST(TextsFit, EveryCaptionOfTheMainWindowAndEveryAboutLine) {
  MainWindowFixture window;
  window.form().Show(SW_SHOWNORMAL);
  EXPECT_EQ(MainWindowTextsThatDoNotFit(window.form().Handle()), std::vector<std::string>{});
  SetTimer(nullptr, 0, 20, MeasureAboutWhenShown);
  ShowAboutDialog(window.form().Handle());
  EXPECT_EQ(g_aboutMisfits, std::vector<std::string>{});
}

}  // namespace
}  // namespace quarvel::testing
