// The main window's creation, its window procedure and the dispatch of commands and notifications.
#include "app/form_main.h"

#include <algorithm>

#include "app/app_dir.h"
#include "app/control_ids.h"
#include "app/form_main_layout.h"
#include "romlist/active_code_page.h"
#include "romlist/dropped_files.h"
#include "romlist/path_text.h"
#include "romlist/temporary_folder.h"
#include "ui/accessibility.h"
#include "ui/failure.h"
#include "ui/messages.h"
#include "ui/system_error_text.h"

namespace quarvel {

namespace {
constexpr const char* kCaption = "Quarvel Front-End v1.1";
constexpr const char* kFormProperty = "TFormMain";
constexpr const char* kNoMainWindow = "Could not create the main window";
constexpr const char* kStartedInsideArchiveNotice =
    "The program was started from a temporary folder, as happens when it is opened inside its zip file, and the "
    "files that belong beside it are not there. Extract all the files of the zip file first (Extract All), then "
    "start QuarvelFE.exe from the extracted folder.";
constexpr const char* kListName = "ROM files";  // what a screen reader calls the list

using ClickHandler = void (TFormMain::*)();

struct CommandSpec {
  int id;
  const char* source;  // the button or menu entry that sends it
  ClickHandler handler;
};

// Menu entries that click a button run that button's one handler.
constexpr CommandSpec kCommands[] = {
    {IDC_BUTTON_ADD, "ButtonAdd", &TFormMain::ButtonAddClick},
    {IDM_FILE_ADD, "MenuFileAdd", &TFormMain::ButtonAddClick},
    {IDM_ROW_ADD, "Add1", &TFormMain::ButtonAddClick},
    {IDC_BUTTON_REMOVE, "ButtonRemove", &TFormMain::ButtonRemoveClick},
    {IDM_FILE_REMOVE, "MenuFileRemove", &TFormMain::ButtonRemoveClick},
    {IDM_ROW_REMOVE, "RemoveSelected1", &TFormMain::RemoveSelected1Click},
    {IDM_FILE_EXIT, "MenuFileExit", &TFormMain::MenuFileExitClick},
    {IDC_BUTTON_PATCH, "ButtonPatch", &TFormMain::ButtonPatchClick},
    {IDM_TOOLS_PATCH, "MenuToolsPatch", &TFormMain::ButtonPatchClick},
    {IDC_BUTTON_FIX, "ButtonFix", &TFormMain::ButtonFixClick},
    {IDM_TOOLS_FIX, "MenuToolsFix", &TFormMain::ButtonFixClick},
    {IDC_BUTTON_UNPATCH, "ButtonUnpatch", &TFormMain::ButtonUnpatchClick},
    {IDM_TOOLS_UNPATCH, "MenuToolsUnpatch", &TFormMain::ButtonUnpatchClick},
    {IDC_BUTTON_TEST, "ButtonTest", &TFormMain::ButtonTestClick},
    {IDM_TOOLS_TEST, "est1", &TFormMain::ButtonTestClick},
    {IDC_BUTTON_VIEW_LOG, "ButtonViewLog", &TFormMain::ButtonViewLogClick},
    {IDM_TOOLS_VIEW_LOG, "ViewLog1", &TFormMain::ButtonViewLogClick},
    {IDM_ROW_PATCH, "PatchCurrent1", &TFormMain::PatchCurrent1Click},
    {IDM_ROW_FIX, "FixCurrent1", &TFormMain::FixCurrent1Click},
    {IDM_ROW_UNPATCH, "UnpatchCurrent1", &TFormMain::UnpatchCurrent1Click},
    {IDM_ROW_TEST, "st1", &TFormMain::st1Click},
    {IDM_HELP_INDEX, "MenuHelpIndex", &TFormMain::MenuHelpIndexClick},
    {IDM_HELP_ABOUT, "MenuHelpAbout", &TFormMain::MenuHelpAboutClick},
};

void RegisterWindowClass(HINSTANCE instance, WNDPROC windowProc) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  if (GetClassInfoExA(instance, MAIN_WINDOW_CLASS, &windowClass)) return;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
  windowClass.lpszClassName = MAIN_WINDOW_CLASS;
  windowClass.hIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  RegisterClassExA(&windowClass);
}

std::string ExecutableDir() {
  std::string path = ReadWholePath([](char* buffer, size_t size) -> size_t {
    return GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(size));
  });
  return AppDirFromModulePath(path, ActiveCodePageLeadBytes());
}
}  // namespace

TFormMain::TFormMain()
    : leadBytes_(ActiveCodePageLeadBytes()),
      rows_(leadBytes_),
      taskbar_(MakeTaskbarProgress()),
      toolTimeLimitMs_(kToolTimeLimitMs) {}

TFormMain::~TFormMain() {
  if (window_) DestroyWindow(window_);
  if (imageList1_) ImageList_Destroy(imageList1_);
  if (popupMenu1_) DestroyMenu(popupMenu1_);
}

HWND TFormMain::Create(std::optional<std::string> appDir) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterWindowClass(instance, &TFormMain::WindowProc);
  // Made hidden where the system puts it, at the system's scale; it takes its monitor's scale and its place
  // there before anything is drawn.
  scale_ = DisplayScale::OfSystem();
  const SIZE outer = OuterSize();
  SetLastError(0);  // a refusal may set no error of its own; never report one left over from before
  window_ = CreateWindowExA(kFormExStyle, MAIN_WINDOW_CLASS, kCaption, kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            outer.cx, outer.cy, nullptr, nullptr, instance, nullptr);
  if (!window_) {
    // Without its window the program can do nothing (under Wine, for one, when no display can be reached).
    // No window is named in the call, so "invalid window handle" is never its reason: Wine leaves it behind
    // when it places a window at CW_USEDEFAULT.
    DWORD error = GetLastError();
    if (error == ERROR_INVALID_WINDOW_HANDLE) error = 0;
    ReportFailure(error ? FormatText("Could not create the main window. %s", {SystemErrorText(error)}) : kNoMainWindow);
    return nullptr;
  }
  SetPropA(window_, kFormProperty, this);  // from here on the window procedure reaches this form
  TakeMonitorScale();
  appDir_ = appDir ? *appDir : ExecutableDir();
  CreateControls();
  SetApplicationWindow(window_);  // reports from here on, the creation handler's too, are owned by it
  // A failure in the creation handler is reported here and creation goes on.
  Guarded([this] { FormCreate(); });
  return window_;
}

void TFormMain::Show(int showCommand) {
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
}

void TFormMain::FormCreate() {
  AcceptDroppedFiles(listView_);
  SetWindowSubclass(listView_, &TFormMain::ListViewWndProc, 0, reinterpret_cast<DWORD_PTR>(this));
  if (GetFileAttributesA((appDir_ + kToolFileName).c_str()) == INVALID_FILE_ATTRIBUTES) {
    // Double-clicked inside its zip, the program is copied alone into the temporary folder and started there.
    if (IsInAnyFolder(appDir_, UsersTemporaryFolderForms(), leadBytes_)) ShowNotice(kStartedInsideArchiveNotice);
    RaiseFailure("Could not find \"Quarvel\" application");
  }
}

void TFormMain::FormDestroy() {
  if (!listView_) return;
  DragAcceptFiles(listView_, FALSE);
  ForgetAccessibleProperties(listView_);
  ForgetAccessibleProperties(Control(IDC_STATUSBAR1));
}

void TFormMain::MenuFileExitClick() { PostQuitMessage(0); }

LRESULT CALLBACK TFormMain::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* form = static_cast<TFormMain*>(GetPropA(window, kFormProperty));
  if (!form) return DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  bool handled = false;
  Guarded([&] {
    result = form->HandleMessage(message, wParam, lParam);
    handled = true;
  });
  return handled ? result : 0;
}

LRESULT TFormMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_;  // WM_NCDESTROY forgets it before the default processing
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CONTEXTMENU:  // the list's own menu; the title bar's system menu is the default processing's
      if (OnContextMenu(reinterpret_cast<HWND>(wParam), lParam)) return 0;
      break;
    case WM_SIZE:
      OnSize(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_GETDPISCALEDSIZE:
      return OnGetDpiScaledSize(DisplayScale(static_cast<int>(wParam)), *reinterpret_cast<SIZE*>(lParam));
    case WM_DPICHANGED:
      OnDpiChanged(DisplayScale::OfDpiChange(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SETTINGCHANGE:
      OnSettingChange(static_cast<UINT>(wParam));
      break;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
      OnColoursChanged(message, wParam, lParam);
      break;
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:  // F1 with Alt held arrives as a system key
      FormKeyDown(wParam, lParam);
      break;
    case WM_ACTIVATE:
      if (OnActivate(LOWORD(wParam), HIWORD(wParam) != 0)) return 0;
      break;
    case WM_SETFOCUS:
      OnSetFocus();
      return 0;
    case WM_CANCELMODE:  // sent before the window is disabled for a modal dialog, which takes the focus away
      RememberFocusedControl();
      break;
    case WM_SETCURSOR:
      if (OnSetCursor(LOWORD(lParam))) return TRUE;
      break;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_QUERYENDSESSION:
      return OnQueryEndSession();
    case WM_DESTROY:
      FormDestroy();
      return 0;
    case WM_NCDESTROY:
      if (ApplicationWindow() == window_) SetApplicationWindow(nullptr);
      RemovePropA(window_, kFormProperty);
      window_ = nullptr;
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void TFormMain::OnCommand(int id, int notifyCode) {
  // The person's input is dropped during a batch; a command posted by another program is refused too,
  // so that batches never overlap and the list never changes under one.
  if (batchRunning_) return;
  if (id == IDC_IMAGE1) {
    if (notifyCode == STN_CLICKED) Image1Click();
    return;
  }
  for (const CommandSpec& command : kCommands)
    if (command.id == id) return (this->*command.handler)();
}

LRESULT TFormMain::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != listView_) return 0;
  switch (header.code) {
    case LVN_GETDISPINFOA:
      listView1_.FillDisplayInfo(*reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(&header)));
      return 0;
    case LVN_ODFINDITEMA:
      return listView1_.FindItem(reinterpret_cast<const NMLVFINDITEMA&>(header));
    case LVN_ODFINDITEMW:
      return listView1_.FindItem(reinterpret_cast<const NMLVFINDITEMW&>(header));
    case LVN_KEYDOWN:
      ListView1KeyDown(reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey);
      return 0;
    case LVN_BEGINLABELEDITA:
      OnBeginLabelEdit(reinterpret_cast<const NMLVDISPINFOA&>(header));
      return FALSE;  // allow
    case LVN_ENDLABELEDITA:
      return OnEndLabelEdit(reinterpret_cast<const NMLVDISPINFOA&>(header));
  }
  return 0;
}

bool TFormMain::OnContextMenu(HWND source, LPARAM position) {
  if (source != listView_) return false;
  POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  if (position == -1) {  // from the keyboard: at the focused row, or the list's corner
    RECT row{};
    int focused = ListView_GetNextItem(listView_, -1, LVNI_FOCUSED);
    if (focused < 0 || !ListView_GetItemRect(listView_, focused, &row, LVIR_LABEL)) row = RECT{4, 4, 4, 4};
    at = POINT{row.left, row.bottom};
    ClientToScreen(listView_, &at);
  }
  TrackPopupMenu(GetSubMenu(popupMenu1_, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
  return true;
}

void TFormMain::OnSize(int clientWidth, int clientHeight) {
  for (const ControlSpec& control : MainControls()) {
    if (control.anchor == Anchor::TopLeft) continue;
    RECT place = PlaceControl(control, clientWidth, clientHeight, scale_, statusBarHeight_);
    MoveWindow(Control(control.id), place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
  }
}

// The picture is drawn from its top-left corner and cut at the control's edges, over the window's face
// colour: around the console it is transparent, so it shows on every colour scheme and theme.
void TFormMain::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlID != IDC_IMAGE1) return;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  HDC source = CreateCompatibleDC(item.hDC);
  HGDIOBJ old = SelectObject(source, picture_.get());
  BITMAP bitmap{};
  GetObjectA(picture_.get(), sizeof(bitmap), &bitmap);
  const int width = std::min<LONG>(bitmap.bmWidth, item.rcItem.right);
  const int height = std::min<LONG>(bitmap.bmHeight, item.rcItem.bottom);
  const BLENDFUNCTION overFace{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(item.hDC, 0, 0, width, height, source, 0, 0, width, height, overFace);
  SelectObject(source, old);
  DeleteDC(source);
}

// The system's colours or the theme changed: everything is drawn again in the new colours, the picture over
// the new face colour too. Only top-level windows hear of new colours, so the common controls are told.
void TFormMain::OnColoursChanged(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOLORCHANGE)
    for (const ControlSpec& control : MainControls()) SendMessageA(Control(control.id), message, wParam, lParam);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TFormMain::PreviewKey(const MSG& message) {
  if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && message.hwnd != window_ &&
      IsChild(window_, message.hwnd))
    Guarded([&] { FormKeyDown(message.wParam, message.lParam); });
}

void TFormMain::CreateControls() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  for (const ControlSpec& control : MainControls()) {
    const RECT r = scale_.Scaled(control.designRect);
    CreateWindowExA(0, control.className, control.caption, WS_CHILD | WS_VISIBLE | control.style, r.left, r.top,
                    r.right - r.left, r.bottom - r.top, window_,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
  }
  listView_ = Control(IDC_LISTVIEW1);
  // One part across the bar rather than its simple mode, whose text the accessibility layer does not read: a
  // screen reader reads the bar's text out each time it changes (SetStatusText), the end of a batch too.
  HWND statusBar = Control(IDC_STATUSBAR1);
  int wholeWidth = -1;
  SendMessageA(statusBar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&wholeWidth));
  MakeLiveRegion(statusBar);
  SetAccessibleName(listView_, kListName);
  LoadFonts();
  LoadArtwork();
  listView1_.Attach(listView_, rows_, imageList1_, scale_);
  popupMenu1_ = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_POPUPMENU));
  LayOut();  // the status bar's font may ask for more than its design height
}

}  // namespace quarvel
