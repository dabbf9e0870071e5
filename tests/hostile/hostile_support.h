// Helpers of the hostile-input tests: drops built as the shell builds them, and counts of what this
// process holds.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/window/test_support.h"

namespace quarvel::testing {

// Sends the paths to the list as the shell sends a drop.
void DropOnList(MainWindowFixture& window, const std::vector<std::string>& paths);

// Valid handle values in this process, found by asking about each possible value:
// GetProcessHandleCount gives 0 under Wine.
int OpenHandleCount();

// Whether a process with this id is still running (an ended one may still be openable while referenced).
bool ProcessRunning(DWORD pid);

}  // namespace quarvel::testing
