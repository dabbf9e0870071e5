// The common frame of the end-to-end tests: a program to drive, a folder of ROM files, and the check
// that nothing the test started is left running.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/control_ids.h"
#include "tests/e2e/app_driver.h"
#include "tests/e2e/test_files.h"
#include "tests/support/real_input.h"

namespace e2e {

// The list's columns, in order.
enum Column { kFileName = 0, kGameName = 1, kDirectory = 2, kSize = 3, kResult = 4 };

class E2eTest : public ::testing::Test {
 protected:
  E2eTest() : roms_("roms") {}
  void TearDown() override;

  // Writes a ROM file into the ROM folder and returns its full path.
  std::string MakeRom(const std::string& name, const std::string& gameName = "QUARVEL TEST", size_t size = 1024);
  // ROM files r0.gba, r1.gba, ... with game names "GAME 0", "GAME 1", ...; returns their paths.
  std::vector<std::string> MakeNumberedRoms(int count);
  // Environment entries that make the stand-in record its runs into `record` under the ROM folder.
  std::pair<std::string, std::string> RecordInto(const std::string& record) const;
  // Starts the program with the stand-in, recording its runs, and adds the files by the open dialog.
  void StartWithRows(const std::vector<std::string>& paths,
                     std::vector<std::pair<std::string, std::string>> environment = {});
  // Waits for a notice, checks its text, takes an optional screenshot and presses OK.
  void ExpectNotice(const std::string& text, const std::string& screenshot = "");
  // Waits for the failure report (a message box captioned "Quarvel Front-End") and returns its text.
  std::string WaitForFailureReport(HWND* box = nullptr);

  TempFolder roms_;
  AppDriver app_;
};

// Waits until the status bar shows `text`; returns what it shows last.
std::string WaitForStatus(const AppDriver& app, const std::string& text);

}  // namespace e2e
