#include "tests/window/test_support.h"

#include <gtest/gtest.h>

#include "tests/support/remote_windows.h"
#include "ui/com_apartment.h"

namespace quarvel::testing {

namespace {
std::function<void(HWND)> lookAtDialog;
const char* lookedForCaption = nullptr;

// Runs in the dialog's own modal loop.
void CALLBACK LookWhenShown(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowA(nullptr, lookedForCaption);
  if (!dialog || GetWindowThreadProcessId(dialog, nullptr) != GetCurrentThreadId()) return;
  KillTimer(nullptr, timer);
  lookAtDialog(dialog);
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}
}  // namespace

void WhileShown(const char* caption, const std::function<void()>& show, std::function<void(HWND)> look) {
  lookAtDialog = std::move(look);
  lookedForCaption = caption;
  SetTimer(nullptr, 0, 20, LookWhenShown);
  show();
}

void CopyStandIn(const std::string& appDir) {
  ASSERT_TRUE(CopyFileA((TestProgramDir() + "Quarvel.exe").c_str(), (appDir + "Quarvel.exe").c_str(), FALSE));
}

ScopedEnvironment::ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
  if (DWORD size = GetEnvironmentVariableA(name, nullptr, 0)) {
    std::string old(size, '\0');
    old.resize(GetEnvironmentVariableA(name, old.data(), size));
    previous_ = old;
  }
  SetEnvironmentVariableA(name, value.c_str());
}
ScopedEnvironment::~ScopedEnvironment() {
  SetEnvironmentVariableA(name_.c_str(), previous_ ? previous_->c_str() : nullptr);
}

HangWatch::HangWatch()
    : name_("quarvel-hang-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount())),
      hanging_(CreateEventA(nullptr, TRUE, FALSE, name_.c_str())),
      stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      naming_("QUARVEL_STANDIN_HANGING", name_),
      watcher_([this] {
        HANDLE events[] = {hanging_, stop_};
        if (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0) hungAt_ = GetTickCount() | 1;
      }) {}

bool HangWatch::Hung() const {
  if (WaitForSingleObject(hanging_, 0) != WAIT_OBJECT_0) return false;
  for (DWORD start = GetTickCount(); hungAt_ == 0 && GetTickCount() - start < 5000;) Sleep(1);  // the watcher's note
  return hungAt_ != 0;
}

HangWatch::~HangWatch() {
  SetEvent(stop_);
  watcher_.join();
  CloseHandle(hanging_);
  CloseHandle(stop_);
}

MainWindowFixture::MainWindowFixture(bool withTool, const std::string& appParent) : appDir_("app", appParent) {
  if (withTool) CopyStandIn(appDir_.path());
  form_ = std::make_unique<TFormMain>();
  form_->Create(appDir_.path());
  // No real dialog in-process: the Add dialog's system call answers as a cancel.
  form_->SetSystemDialog({[](OPENFILENAMEA*) { return FALSE; }, [] { return DWORD{0}; }});
  form_->Show(SW_SHOWNORMAL);
  PumpMessages();
}

void MainWindowFixture::Choose(const std::vector<std::string>& paths) {
  form_->SetFileChooser([paths](HWND) -> std::optional<std::vector<std::string>> { return paths; });
  Command(IDC_BUTTON_ADD);
  form_->SetFileChooser({});
}

std::string MainWindowFixture::Cell(int row, int column) {
  char text[1024] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof(text);
  SendMessageA(form_->Control(IDC_LISTVIEW1), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

int MainWindowFixture::RowCount() { return ListView_GetItemCount(form_->Control(IDC_LISTVIEW1)); }

std::vector<std::string> MainWindowFixture::Column(int column) {
  std::vector<std::string> cells;
  for (int row = 0, count = RowCount(); row < count; ++row) cells.push_back(Cell(row, column));
  return cells;
}

void MainWindowFixture::SelectRows(const std::vector<int>& rows) {
  HWND list = form_->Control(IDC_LISTVIEW1);
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
  for (int row : rows) ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
}

std::string MainWindowFixture::StatusText() {
  return ReadStatusText(GetCurrentProcess(), form_->Control(IDC_STATUSBAR1));
}

void MainWindowFixture::Command(int id) { SendMessageA(form_->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

}  // namespace quarvel::testing

// The window tests need COM and the common controls, as the program's own entry point starts them.
int main(int argc, char** argv) {
  quarvel::ComApartment com;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
