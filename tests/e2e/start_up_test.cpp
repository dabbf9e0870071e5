// Starting the program, with and without the tool beside it.
#include "tests/e2e/e2e_fixture.h"

namespace e2e {
namespace {

using StartUp = E2eTest;

TEST_F(StartUp, WithTheToolShowsAnEmptyWindowAndNoMessage) {
  ASSERT_TRUE(app_.Start()) << app_.Problem();
  EXPECT_TRUE(app_.Sync());
  Sleep(500);  // a message raised at start-up would show by now
  EXPECT_EQ(app_.OpenDialogs().size(), 0u);
  EXPECT_EQ(TextOf(app_.MainWindow()), "Quarvel Front-End v1.1");
  EXPECT_EQ(ClassNameOf(app_.MainWindow()), "TFormMain");
  EXPECT_EQ(app_.RowCount(), 0);
  EXPECT_EQ(app_.StatusText(), "");
  EXPECT_EQ(app_.ColumnHeaders(),
            (std::vector<std::string>{"File Name", "Game Name", "Directory Path", "Size", "Result"}));
  EXPECT_TRUE(app_.Screenshot("e2e_start_up", {app_.MainWindow()}));
}

}  // namespace
}  // namespace e2e
