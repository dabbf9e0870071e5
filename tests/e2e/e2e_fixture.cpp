#include "tests/e2e/e2e_fixture.h"

#include <cstdio>

namespace e2e {

namespace {
std::string Described(HWND window) {
  if (!window) return "none";
  char title[128] = {};
  GetWindowTextA(window, title, sizeof(title));  // never sent to a hung window's thread for another process
  char handle[24];
  std::snprintf(handle, sizeof(handle), "%p", static_cast<void*>(window));
  return std::string(handle) + " " + quarvel::testing::ClassNameOf(window) + " \"" + title + "\"";
}
}  // namespace

// A failed test says where the keys and clicks went, and leaves a picture of the screen.
void E2eTest::TearDown() {
  if (HasFailure() && app_.MainWindow()) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(app_.MainWindow(), nullptr), &info);
    std::printf("At the failure: foreground %s; the program's active %s, focus %s, capture %s%s\n",
                Described(GetForegroundWindow()).c_str(), Described(info.hwndActive).c_str(),
                Described(info.hwndFocus).c_str(), Described(info.hwndCapture).c_str(),
                info.flags & GUI_INMENUMODE ? ", in a menu" : "");
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    app_.Screenshot(std::string("failed_") + test->test_suite_name() + "." + test->name(), {});
  }
  EXPECT_TRUE(app_.Close()) << "the program or a process it started had to be ended by force";
  EXPECT_EQ(app_.Leftovers(), std::vector<std::string>{}) << "processes left running";
}

std::string E2eTest::MakeRom(const std::string& name, const std::string& gameName, size_t size) {
  std::string path = roms_ / name;
  EXPECT_TRUE(WriteRom(path, gameName.substr(0, 18), size)) << path;
  return path;
}

std::vector<std::string> E2eTest::MakeNumberedRoms(int count) {
  std::vector<std::string> paths;
  for (char digit = '0'; digit < '0' + count; ++digit)
    paths.push_back(MakeRom(std::string("r") + digit + ".gba", std::string("GAME ") + digit));
  return paths;
}

std::pair<std::string, std::string> E2eTest::RecordInto(const std::string& record) const {
  return {"QUARVEL_STANDIN_RECORD", roms_ / record};
}

void E2eTest::StartWithRows(const std::vector<std::string>& paths,
                            std::vector<std::pair<std::string, std::string>> environment) {
  LaunchOptions options;
  options.environment = std::move(environment);
  ASSERT_TRUE(app_.Start(options)) << app_.Problem();
  ASSERT_TRUE(app_.AddFiles(paths, static_cast<int>(paths.size()))) << app_.Problem();
}

void E2eTest::ExpectNotice(const std::string& text, const std::string& screenshot) {
  HWND notice = app_.WaitForTopWindow(NOTICE_WINDOW_CAPTION);
  ASSERT_NE(notice, nullptr) << "no notice \"" << text << "\"";
  EXPECT_EQ(app_.NoticeText(notice), text);
  if (!screenshot.empty()) {
    EXPECT_TRUE(app_.Screenshot(screenshot, {notice}));
  }
  EXPECT_TRUE(app_.Acknowledge(notice));
}

std::string E2eTest::WaitForFailureReport(HWND* box) {
  HWND report = app_.WaitForTopWindow("Quarvel Front-End");
  if (box) *box = report;
  if (!report) return "(no failure report)";
  std::string text;
  WaitUntil([&] {
    std::vector<std::string> texts = StaticTextsOf(report);
    text = texts.empty() ? "" : texts.back();
    return !text.empty();
  });
  return text;
}

std::string WaitForStatus(const AppDriver& app, const std::string& text) {
  std::string shown;
  WaitUntil([&] { return (shown = app.StatusText()) == text; });
  return shown;
}

}  // namespace e2e
