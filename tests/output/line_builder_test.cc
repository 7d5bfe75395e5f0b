#include "output/line_builder.h"

#include <gtest/gtest.h>

#include <string>

namespace quirovel {
namespace {

TEST(LineBuilder, AddsToTheStringPiecesLongerThanItsRoomAndRunsThatCrossIt) {
  std::string line = "before|", expected = line, digits;
  for (int i = 0; i < 600; ++i) digits += static_cast<char>('0' + i % 10);
  {
    LineBuilder out(&line);
    for (int round = 0; round < 3; ++round) {
      out.Push('x');
      out.Append(std::string(700, 'L'));
      out.Repeat('-', 1500);
      for (char c : digits) out.Push(c);
      out.Append("ab");
      out.Append(std::string_view());  // no data at all, as an absent field gives
      expected += "x" + std::string(700, 'L') + std::string(1500, '-') + digits + "ab";
    }
  }
  EXPECT_EQ(line, expected);
}

}  // namespace
}  // namespace quirovel
