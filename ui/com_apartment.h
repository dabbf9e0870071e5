// The thread's COM apartment for the program's run. The shell asks for one before ShellExecuteA hands a
// document to its viewer (Windows 11's Notepad is reached through COM), and so do the taskbar button's
// progress and the accessibility layer's annotations.
#pragma once
#include <objbase.h>

namespace quarvel {

class ComApartment {
 public:
  ComApartment() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ~ComApartment() {
    if (started_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool started_;
};

}  // namespace quarvel
