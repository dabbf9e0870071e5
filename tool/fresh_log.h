// The log a batch's tool runs append to, started afresh before the batch.
#pragma once
#include <windows.h>

#include <string>

namespace quarvel {

// Deletes the old log and makes sure a new one can be written there with the front-end's own rights: its
// manifest asks for no file virtualisation, so where it cannot write (Program Files, a read-only share), neither
// can the tool, which Windows would send to the VirtualStore instead. The log is made and at once deleted again,
// so the batch still starts without one. Returns 0, or the system's error for the step that failed: a log that
// cannot be deleted (read-only, held by another program, a folder's rights) or a folder where none can be made.
DWORD StartFreshLog(const std::string& logPath);

}  // namespace quarvel
