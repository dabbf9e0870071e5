// Every text of the main window and the About dialog fits its room in the font it is drawn in.
#include <gtest/gtest.h>

#include "app/form_about.h"
#include "tests/window/test_support.h"
#include "tests/window/text_fits.h"

namespace quarvel::testing {
namespace {

TEST(TextsFit, EveryCaptionOfTheMainWindowAndEveryAboutLine) {
  MainWindowFixture window;
  window.form().Show(SW_SHOWNORMAL);
  EXPECT_EQ(MainWindowTextsThatDoNotFit(window.form().Handle()), std::vector<std::string>{});
  std::vector<std::string> aboutMisfits{"the About dialog was not measured"};
  WhileShown(kAboutCaption, [&] { ShowAboutDialog(window.form().Handle()); },
             [&](HWND about) { aboutMisfits = AboutTextsThatDoNotFit(about); });
  EXPECT_EQ(aboutMisfits, std::vector<std::string>{});
}

}  // namespace
}  // namespace quarvel::testing
