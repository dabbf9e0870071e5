#include "ui/taskbar_progress.h"

#include <shobjidl.h>

namespace quarvel {

namespace {
// Talks to ITaskbarList3, made on first use: a batch comes long after the taskbar made the window's button.
// The thread's COM apartment is the program's, started before the window. Every call's result is ignored:
// progress on the taskbar is a courtesy, never a reason to stop work.
class TaskbarListProgress : public TaskbarProgress {
 public:
  ~TaskbarListProgress() override {
    if (taskbar_) taskbar_->Release();
  }

  void ShowProgress(HWND window, size_t done, size_t total) override {
    if (!Ready()) return;
    taskbar_->SetProgressState(window, TBPF_NORMAL);
    taskbar_->SetProgressValue(window, done, total);
  }
  void ShowError(HWND window) override {
    if (!Ready()) return;
    taskbar_->SetProgressState(window, TBPF_ERROR);
  }
  void Clear(HWND window) override {
    if (!Ready()) return;
    taskbar_->SetProgressState(window, TBPF_NOPROGRESS);
  }

 private:
  // False where the interface is missing (before Windows 7); asked once.
  bool Ready() {
    if (asked_) return taskbar_ != nullptr;
    asked_ = true;
    void* taskbar = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3, &taskbar))) {
      taskbar_ = static_cast<ITaskbarList3*>(taskbar);
      if (FAILED(taskbar_->HrInit())) {
        taskbar_->Release();
        taskbar_ = nullptr;
      }
    }
    return taskbar_ != nullptr;
  }

  bool asked_ = false;
  ITaskbarList3* taskbar_ = nullptr;
};
}  // namespace

std::unique_ptr<TaskbarProgress> MakeTaskbarProgress() { return std::make_unique<TaskbarListProgress>(); }

}  // namespace quarvel
