// Waiting for a tool run while the GUI thread stays alive: paint and the messages the system sends are
// handled, the person's input to the program is dropped.
#pragma once
#include <windows.h>

namespace quarvel {

// Waits until the process ends, at most limitMs, and answers as WaitForSingleObject does (WAIT_OBJECT_0,
// WAIT_TIMEOUT or WAIT_FAILED). Meanwhile the thread's messages are handled, except the person's keys
// and mouse clicks (the title bar's included), which are dropped, and dropped files, which are released
// unread. A request to quit met on the way is posted again before returning.
DWORD WaitForProcessHandlingMessages(HANDLE process, DWORD limitMs);

}  // namespace quarvel
