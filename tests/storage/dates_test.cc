#include "storage/dates.h"

#include <gtest/gtest.h>

#include "platform/cp1252.h"
#include "platform/recording_feedback.h"

namespace quirovel {
namespace {

TEST(DisplayDate, ShowsDayMonthYearAndBlanksForBlankDates) {
  EXPECT_EQ(DisplayDate("20060315"), "15/03/2006");
  EXPECT_EQ(DisplayDate("        "), "          ");
  EXPECT_EQ(DisplayShortDate("20060315"), "15/03/06");
  EXPECT_EQ(DisplayShortDate("        "), "        ");
  // A short text reads as blanks where it ends.
  EXPECT_EQ(DisplayDate(""), "          ");
  EXPECT_EQ(DisplayDate("2006"), "  /  /2006");
}

TEST(DaysBetween, FollowsTheGregorianLeapRules) {
  EXPECT_EQ(DaysBetween(SplitDate("20040301"), SplitDate("20040228")), 2);
  EXPECT_EQ(DaysBetween(SplitDate("20050301"), SplitDate("20050228")), 1);
  EXPECT_EQ(DaysBetween(SplitDate("20000301"), SplitDate("20000228")), 2);
  EXPECT_EQ(DaysBetween(SplitDate("19000301"), SplitDate("19000228")), 1);
  EXPECT_EQ(DaysBetween(SplitDate("20050101"), SplitDate("20041231")), 1);
  EXPECT_EQ(DaysBetween(SplitDate("20040101"), SplitDate("20050101")), -366);
  EXPECT_EQ(DaysBetween(SplitDate("20060101"), SplitDate("19000101")), 38716);
}

struct NormaliseCase {
  const char* text;
  const char* format;
  const char* expected;
};

TEST(NormaliseDate, ReadsEveryLayoutWithTheYearCorrection) {
  const NormaliseCase cases[] = {
      {"5/3/06", "1", "20060305"},      {"03052006", "5", "20060305"},
      {"31/02/2006", "1", "20060231"},  {"1/1/5", "1", "        "},
      {"01/01/10", "1", "19100101"},    {"03-15-2006", "2", "20060315"},
      {"2006.03.15", "3", "20060315"},  {"15032006", "4", "20060315"},
      {"20060315", "6", "20060315"},    {"        ", "1", "        "},
      {"", "1", "        "},            {"01/01/99", "1", "19990101"},
      {"01/01/2009", "1", "20090101"},  {"01/01/09", "1", "20090101"},
  };
  for (const auto& c : cases) {
    RecordingFeedback fb;
    bool error = false;
    EXPECT_EQ(NormaliseDate(c.text, c.format, fb, error), c.expected) << c.text;
    EXPECT_FALSE(error) << c.text;
    EXPECT_TRUE(fb.messages.empty()) << c.text;
  }
}

TEST(NormaliseDate, RefusesDatesOutOfRangeWithTheMessage) {
  RecordingFeedback fb;
  bool error = false;
  EXPECT_EQ(NormaliseDate("32/01/2006", "1", fb, error), "ERROR");
  EXPECT_TRUE(error);
  ASSERT_EQ(fb.messages.size(), 1u);
  EXPECT_EQ(fb.messages[0].text, "Fecha [32/01/2006] erronea 32/1/2006");

  fb.Clear();
  error = false;
  EXPECT_EQ(NormaliseDate("15/13/2006", "1", fb, error), "ERROR");
  EXPECT_EQ(fb.messages[0].text, "Fecha [15/13/2006] erronea 15/13/2006");

  fb.Clear();
  error = false;
  EXPECT_EQ(NormaliseDate("15/03/2006", "7", fb, error), "ERROR");
  EXPECT_TRUE(error);
  EXPECT_EQ(fb.messages[0].text, "Fecha [15/03/2006] erronea 0/0/2000");
}

TEST(DecimalValue, SkipsLeadingBlanksAndStopsAtTheFirstNonDigit) {
  EXPECT_EQ(DecimalValue("  42 "), 42);
  EXPECT_EQ(DecimalValue("7a9"), 7);
  EXPECT_EQ(DecimalValue("-5"), 0);
  EXPECT_EQ(DecimalValue(""), 0);
  EXPECT_EQ(DecimalValue("        "), 0);
}

}  // namespace
}  // namespace quirovel
