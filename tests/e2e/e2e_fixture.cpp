#include "tests/e2e/e2e_fixture.h"

namespace e2e {

void E2eTest::TearDown() {
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
