#include "tool/message_wait.h"

#include <shellapi.h>

#include <optional>
#include <utility>

namespace quarvel {

namespace {
WaitInputFilter inputFilter;

// Keys, and the mouse over the client area and over the frame: the title bar, its buttons, the menu bar.
bool IsPersonsInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

// Handles what is queued now. Returns the exit code of a request to quit, if one was met.
std::optional<int> HandleQueuedMessages() {
  std::optional<int> quit;
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = static_cast<int>(message.wParam);
    } else if (message.message == WM_DROPFILES) {
      DragFinish(reinterpret_cast<HDROP>(message.wParam));
    } else if (!IsPersonsInput(message.message) || (inputFilter && inputFilter(message))) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return quit;
}
}  // namespace

DWORD WaitForProcessHandlingMessages(HANDLE process, DWORD limitMs) {
  const ULONGLONG deadline = GetTickCount64() + limitMs;
  std::optional<int> quit;
  DWORD wait = WAIT_TIMEOUT;
  DWORD error = 0;
  for (;;) {
    ULONGLONG now = GetTickCount64();
    if (now >= deadline) {  // a steady stream of messages must not keep the limit from ending the wait
      wait = WaitForSingleObject(process, 0);
      error = GetLastError();
      break;
    }
    wait = MsgWaitForMultipleObjects(1, &process, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    error = GetLastError();
    if (wait != WAIT_OBJECT_0 + 1) break;
    if (std::optional<int> met = HandleQueuedMessages()) quit = met;
  }
  if (quit) PostQuitMessage(*quit);
  if (wait == WAIT_FAILED) SetLastError(error);  // the failed wait's own error, whatever ran since
  return wait;
}

ScopedWaitInputFilter::ScopedWaitInputFilter(WaitInputFilter filter) : previous_(std::exchange(inputFilter, std::move(filter))) {}

ScopedWaitInputFilter::~ScopedWaitInputFilter() { inputFilter = std::move(previous_); }

}  // namespace quarvel
