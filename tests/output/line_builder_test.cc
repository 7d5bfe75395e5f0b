#include "output/line_builder.h"

#include <gtest/gtest.h>

#include <string>

namespace quirovel {
namespace {

TEST(LineBuilder, AddsToWhatTheStringHoldsAndCopesWithLongPieces) {
  std::string line = "before|";
  {
    LineBuilder out(&line);
    out.Append("a");
    out.Repeat(' ', 3);
    out.Push('b');
  }
  EXPECT_EQ(line, "before|a   b");

  // Pieces longer than the builder's own room, and runs that cross it.
  std::string expected = "x";
  line.clear();
  {
    LineBuilder out(&line);
    out.Push('x');
    const std::string long_text(700, 'L');
    out.Append(long_text);
    expected += long_text;
    out.Repeat('-', 1500);
    expected += std::string(1500, '-');
    for (int i = 0; i < 600; ++i) {
      out.Push(static_cast<char>('0' + i % 10));
      expected += static_cast<char>('0' + i % 10);
    }
    out.Append("");
    out.Append(std::string_view());  // no data at all, as an absent field gives
  }
  EXPECT_EQ(line, expected);
}

}  // namespace
}  // namespace quirovel
