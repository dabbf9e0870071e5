// The progress of a batch on the window's taskbar button (Windows 7 and later). One small piece behind
// an interface, so that tests can see what is shown.
#pragma once
#include <windows.h>

#include <cstddef>
#include <memory>

namespace quarvel {

class TaskbarProgress {
 public:
  virtual ~TaskbarProgress() = default;
  // Normal progress: done of total rows.
  virtual void ShowProgress(HWND window, size_t done, size_t total) = 0;
  // The error state, while the failure that ended a batch is reported.
  virtual void ShowError(HWND window) = 0;
  // No progress shown.
  virtual void Clear(HWND window) = 0;
};

// The taskbar's own progress; where the system has none, one that shows nothing and never fails.
std::unique_ptr<TaskbarProgress> MakeTaskbarProgress();

}  // namespace quarvel
