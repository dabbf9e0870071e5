// Files every kind of test makes and reads: temporary folders, made-up ROM files, text files and the
// stand-in tool's record of its runs. One implementation for the window, hostile, end-to-end and
// benchmark programs.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quarvel::testing {

// The tests' files lie here, not in the user's temporary folder, where the program takes files for an archive's copies.
inline constexpr const char* kTestFilesRoot = "C:\\qfe-tests\\";
// The user's temporary folder, with its trailing separator.
std::string UsersTemporaryFolder();

// A fresh folder in the folder `base` (by default kTestFilesRoot), removed with everything in it at the end.
class TempFolder {
 public:
  explicit TempFolder(const std::string& label = "test", std::string base = {});
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // The folder's full path, with its trailing separator.
  const std::string& path() const { return path_; }
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// The bytes of a made-up ROM file: size zero bytes with header written at offset 160, cut off where
// the file ends.
std::string RomImage(const std::string& header, size_t size = 512);
bool WriteRom(const std::string& path, const std::string& header, size_t size = 512);
// count ROM files "rom00000.gba", ... of 512 bytes, each with its own header; returns their paths.
std::vector<std::string> WriteNumberedRoms(const std::string& folder, size_t count);

// Wide-character paths reach past MAX_PATH with the "\\?\" prefix; the single-byte API cannot.
std::wstring Widen(const std::string& text);
bool CreateFolderW(const std::wstring& path);
bool WriteRomW(const std::wstring& path, const std::string& header, size_t size = 512);  // see RomImage
// A folder inside parent whose full single-byte path plus name has exactly totalLength bytes.
std::string MakeNestedPath(const std::string& parent, size_t totalLength, const std::string& name);

// The short (8.3) form of an existing file's or folder's path, as the system gives it; empty when it cannot.
std::string ShortPathOf(const std::string& path);

bool WriteText(const std::string& path, const std::string& text);
std::string ReadText(const std::string& path);
// The file's lines without their line ends; none when it cannot be read.
std::vector<std::string> ReadLines(const std::string& path);
bool FileExists(const std::string& path);
bool DeleteTree(const std::string& folder);

// Holds a file open as another program may, until released: by default for reading without sharing.
class LockedFile {
 public:
  explicit LockedFile(const std::string& path, DWORD access = GENERIC_READ, DWORD share = 0);
  ~LockedFile() { Release(); }
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;
  bool Locked() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Release();

 private:
  HANDLE handle_;
};

// The text with a to z upper-cased, as the test's own spelling of another letter case.
std::string AsciiUpper(std::string text);
// The system's description of an error code, without the trailing period and line break.
std::string SystemText(DWORD errorCode);

// The folder of the running program, with its trailing separator: the build puts every test
// program, the front-end and the stand-in tool there.
std::string ProgramFolder();

// One run of the stand-in tool as its record file (QUARVEL_STANDIN_RECORD) gives it, one run a line.
struct ToolRun {
  std::string commandLine;  // UTF-8, from the wide command line
  std::string directory;
  DWORD processId = 0;
  std::string systemCommandLine;  // GetCommandLineA's bytes: what a tool reading the system's code page sees
  bool opened = false;            // the ROM file opened by the path the tool saw
  std::string fileId;             // that file's "<volume serial>:<file index>", as FileIdOf gives it
  std::string startup;            // "flags <dwFlags> show <wShowWindow>" of the tool's start-up information
  std::string rom;                // the quoted ROM path of the command line, without its quotes
  // Its own path and current directory in the system's code page, as a tool that looks beside itself reads them.
  std::string systemModule, systemDirectory;
};
std::vector<ToolRun> ReadToolRuns(const std::string& recordPath);
// "<volume serial>:<file index>" in hexadecimal of the file at the path (UTF-8), opened here.
std::string FileIdOf(const std::string& path);
// The file IDs the runs opened, "(not opened)" for a run that could not open its file.
std::vector<std::string> RecordedFileIds(const std::string& recordPath);
std::vector<DWORD> RecordedPids(const std::string& recordPath);
std::vector<std::string> RecordedRoms(const std::string& recordPath);

// Committed private memory of this process in bytes (PrivateUsage, or PagefileUsage where Wine gives 0).
uint64_t PrivateBytes();
// Handles the window messages waiting in this thread's queue.
void PumpMessages();

}  // namespace quarvel::testing
