// Files the end-to-end tests make and read: temporary folders, made-up ROM files, log and record files.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// A new empty folder under the temporary folder, deleted with its contents at the end.
class TempFolder {
 public:
  explicit TempFolder(const std::string& label);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's full path, ending with a backslash.
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// Writes a ROM file of `size` zero bytes with `gameName` (at most 18 bytes) at offset 160.
bool WriteRomFile(const std::string& path, const std::string& gameName, size_t size);

bool FileExists(const std::string& path);
bool CopyOneFile(const std::string& from, const std::string& to);
// The file's lines without their line ends; none when it cannot be read.
std::vector<std::string> ReadLines(const std::string& path);
bool DeleteTree(const std::string& folder);

// The folder of the running test program, ending with a backslash.
std::string ThisProgramFolder();

// A Windows path for a path that may be given as a Unix path (the variable set on the Linux side).
std::string WindowsPathOf(const std::string& path);

// Holds a file open without sharing, so that nobody else can open it meanwhile.
class LockedFile {
 public:
  explicit LockedFile(const std::string& path);
  ~LockedFile();
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;
  bool Locked() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

std::string EnvironmentVariable(const char* name);

// The system's description of an error code, without the trailing period and line break.
std::string SystemText(DWORD errorCode);

}  // namespace e2e
