// The main window as laid out: controls, tab order, menus, resizing, start-up and key preview.
#include <gtest/gtest.h>

#include <tuple>

#include "app/form_main_layout.h"
#include "romlist/dropped_files.h"
#include "tests/support/real_input.h"
#include "tests/window/test_support.h"
#include "ui/accessibility.h"

namespace quarvel::testing {
namespace {

RECT ClientRectOf(HWND parent, HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::string TextOf(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

std::vector<std::string> MenuCaptions(HMENU menu) {
  std::vector<std::string> captions;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[64] = {};
    GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
    captions.push_back(text[0] ? text : "-");
  }
  return captions;
}

// This program carries the front-end's manifest: a manifest the system drops (as Wine drops one that names the
// wrong processor) would leave the code page and the version-5 common controls of the system.
TEST(Manifest, GivesUtf8AsTheCodePageAndTheVersion6CommonControls) {
  EXPECT_EQ(GetACP(), 65001u);
  char comctl[MAX_PATH * 4] = {};
  GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), comctl, sizeof(comctl));
  EXPECT_NE(AsciiUpper(comctl).find("\\WINSXS\\"), std::string::npos) << comctl << " is not the side-by-side version 6";
}

// A screen reader calls the list by a name, and reads the status bar out each time it changes. Run as
// administrator, the list still takes files dropped from Explorer: the messages a drop is made of are let through.
TEST(MainWindow, StartsWithCaptionDesignSizeAndEveryControlInPlace) {
  std::vector<std::tuple<HWND, AccessibleProperty, std::string>> told;
  ScopedAnnotator annotator([&](HWND control, AccessibleProperty property, const std::string& value) {
    told.emplace_back(control, property, value);
  });
  std::vector<std::tuple<HWND, UINT, DWORD>> letThrough;  // MSGFLT_ALLOW is 1
  ScopedMessageFilter filter([&](HWND control, UINT message, DWORD action) {
    return letThrough.emplace_back(control, message, action), TRUE;
  });
  MainWindowFixture window;
  HWND form = window.form().Handle();
  HWND list = window.form().Control(IDC_LISTVIEW1);
  EXPECT_EQ(told, (std::vector<std::tuple<HWND, AccessibleProperty, std::string>>{
                      {window.form().Control(IDC_STATUSBAR1), AccessibleProperty::LiveSetting, "polite"},
                      {list, AccessibleProperty::Name, "ROM files"}}));
  const decltype(letThrough) allowed{{list, WM_DROPFILES, 1}, {list, WM_COPYDATA, 1}, {list, 0x49, 1}};
  EXPECT_EQ(letThrough, allowed);
  EXPECT_EQ(TextOf(form), "Quarvel Front-End v1.1");
  RECT client;
  GetClientRect(form, &client);
  EXPECT_EQ(client.right, 627);
  EXPECT_EQ(client.bottom, 329);
  for (const ControlSpec& control : MainControls()) {
    RECT at = ClientRectOf(form, window.form().Control(control.id));
    EXPECT_EQ(at.left, control.designRect.left) << control.name;
    EXPECT_EQ(at.top, control.designRect.top) << control.name;
    EXPECT_EQ(at.right, control.designRect.right) << control.name;
    EXPECT_EQ(at.bottom, control.designRect.bottom) << control.name;
    EXPECT_EQ(TextOf(window.form().Control(control.id)), control.caption) << control.name;
  }
  EXPECT_TRUE(window.messages().failures.empty()) << "the tool is there";
  EXPECT_EQ(window.RowCount(), 0);
  EXPECT_EQ(window.StatusText(), "");
  for (int box : {IDC_CHECK_AUTOMATIC, IDC_CHECK_DISABLE_INTRO, IDC_CHECK_TRIM_FILE})
    EXPECT_EQ(IsDlgButtonChecked(form, box), BST_UNCHECKED);
}

TEST(MainWindow, TabAndShiftTabFollowTheTableOrder) {
  MainWindowFixture window;
  HWND form = window.form().Handle();
  const int order[] = {IDC_BUTTON_ADD,     IDC_BUTTON_REMOVE,   IDC_BUTTON_PATCH, IDC_CHECK_AUTOMATIC,
                       IDC_CHECK_DISABLE_INTRO, IDC_CHECK_TRIM_FILE, IDC_BUTTON_VIEW_LOG, IDC_BUTTON_TEST,
                       IDC_BUTTON_FIX,     IDC_BUTTON_UNPATCH,  IDC_LISTVIEW1};
  HWND at = window.form().Control(order[0]);
  for (size_t i = 1; i < std::size(order); ++i) {
    at = GetNextDlgTabItem(form, at, FALSE);
    EXPECT_EQ(GetDlgCtrlID(at), order[i]);
  }
  EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(form, at, FALSE)), IDC_BUTTON_ADD) << "Tab wraps round";
  EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(form, window.form().Control(IDC_BUTTON_ADD), TRUE)), IDC_LISTVIEW1);
}

TEST(MainWindow, ControlsUseTheFormFontAndTheStatusBarKeepsItsOwn) {
  MainWindowFixture window;
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(window.form().Control(IDC_BUTTON_ADD), WM_GETFONT, 0, 0));
  LOGFONTA logFont{};
  ASSERT_TRUE(GetObjectA(font, sizeof(logFont), &logFont));
  EXPECT_STREQ(logFont.lfFaceName, "MS Sans Serif");
  EXPECT_EQ(logFont.lfHeight, -11);
  HFONT statusFont = reinterpret_cast<HFONT>(SendMessageA(window.form().Control(IDC_STATUSBAR1), WM_GETFONT, 0, 0));
  EXPECT_NE(statusFont, font);
}

TEST(MainWindow, ResizingMovesOnlyTheListEdgesAndTheStatusBarAndStopsAtTheMinimum) {
  MainWindowFixture window;
  HWND form = window.form().Handle();
  RECT frame;
  GetWindowRect(form, &frame);
  SetWindowPos(form, nullptr, 0, 0, frame.right - frame.left + 100, frame.bottom - frame.top + 50,
               SWP_NOMOVE | SWP_NOZORDER);
  RECT client;
  GetClientRect(form, &client);
  RECT list = ClientRectOf(form, window.form().Control(IDC_LISTVIEW1));
  EXPECT_EQ(list.left, 160);
  EXPECT_EQ(list.top, 8);
  EXPECT_EQ(client.right - list.right, 627 - 625);
  EXPECT_EQ(client.bottom - list.bottom, 329 - 308);
  RECT button = ClientRectOf(form, window.form().Control(IDC_BUTTON_UNPATCH));
  EXPECT_EQ(button.left, 84);
  EXPECT_EQ(button.top, 284);
  RECT status = ClientRectOf(form, window.form().Control(IDC_STATUSBAR1));
  EXPECT_EQ(status.left, 0);
  EXPECT_EQ(status.right, client.right);
  EXPECT_EQ(status.bottom, client.bottom);

  MINMAXINFO limits{};
  SendMessageA(form, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, 635);
  EXPECT_EQ(limits.ptMinTrackSize.y, 375);
  EXPECT_EQ(GetWindowLongA(form, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
}

TEST(MainWindow, MenusHaveTheirEntriesAndAccessKeys) {
  MainWindowFixture window;
  HMENU menu = GetMenu(window.form().Handle());
  EXPECT_EQ(MenuCaptions(menu), (std::vector<std::string>{"&File", "&Tools", "&Help"}));
  EXPECT_EQ(MenuCaptions(GetSubMenu(menu, 0)), (std::vector<std::string>{"&Add...", "&Remove", "-", "E&xit"}));
  EXPECT_EQ(MenuCaptions(GetSubMenu(menu, 1)),
            (std::vector<std::string>{"&Patch", "&Fix", "&Unpatch", "&Test", "-", "&View Log"}));
  EXPECT_EQ(MenuCaptions(GetSubMenu(menu, 2)), (std::vector<std::string>{"&Index...", "-", "&About..."}));
  HMENU popup = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_POPUPMENU));
  EXPECT_EQ(MenuCaptions(GetSubMenu(popup, 0)),
            (std::vector<std::string>{"&Patch", "&Fix", "&Unpatch", "&Test", "-", "&Add...", "&Remove"}));
  DestroyMenu(popup);
}

TEST(MainWindow, StartingWithoutTheToolReportsOnceThenWorks) {
  MainWindowFixture window(false);
  EXPECT_EQ(window.messages().failures, std::vector<std::string>{"Could not find \"Quarvel\" application"});
  EXPECT_EQ(window.messages().notices, std::vector<std::string>{});
  EXPECT_TRUE(IsWindowVisible(window.form().Handle()));
  // The list accepts drops even without the tool.
  EXPECT_TRUE(GetWindowLongA(window.form().Control(IDC_LISTVIEW1), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  WriteRom(window.roms() / "a.gba", "GAME");
  window.Choose({window.roms() / "a.gba"});
  EXPECT_EQ(window.RowCount(), 1);
  window.Command(IDC_BUTTON_TEST);
  ASSERT_EQ(window.messages().failures.size(), 2u);
  EXPECT_EQ(window.messages().failures[1], "Could not process file \"" + window.roms() / "a.gba" + "\" (error 2)");

  // Opened inside its zip file, the program runs alone from a copy in the temporary folder: it says so first.
  MainWindowFixture fromInsideZip(false, UsersTemporaryFolder());
  ASSERT_EQ(fromInsideZip.messages().notices.size(), 1u);
  EXPECT_NE(fromInsideZip.messages().notices[0].find("started from a temporary folder"), std::string::npos);
  EXPECT_EQ(fromInsideZip.messages().failures, std::vector<std::string>{"Could not find \"Quarvel\" application"});
}

// A CBT hook may veto any window's creation; the program reports the refusal and gives up the window.
LRESULT CALLBACK RefuseEveryWindow(int code, WPARAM wParam, LPARAM lParam) {
  return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(MainWindow, AMainWindowTheSystemRefusesIsReported) {
  CapturedMessages messages;
  ScopedMessageSink sink(messages);
  TFormMain form;
  HHOOK refusal = SetWindowsHookExA(WH_CBT, RefuseEveryWindow, nullptr, GetCurrentThreadId());
  ASSERT_NE(refusal, nullptr);
  HWND window = form.Create(TestProgramDir());
  UnhookWindowsHookEx(refusal);
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(messages.failures, std::vector<std::string>{"Could not create the main window"});
}

TEST(MainWindow, F1AnywhereAndHelpIndexOpenHelpOrGiveTheNotice) {
  MainWindowFixture window;
  MSG keyInList{window.form().Control(IDC_LISTVIEW1), WM_KEYDOWN, VK_F1, 0, 0, {}};
  window.form().PreviewKey(keyInList);
  MSG keyOnButton{window.form().Control(IDC_BUTTON_ADD), WM_KEYDOWN, VK_F1, 0, 0, {}};
  window.form().PreviewKey(keyOnButton);
  window.Command(IDM_HELP_INDEX);
  MSG otherKey{window.form().Control(IDC_LISTVIEW1), WM_KEYDOWN, 'A', 0, 0, {}};
  window.form().PreviewKey(otherKey);
  // Alt+F1 comes as a system key, to whichever control the frame handed its focus to; the keys go
  // through the key preview first, as in the program's message loop.
  ASSERT_TRUE(BringToFront(window.form().Handle()));
  SetFocus(window.form().Handle());
  PressKey(VK_F1, {VK_MENU});
  for (DWORD start = GetTickCount(); window.messages().notices.size() < 4 && GetTickCount() - start < 5000; Sleep(10)) {
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) {
      window.form().PreviewKey(message);
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  EXPECT_EQ(window.messages().notices, std::vector<std::string>(4, "Could not find help file"));

  // Where the help viewer would show a blank page, it is not started: a notice says why and what to do. Wine keeps
  // the mark of the web in a file of the stream's name, which opens as the stream does on Windows.
  const std::string help = window.appDir() / "quarvel.chm";
  ASSERT_TRUE(WriteText(help, "ITSF") && WriteText(help + ":Zone.Identifier", "[ZoneTransfer]\r\nZoneId=3\r\n"));
  window.Command(IDM_HELP_INDEX);
  EXPECT_EQ(window.messages().notices.back().rfind("The help cannot be shown: Windows marked quarvel.chm as "
                                                   "downloaded from the Internet,", 0), 0u);
  ASSERT_TRUE(DeleteFileA((help + ":Zone.Identifier").c_str()));
  window.form().SetDriveTypeSource([](const std::string& root) { return root == "C:\\" ? DRIVE_REMOTE : 0u; });
  window.Command(IDM_HELP_INDEX);
  EXPECT_EQ(window.messages().notices.back().rfind("The help cannot be shown from a network folder:", 0), 0u);
}

TEST(MainWindow, ViewLogFromButtonAndMenuGivesTheNoticeWithoutALog) {
  MainWindowFixture window;
  window.Command(IDC_BUTTON_VIEW_LOG);
  window.Command(IDM_TOOLS_VIEW_LOG);
  EXPECT_EQ(window.messages().notices, std::vector<std::string>(2, "Could not find log file"));
}

}  // namespace
}  // namespace quarvel::testing
