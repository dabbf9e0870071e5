// The eight batches: one tool action on every row, or on the selected rows, one row after the other.
#include "app/control_ids.h"
#include "app/form_main.h"
#include "tool/fresh_log.h"
#include "tool/message_wait.h"
#include "tool/tool_runner.h"
#include "ui/accessibility.h"
#include "ui/message_text.h"
#include "ui/messages.h"
#include "ui/system_error_text.h"

namespace quarvel {

namespace {
const char* StatusTextOf(Operation operation) {
  switch (operation) {
    case Operation::Fix: return "Fixing...";
    case Operation::Unpatch: return "Unpatching...";
    case Operation::Test: return "Testing...";
    case Operation::Patch: break;
  }
  return "Patching...";
}

// Where the front-end cannot write the log, the tool cannot either: it would report to nowhere, or Windows would
// keep its log in the VirtualStore, where View Log never finds it.
constexpr const char* kLogNotWritableNotice =
    "The tool cannot keep its log in the program folder: \"%s\" cannot be written (%s). Move the program to a "
    "folder of your own, such as Documents, and start it from there. If log.txt is marked read-only or is open in "
    "another program, clear Read-only in its Properties or close that program instead.";
constexpr const wchar_t* kEndingSessionRefusal = L"Quarvel is working on ROM files; it stops after the current file";
}  // namespace

// A batch from its first tool run to its end, on the failure path too: marked as running, with the wait
// cursor and the person's input during each tool run offered to TakeInputDuringBatch; at its end the session
// may end again.
class BatchSession {
 public:
  BatchSession(TFormMain& form, const char* action)
      : form_(form),
        previousCursor_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))),
        input_([&form](const MSG& input) { return form.TakeInputDuringBatch(input); }) {
    form_.batchRunning_ = true;
    form_.batchStop_ = TFormMain::BatchStop::None;
    form_.batchAction_ = action;
  }
  ~BatchSession() {
    form_.batchRunning_ = false;
    SetCursor(previousCursor_);
    if (form_.endingSessionRefused_) ShutdownBlockReasonDestroy(form_.window_);
    form_.endingSessionRefused_ = false;
  }
  BatchSession(const BatchSession&) = delete;
  BatchSession& operator=(const BatchSession&) = delete;

 private:
  TFormMain& form_;
  HCURSOR previousCursor_;
  ScopedWaitInputFilter input_;
};

void TFormMain::ButtonPatchClick() { RunBatch(Operation::Patch, false); }
void TFormMain::ButtonFixClick() { RunBatch(Operation::Fix, false); }
void TFormMain::ButtonUnpatchClick() { RunBatch(Operation::Unpatch, false); }
void TFormMain::ButtonTestClick() { RunBatch(Operation::Test, false); }
void TFormMain::PatchCurrent1Click() { RunBatch(Operation::Patch, true); }
void TFormMain::FixCurrent1Click() { RunBatch(Operation::Fix, true); }
void TFormMain::UnpatchCurrent1Click() { RunBatch(Operation::Unpatch, true); }
void TFormMain::st1Click() { RunBatch(Operation::Test, true); }

// Runs inside the click handler to its end. While a tool runs the window is painted and answers the
// system; of the person's input only a request to stop is taken (TakeInputDuringBatch). A failure ends the
// batch at its row: the rows before keep their new results and the status text stays without "done".
void TFormMain::RunBatch(Operation operation, bool selectedOnly) {
  EndLabelEdit();
  if (!selectedOnly && rows_.Count() == 0) return ShowNotice("Please add at least one file");
  if (selectedOnly && !listView1_.AnySelected()) return ShowNotice("Please select at least one file");

  std::vector<size_t> batchRows;
  if (selectedOnly) {
    batchRows = listView1_.SelectedIndexes();
  } else {
    for (size_t index = 0; index < rows_.Count(); ++index) batchRows.push_back(index);
  }
  const std::string log = appDir_ + kLogFileName;
  if (DWORD error = StartFreshLog(log))
    return ShowNotice(FormatText(kLogNotWritableNotice, {log, SystemErrorText(error)}));

  std::optional<std::string> failure;
  {
    BatchSession session(*this, StatusTextOf(operation));
    SetStatusText(batchAction_);
    try {
      RunBatchRows(batchRows, operation);
    } catch (const std::exception& raised) {
      failure = raised.what();
    }
  }
  if (failure) ReportBatchFailure(*failure);
  taskbar_->Clear(window_);
  if (batchStop_ == BatchStop::StopAndClose) PostQuitMessage(0);
}

void TFormMain::RunBatchRows(const std::vector<size_t>& batchRows, Operation operation) {
  size_t done = 0;
  taskbar_->ShowProgress(window_, done, batchRows.size());
  for (size_t index : batchRows) {
    if (batchStop_ != BatchStop::None) break;  // never between a tool run and its result
    listView1_.EnsureVisible(index);
    int code = ProcessItem(index, operation);
    rows_.SetResult(index, code, ResultName(code));
    listView1_.RepaintRow(index);
    taskbar_->ShowProgress(window_, ++done, batchRows.size());
  }
  SetStatusText(batchAction_ + (done < batchRows.size() ? "stopped" : "done"));
}

// The failure that ended a batch is reported here rather than by the top-level handler, so that the
// taskbar button shows the error for as long as the report does.
void TFormMain::ReportBatchFailure(const std::string& message) {
  if (batchStop_ != BatchStop::None) SetStatusText(batchAction_ + "stopped");
  taskbar_->ShowError(window_);
  ReportFailure(message);
}

void TFormMain::RequestBatchStop(bool thenClose) {
  if (!batchRunning_) return;
  if (batchStop_ == BatchStop::None) SetStatusText(batchAction_ + "stopping");  // at once: the request was taken
  if (thenClose) {
    batchStop_ = BatchStop::StopAndClose;
  } else if (batchStop_ == BatchStop::None) {
    batchStop_ = BatchStop::Stop;
  }
}

// During a batch: Esc asks it to stop, Alt+F4 to stop and close; the frame's own title bar, buttons and
// edges keep working (its close button and system menu ask to close). All other input is dropped, so
// nothing changes the list under the batch.
bool TFormMain::TakeInputDuringBatch(const MSG& input) {
  if (input.hwnd != window_ && !IsChild(window_, input.hwnd)) return false;
  if (input.message == WM_KEYDOWN && input.wParam == VK_ESCAPE) RequestBatchStop(false);
  if (input.message == WM_SYSKEYDOWN && input.wParam == VK_F4) RequestBatchStop(true);
  bool onFrame = input.message >= WM_NCMOUSEMOVE && input.message <= WM_NCXBUTTONDBLCLK;
  return onFrame && input.hwnd == window_ && input.wParam != HTMENU;
}

void TFormMain::OnClose() {
  if (batchRunning_) return RequestBatchStop(true);
  PostQuitMessage(0);
}

// Windows is about to end the session: refused while a tool runs, with the reason shown to the person,
// so that no tool run is cut in the middle of a file; the batch stops after the current file.
LRESULT TFormMain::OnQueryEndSession() {
  if (!batchRunning_) return TRUE;
  RequestBatchStop(false);
  if (!endingSessionRefused_) endingSessionRefused_ = ShutdownBlockReasonCreate(window_, kEndingSessionRefusal) != FALSE;
  return FALSE;
}

// Returns whether the cursor was set here: the wait cursor over the client area while a batch runs; the
// frame, which still answers, keeps its own cursors.
bool TFormMain::OnSetCursor(WORD hitTest) {
  if (!batchRunning_ || hitTest != HTCLIENT) return false;
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  return true;
}

ResultCode TFormMain::ProcessItem(size_t index, Operation operation) {
  return RunToolOnFile(appDir_, rows_.Row(index).FullPath(), CheckedOptions(), operation, toolTimeLimitMs_);
}

ToolOptions TFormMain::CheckedOptions() const {
  auto checked = [this](int id) { return IsDlgButtonChecked(window_, id) == BST_CHECKED; };
  return ToolOptions{checked(IDC_CHECK_TRIM_FILE), checked(IDC_CHECK_AUTOMATIC), checked(IDC_CHECK_DISABLE_INTRO)};
}

// The status bar's one part; a screen reader hears each new text, "Patching...done" too.
void TFormMain::SetStatusText(const std::string& text) {
  HWND statusBar = Control(IDC_STATUSBAR1);
  SendMessageA(statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
  AnnounceChange(statusBar);
  UpdateWindow(statusBar);
}

}  // namespace quarvel
