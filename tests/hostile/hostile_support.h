// Helpers of the hostile-input tests: drops built as the shell builds them, wide-character files
// (long and non-ASCII paths), a second process that holds a file, and counts of what this process holds.
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
bool WriteRomW(const std::wstring& path, const std::string& header, size_t size = 512);
// A folder inside parent whose full single-byte path plus name has exactly totalLength characters.
std::string MakeNestedPath(const std::string& parent, size_t totalLength, const std::string& name);

// Runs tests/hostile/file_locker.exe on path: it opens the file with no sharing and holds it until ended.
class FileLocker {
 public:
  explicit FileLocker(const std::string& path);
  ~FileLocker() { Release(); }
  FileLocker(const FileLocker&) = delete;
  FileLocker& operator=(const FileLocker&) = delete;
  bool holding() const { return holding_; }
  void Release();

 private:
  HANDLE process_ = nullptr;
  bool holding_ = false;
};

// Valid handle values in this process, found by asking about each possible value:
// GetProcessHandleCount gives 0 under Wine.
int OpenHandleCount();
// Committed private memory of this process in bytes (PrivateUsage, or PagefileUsage where that is 0).
uint64_t PrivateBytes();

// Whether a process with this id is still running (an ended one may still be openable while referenced).
bool ProcessRunning(DWORD pid);
// The process ids in a stand-in record file (last tab-separated field of each line).
std::vector<DWORD> RecordedPids(const std::string& recordPath);
// The ROM path the tool was given in each line of a stand-in record file.
std::vector<std::string> RecordedRoms(const std::string& recordPath);

}  // namespace quarvel::testing
