// Helpers of the hostile-input tests: drops built as the shell builds them, wide-character files
// (long and non-ASCII paths), and counts of what this process holds.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/window/test_support.h"

namespace quarvel::testing {

// Sends the paths to the list as the shell sends a drop.
void DropOnList(MainWindowFixture& window, const std::vector<std::string>& paths);

// Wide-character paths reach past MAX_PATH with the "\\?\" prefix; the single-byte API cannot.
std::wstring Widen(const std::string& text);
bool CreateFolderW(const std::wstring& path);
bool WriteRomW(const std::wstring& path, const std::string& header, size_t size = 512);  // see RomImage
// A folder inside parent whose full single-byte path plus name has exactly totalLength characters.
std::string MakeNestedPath(const std::string& parent, size_t totalLength, const std::string& name);

// Valid handle values in this process, found by asking about each possible value:
// GetProcessHandleCount gives 0 under Wine.
int OpenHandleCount();

// Whether a process with this id is still running (an ended one may still be openable while referenced).
bool ProcessRunning(DWORD pid);

}  // namespace quarvel::testing
