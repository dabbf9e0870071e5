// Waiting for a tool run while the GUI thread stays alive: paint and the messages the system sends are
// handled; the person's input to the program is dropped, unless the input filter in force takes it.
#pragma once
#include <windows.h>

#include <functional>

namespace quarvel {

// Waits until the process ends, at most limitMs, and answers as WaitForSingleObject does (WAIT_OBJECT_0,
// WAIT_TIMEOUT or WAIT_FAILED, with the last error the failed wait's). Meanwhile the thread's messages are handled, except the person's keys
// and mouse clicks (the title bar's included), which go to the input filter in force and are dropped
// unless it says to handle them, and dropped files, which are released unread. A request to quit met
// on the way is posted again before returning.
DWORD WaitForProcessHandlingMessages(HANDLE process, DWORD limitMs);

// Sees each key or mouse message that arrives during a wait; true lets it be handled as usual.
using WaitInputFilter = std::function<bool(const MSG& input)>;

// Puts a filter in force for the waits made while it lives; without one, all such input is dropped.
class ScopedWaitInputFilter {
 public:
  explicit ScopedWaitInputFilter(WaitInputFilter filter);
  ~ScopedWaitInputFilter();
  ScopedWaitInputFilter(const ScopedWaitInputFilter&) = delete;
  ScopedWaitInputFilter& operator=(const ScopedWaitInputFilter&) = delete;

 private:
  WaitInputFilter previous_;
};

}  // namespace quarvel
