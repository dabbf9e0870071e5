// Shared helpers of the in-process window tests: captured messages and a main window made in a folder
// of the test's choosing (files and folders come from tests/support).
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/control_ids.h"
#include "app/form_main.h"
#include "tests/support/test_files.h"
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

// The folder of the test program, where the build puts the stand-in tool as Quarvel.exe.
inline std::string TestProgramDir() { return ProgramFolder(); }
void CopyStandIn(const std::string& appDir);

// Sets an environment variable for as long as it lives, then gives back its old value; the tool runs inherit it.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value);
  ~ScopedEnvironment();

 private:
  std::string name_;
  std::optional<std::string> previous_;
};

// Notes when a stand-in run starts to hang (it sets the event named in QUARVEL_STANDIN_HANGING), so a
// test times the front-end's limit from that moment, not from the start of a batch a busy machine slows.
class HangWatch {
 public:
  HangWatch();
  ~HangWatch();
  HangWatch(const HangWatch&) = delete;
  HangWatch& operator=(const HangWatch&) = delete;
  bool Hung() const;
  // Milliseconds from the start of the hang until now.
  DWORD SinceHang() const { return GetTickCount() - hungAt_; }

 private:
  std::string name_;
  HANDLE hanging_;
  HANDLE stop_;
  ScopedEnvironment naming_;
  std::atomic<DWORD> hungAt_{0};
  std::thread watcher_;
};

// Shows a modal dialog of this thread by `show`; `look` sees the dialog of that caption once it shows, and then
// it is closed.
void WhileShown(const char* caption, const std::function<void()>& show, std::function<void(HWND)> look);

// A main window whose AppDir is a fresh folder (in appParent, when given), with messages captured.
class MainWindowFixture {
 public:
  explicit MainWindowFixture(bool withTool = true, const std::string& appParent = {});
  TFormMain& form() { return *form_; }
  CapturedMessages& messages() { return messages_; }
  const TempFolder& appDir() const { return appDir_; }
  const TempFolder& roms() const { return roms_; }

  // Adds files as if chosen in the Add dialog.
  void Choose(const std::vector<std::string>& paths);
  // The text of a list cell as the list view shows it.
  std::string Cell(int row, int column);
  // One column's cells, top row first.
  std::vector<std::string> Column(int column);
  int RowCount();
  void SelectRows(const std::vector<int>& rows);
  std::string StatusText();
  void Command(int id);

 private:
  TempFolder appDir_;
  TempFolder roms_{"roms"};
  CapturedMessages messages_;
  ScopedMessageSink sink_{messages_};
  std::unique_ptr<TFormMain> form_;
};

// A test on a main window of its own, with ROM files written into its ROM folder.
class MainWindowTest : public ::testing::Test {
 protected:
  // Writes a ROM file (see RomImage) into the ROM folder and returns its full path.
  std::string Rom(const std::string& name, const std::string& header = "GAME", size_t size = 512) {
    std::string path = window_.roms() / name;
    WriteRom(path, header, size);
    return path;
  }
  std::vector<std::string>& Failures() { return window_.messages().failures; }

  MainWindowFixture window_;
};

}  // namespace quarvel::testing
