// The real notice dialog and failure report: they appear with the right caption and text, and close.
#include <gtest/gtest.h>

#include <thread>

#include "tests/support/real_input.h"
#include "tests/support/remote_windows.h"
#include "tests/window/test_support.h"
#include "ui/accessibility.h"
#include "ui/failure.h"
#include "ui/notice_dialog.h"

namespace quarvel::testing {
namespace {

// Shows a dialog by `show` while another thread waits for it, reads it, then runs `close` on it. A dialog
// that never shows must not hold the test: the modal loop is then ended with WM_QUIT, and the caption seen
// stays empty.
template <class Show, class Close>
DialogView Inspect(const char* caption, Show show, Close close) {
  DialogView seen;
  DWORD testThread = GetCurrentThreadId();
  std::thread inspector([&] {
    HWND dialog = nullptr;
    if (!WaitUntil([&] { return (dialog = FindDialogOf(GetCurrentProcessId(), caption)) != nullptr; })) {
      PostThreadMessageA(testThread, WM_QUIT, 0, 0);
      return;
    }
    seen = ReadDialog(dialog);
    close(dialog);
  });
  show();
  inspector.join();
  return seen;
}

// A screen reader reads the notice's text after its caption, as it does a message box's.
TEST(NoticeDialog, ShowsCaptionTextAndOneDefaultOkAndClosesOnEscapeAndEnter) {
  std::vector<std::pair<AccessibleProperty, std::string>> told;
  ScopedAnnotator annotator([&](HWND, AccessibleProperty property, const std::string& value) {
    told.emplace_back(property, value);
  });
  for (WPARAM closing : {IDCANCEL, IDOK}) {
    DialogView seen = Inspect("Error", [] { RunNoticeDialog(nullptr, "Error", "Please add at least one file"); },
                              [closing](HWND dialog) { PostMessageA(dialog, WM_COMMAND, closing, 0); });
    ASSERT_FALSE(seen.caption.empty()) << "no dialog appeared";
    EXPECT_EQ(seen.texts, std::vector<std::string>{"Please add at least one file"}) << "no period is added";
    EXPECT_EQ(seen.buttons, std::vector<std::string>{"OK"});
    EXPECT_TRUE(seen.okIsDefault);
    int centreX = (seen.frame.left + seen.frame.right) / 2;
    EXPECT_NEAR(centreX, GetSystemMetrics(SM_CXSCREEN) / 2, 2) << "centred on the screen";
  }
  const std::pair<AccessibleProperty, std::string> description{AccessibleProperty::Description,
                                                               "Please add at least one file"};
  EXPECT_EQ(told, (std::vector{description, description}));
}

TEST(NoticeDialog, LongTextWrapsAtHalfTheScreenWidthEvenWithinALongPath) {
  std::string words;
  for (int i = 0; i < 60; ++i) words += "word ";
  for (const std::string& text : {words, "C:\\" + std::string(300, 'w') + ".gba"}) {
    DialogView seen = Inspect("Error", [&] { RunNoticeDialog(nullptr, "Error", text); },
                              [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); });
    ASSERT_FALSE(seen.caption.empty()) << "no dialog appeared";
    int width = seen.frame.right - seen.frame.left;
    EXPECT_LT(width, GetSystemMetrics(SM_CXSCREEN) / 2 + 120) << text.size();
    EXPECT_GT(width, GetSystemMetrics(SM_CXSCREEN) / 4) << "wrapped near half the screen, not narrower";
  }
}

TEST(NoticeDialog, CtrlCCopiesCaptionTextAndButton) {
  auto show = [] { RunNoticeDialog(nullptr, "Error", "Could not find log file"); };
  DialogView seen = Inspect("Error", show, [](HWND dialog) {
    HWND ok = GetDlgItem(dialog, IDOK);
    // The dialog's thread reads Ctrl's state from its own keyboard state, so press it there.
    DWORD dialogThread = GetWindowThreadProcessId(dialog, nullptr);
    AttachThreadInput(GetCurrentThreadId(), dialogThread, TRUE);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(ok, WM_KEYDOWN, 'C', 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    AttachThreadInput(GetCurrentThreadId(), dialogThread, FALSE);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  ASSERT_FALSE(seen.caption.empty()) << "no dialog appeared";
  EXPECT_EQ(ClipboardText(CF_TEXT), NoticeClipboardText("Error", "Could not find log file", "OK"));
}

TEST(FailureReport, IsTheSystemMessageBoxWithTheTitleAndThePeriodRule) {
  const std::pair<const char*, const char*> cases[] = {
      {"Could not find \"Quarvel\" application", "Could not find \"Quarvel\" application."},
      {"Could not process file \"C:\\a.gba\" (error 2)", "Could not process file \"C:\\a.gba\" (error 2)"}};
  for (const auto& [message, shown] : cases) {
    DialogView seen = Inspect("Quarvel Front-End", [&] { DialogMessageSink().ShowFailureReport(message); },
                              [](HWND box) { PostMessageA(box, WM_COMMAND, IDOK, 0); });
    ASSERT_FALSE(seen.caption.empty()) << "no dialog appeared";
    EXPECT_NE(std::find(seen.texts.begin(), seen.texts.end(), shown), seen.texts.end()) << shown;
    EXPECT_EQ(seen.buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(seen.icon, LoadIconA(nullptr, IDI_HAND)) << "the stop icon";
  }
}

TEST(FailureReport, AFailureLeavingAHandlerIsReportedAndTheProgramGoesOn) {
  CapturedMessages captured;
  ScopedMessageSink sink(captured);
  bool after = false;
  Guarded([] { RaiseFailure("Could not launch help file (error %d)", {31LL}); });
  Guarded([&] { after = true; });
  EXPECT_EQ(captured.failures, std::vector<std::string>{"Could not launch help file (error 31)"});
  EXPECT_TRUE(after);
}

}  // namespace
}  // namespace quarvel::testing
