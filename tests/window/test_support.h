// Shared helpers of the in-process window tests: captured messages, temporary folders and ROM files,
// and a main window made in a folder of the test's choosing.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/form_main.h"
#include "tests/window/drop_block.h"
#include "ui/messages.h"

namespace quarvel::testing {

// Records notices and failure reports instead of showing them.
class CapturedMessages : public MessageSink {
 public:
  void ShowNotice(const std::string& text) override { notices.push_back(text); }
  void ShowFailureReport(const std::string& message) override { failures.push_back(message); }
  std::vector<std::string> notices;
  std::vector<std::string> failures;
};

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }  // with its trailing separator
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// Writes a file of size bytes whose header (at offset 160) holds the given bytes.
void WriteRom(const std::string& path, const std::string& header, size_t size = 512);
void WriteText(const std::string& path, const std::string& text);
std::string ReadText(const std::string& path);
std::vector<std::string> ReadLines(const std::string& path);
bool FileExists(const std::string& path);

// The folder of the test program, where the build puts the stand-in tool as Quarvel.exe.
std::string TestProgramDir();
void CopyStandIn(const std::string& appDir);

// Sets an environment variable for as long as it lives; the tool runs inherit it.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value);
  ~ScopedEnvironment();

 private:
  std::string name_;
};

// A main window whose AppDir is a temporary folder, with messages captured.
class MainWindowFixture {
 public:
  explicit MainWindowFixture(bool withTool = true);
  TFormMain& form() { return *form_; }
  CapturedMessages& messages() { return messages_; }
  const TempFolder& appDir() const { return appDir_; }
  const TempFolder& roms() const { return roms_; }

  // Adds files as if chosen in the Add dialog.
  void Choose(const std::vector<std::string>& paths);
  // The text of a list cell as the list view shows it.
  std::string Cell(int row, int column);
  int RowCount();
  void SelectRows(const std::vector<int>& rows);
  std::string StatusText();
  void Command(int id);

 private:
  TempFolder appDir_;
  TempFolder roms_;
  CapturedMessages messages_;
  ScopedMessageSink sink_{messages_};
  std::unique_ptr<TFormMain> form_;
};

// Pumps the thread's pending messages.
void PumpMessages();

}  // namespace quarvel::testing
