#include <gtest/gtest.h>

#include <sstream>

#include "app/cli/command.h"
#include "platform/memory_file_system.h"

namespace quirovel {
namespace {

TEST(DateArgumentTest, AcceptsCalendarDatesOnlyAndGivesThemAsStored) {
  MemoryFileSystem fs;
  CliFeedback feedback(Answer::kNo);
  Session session(fs, feedback, "/root");
  std::ostringstream out;
  CliContext context{session, feedback, out};
  std::string date;
  for (auto [text, stored] : {std::pair{"01/01/2006", "20060101"},
                              {"29/02/2004", "20040229"},
                              {"1/2/2006", "20060201"},
                              {"31/12/1999", "19991231"}}) {
    ASSERT_TRUE(ParseDateArgument(context, "--from", text, &date)) << text;
    EXPECT_EQ(date, stored);
  }
  for (const char* bad : {"29/02/2006", "31/04/2006", "00/01/2006", "01/13/2006", "2006-01-01",
                          "01/01/06", "01/01/2006x", "", "-1/01/2006", "01/01/20066"}) {
    date = "unchanged";
    EXPECT_FALSE(ParseDateArgument(context, "--from", bad, &date)) << bad;
    EXPECT_EQ(date, "unchanged");
  }
}

}  // namespace
}  // namespace quirovel
