// The eight batches: one tool action on every row, or on the selected rows, one row after the other.
#include "app/control_ids.h"
#include "app/form_main.h"
#include "tool/tool_runner.h"
#include "ui/messages.h"

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

// Marks a batch as running from its first tool run to its end, on the failure path too, and shows the
// wait cursor meanwhile.
class BatchRunning {
 public:
  explicit BatchRunning(bool& running)
      : running_(running), previousCursor_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {
    running_ = true;
  }
  ~BatchRunning() {
    running_ = false;
    SetCursor(previousCursor_);
  }
  BatchRunning(const BatchRunning&) = delete;
  BatchRunning& operator=(const BatchRunning&) = delete;

 private:
  bool& running_;
  HCURSOR previousCursor_;
};
}  // namespace

void TFormMain::ButtonPatchClick() { RunBatch(Operation::Patch, false); }
void TFormMain::ButtonFixClick() { RunBatch(Operation::Fix, false); }
void TFormMain::ButtonUnpatchClick() { RunBatch(Operation::Unpatch, false); }
void TFormMain::ButtonTestClick() { RunBatch(Operation::Test, false); }
void TFormMain::PatchCurrent1Click() { RunBatch(Operation::Patch, true); }
void TFormMain::FixCurrent1Click() { RunBatch(Operation::Fix, true); }
void TFormMain::UnpatchCurrent1Click() { RunBatch(Operation::Unpatch, true); }
void TFormMain::st1Click() { RunBatch(Operation::Test, true); }

// Runs inside the click handler to its end. While a tool runs the window is painted and answers the
// system, and the person's input is dropped (tool/message_wait.h). A failure ends the
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
  BatchRunning running(batchRunning_);
  DeleteFileA((appDir_ + kLogFileName).c_str());
  SetStatusText(StatusTextOf(operation));
  for (size_t index : batchRows) {
    int code = ProcessItem(index, operation);
    rows_.SetResult(index, code, ResultName(code));
    listView1_.RepaintRow(index);
  }
  SetStatusText(statusText_ + "done");
}

// Returns whether the cursor was set here: the wait cursor over the whole window while a batch runs.
bool TFormMain::OnSetCursor() {
  if (!batchRunning_) return false;
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

// The form keeps its own copy of the status text: status bars differ in how they give back a simple text.
void TFormMain::SetStatusText(const std::string& text) {
  statusText_ = text;
  HWND statusBar = Control(IDC_STATUSBAR1);
  SendMessageA(statusBar, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(statusText_.c_str()));
  UpdateWindow(statusBar);
}

}  // namespace quarvel
