#include "ui/message_text.h"

#include <gtest/gtest.h>

#include "ui/failure.h"

namespace quarvel {
namespace {

TEST(MessageText, FormatsTextsAndSignedNumbersInTurn) {
  EXPECT_EQ(FormatText("Could not process file \"%s\" (error %d)", {"C:\\a.gba", 2LL}),
            "Could not process file \"C:\\a.gba\" (error 2)");
  EXPECT_EQ(FormatText("%d", {-4LL}), "-4");
  EXPECT_EQ(FormatText("100%% of %s", {"rows"}), "100% of rows");
}

TEST(MessageText, ArgumentTextIsNeverReadAsAFormat) {
  EXPECT_EQ(FormatText("Cannot open file \"%s\". %s", {"C:\\%s%d%n.gba", "Access denied"}),
            "Cannot open file \"C:\\%s%d%n.gba\". Access denied");
  EXPECT_EQ(FormatText("%s and %s", {"one"}), "one and %s") << "a placeholder without argument stays";
  EXPECT_EQ(FormatText("%x %", {}), "%x %");
}

TEST(MessageText, ReportAddsAPeriodWhenTheLastByteIsAboveThePeriod) {
  EXPECT_EQ(FailureReportText("Could not find \"Quarvel\" application"), "Could not find \"Quarvel\" application.");
  EXPECT_EQ(FailureReportText("Could not process file \"C:\\a.gba\" (error 2)"),
            "Could not process file \"C:\\a.gba\" (error 2)");
  EXPECT_EQ(FailureReportText("ends in a quote\""), "ends in a quote\"");
  EXPECT_EQ(FailureReportText("ends in a period."), "ends in a period.");
  EXPECT_EQ(FailureReportText("slash/"), "slash/.");
  EXPECT_EQ(FailureReportText("digit 7"), "digit 7.");
  // Bytes above 127 compare as unsigned values, whatever the locale.
  EXPECT_EQ(FailureReportText("caf\xe9"), "caf\xe9.");
  EXPECT_EQ(FailureReportText(""), "");
}

TEST(MessageText, SystemErrorTextLosesTrailingSpacesLineBreaksAndPeriods) {
  EXPECT_EQ(TrimSystemErrorText("Access denied.\r\n"), "Access denied");
  EXPECT_EQ(TrimSystemErrorText("File not found. . \r\n\r\n"), "File not found");
  EXPECT_EQ(TrimSystemErrorText("v1.2 is in use"), "v1.2 is in use");
  EXPECT_EQ(TrimSystemErrorText(".\r\n"), "");
}

TEST(MessageText, NoticeCopiesAsCaptionTextAndButton) {
  EXPECT_EQ(NoticeClipboardText("Error", "Please add at least one file", "OK"),
            "---------------------------\r\nError\r\n---------------------------\r\n"
            "Please add at least one file\r\n---------------------------\r\nOK\r\n"
            "---------------------------\r\n");
}

TEST(Failure, CarriesItsFormattedMessage) {
  try {
    RaiseFailure("Could not launch log file (error %d)", {31LL});
    FAIL() << "RaiseFailure returned";
  } catch (const Failure& failure) {
    EXPECT_STREQ(failure.what(), "Could not launch log file (error 31)");
  }
}

}  // namespace
}  // namespace quarvel
