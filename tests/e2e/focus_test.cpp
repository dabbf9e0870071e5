// The keyboard focus, kept as a dialog keeps it: on the first control at start, and back on the control
// that had it once a notice or a dialog has closed. Keys and clicks go through the real input path.
#include "tests/e2e/e2e_fixture.h"
#include "tests/support/real_input.h"

namespace e2e {
namespace {

using quarvel::testing::BringToFront;
using quarvel::testing::ClickWindow;
using quarvel::testing::PressKey;

class KeyboardFocus : public E2eTest {
 protected:
  bool WaitForFocusOn(HWND control) const {
    return WaitUntil([&] { return app_.FocusedWindow() == control; });
  }
  // Starts the program and clicks into its empty list, which takes the focus.
  void StartWithTheListFocused() {
    ASSERT_TRUE(app_.Start()) << app_.Problem();
    EXPECT_TRUE(WaitForFocusOn(app_.Control(IDC_BUTTON_ADD))) << "the first control in tab order";
    ASSERT_TRUE(BringToFront(app_.MainWindow()));
    ClickWindow(app_.List());
    ASSERT_TRUE(WaitForFocusOn(app_.List()));
  }
  // Waits for the notice, checks its text and closes it with Enter, as a person would.
  void CloseNoticeWithEnter(const std::string& text) {
    HWND notice = app_.WaitForTopWindow(NOTICE_WINDOW_CAPTION);
    ASSERT_NE(notice, nullptr) << "no notice \"" << text << "\"";
    EXPECT_EQ(app_.NoticeText(notice), text);
    PressKey(VK_RETURN);
    ASSERT_TRUE(app_.WaitGone(notice));
  }
};

TEST_F(KeyboardFocus, DeleteAfterANoticeClosedWithEnterShowsTheNoticeAgain) {
  ASSERT_NO_FATAL_FAILURE(StartWithTheListFocused());
  PressKey(VK_DELETE);
  ASSERT_NO_FATAL_FAILURE(CloseNoticeWithEnter("Please select at least one file"));
  EXPECT_TRUE(WaitForFocusOn(app_.List()));
  PressKey(VK_DELETE);
  ASSERT_NO_FATAL_FAILURE(CloseNoticeWithEnter("Please select at least one file"));
}

TEST_F(KeyboardFocus, ComesBackToTheListAfterTheAboutDialog) {
  ASSERT_NO_FATAL_FAILURE(StartWithTheListFocused());
  ClickWindow(app_.Control(IDC_IMAGE1));  // the picture takes no focus; it opens the About dialog
  HWND about = app_.WaitForTopWindow("About...");
  ASSERT_NE(about, nullptr);
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(app_.WaitGone(about));
  EXPECT_TRUE(WaitForFocusOn(app_.List()));
}

}  // namespace
}  // namespace e2e
