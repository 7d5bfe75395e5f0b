#include "storage/dates.h"

#include <gtest/gtest.h>

#include "platform/recording_feedback.h"

namespace quirovel {
namespace {

TEST(DisplayDate, ShowsDayMonthYearAndBlanksForBlankOrShortDates) {
  EXPECT_EQ(DisplayDate("20060315"), "15/03/2006");
  EXPECT_EQ(DisplayDate("        "), "          ");
  EXPECT_EQ(DisplayShortDate("20060315"), "15/03/06");
  EXPECT_EQ(DisplayShortDate("        "), "        ");
  EXPECT_EQ(DisplayDate("2006"), "  /  /2006");
}

TEST(DaysBetween, FollowsTheGregorianLeapRules) {
  const struct {
    const char *a, *b;
    long days;
  } cases[] = {
      {"20040301", "20040228", 2},     {"20050301", "20050228", 1}, {"20000301", "20000228", 2},
      {"19000301", "19000228", 1},     {"20050101", "20041231", 1}, {"20040101", "20050101", -366},
      {"20060101", "19000101", 38716},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DaysBetween(SplitDate(c.a), SplitDate(c.b)), c.days) << c.a << " " << c.b;
}

TEST(NormaliseDate, ReadsEveryLayoutWithTheYearCorrection) {
  const struct {
    const char *text, *format, *expected;
  } cases[] = {
      {"5/3/06", "1", "20060305"},     {"03052006", "5", "20060305"},
      {"31/02/2006", "1", "20060231"}, {"1/1/5", "1", "        "},
      {"01/01/10", "1", "19100101"},   {"03-15-2006", "2", "20060315"},
      {"2006.03.15", "3", "20060315"}, {"15032006", "4", "20060315"},
      {"20060315", "6", "20060315"},   {"        ", "1", "        "},
      {"", "1", "        "},           {"01/01/99", "1", "19990101"},
      {"01/01/2009", "1", "20090101"}, {"01/01/09", "1", "20090101"},
  };
  for (const auto& c : cases) {
    RecordingFeedback fb;
    bool error = false;
    EXPECT_EQ(NormaliseDate(c.text, c.format, fb, error), c.expected) << c.text;
    EXPECT_FALSE(error) << c.text;
    EXPECT_TRUE(fb.messages.empty()) << c.text;
  }
}

TEST(NormaliseDate, RefusesDatesOutOfRangeAndUnknownFormatsWithTheMessage) {
  const struct {
    const char *text, *format, *message;
  } cases[] = {
      {"32/01/2006", "1", "Fecha [32/01/2006] erronea 32/1/2006"},
      {"15/13/2006", "1", "Fecha [15/13/2006] erronea 15/13/2006"},
      {"15/03/2006", "7", "Fecha [15/03/2006] erronea 0/0/2000"},
  };
  for (const auto& c : cases) {
    RecordingFeedback fb;
    bool error = false;
    EXPECT_EQ(NormaliseDate(c.text, c.format, fb, error), "ERROR");
    EXPECT_TRUE(error);
    EXPECT_EQ(fb.Texts(), std::vector<std::string>{c.message});
  }
}

TEST(DecimalValue, SkipsLeadingBlanksAndStopsAtTheFirstNonDigit) {
  EXPECT_EQ(DecimalValue("  42 "), 42);
  EXPECT_EQ(DecimalValue("7a9"), 7);
  EXPECT_EQ(DecimalValue("        "), 0);
}

}  // namespace
}  // namespace quirovel
