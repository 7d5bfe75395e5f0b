#include "validation/code_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace quirovel {
namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(CodeText, ComparesAsByteStringsWithBytesAboveTheAsciiRange) {
  EXPECT_LT(CompareText("250.0", "250.00"), 0);  // a text that ends first is smaller
  EXPECT_GT(CompareText("V27.0 ", "800   "), 0);
  EXPECT_GT(CompareText("\xD1", "Z"), 0);  // unsigned bytes
  EXPECT_EQ(CompareText("", ""), 0);
  EXPECT_TRUE(InTextRange("E815.0", "E810  ", "E829.9 "));
  EXPECT_FALSE(InTextRange("E829.9 ", "E810  ", "E829.9"));
  EXPECT_TRUE(InTextRange("999.9 ", "800   ", "999.9 "));

  std::mt19937 random(5);
  const std::string alphabet = std::string("0 9.EV\xF1\x80") + '\0';
  auto text = [&] {
    std::string t(random() % 9, ' ');
    for (char& c : t) c = alphabet[random() % alphabet.size()];
    return t;
  };
  for (int i = 0; i < 20000; ++i) {
    const std::string a = text(), b = text(), c = text();
    const std::string_view va = a, vb = b, vc = c;
    ASSERT_EQ(CompareText(a, b), Sign(va.compare(vb))) << a << "|" << b;
    ASSERT_EQ(InTextRange(a, b, c), va >= vb && va <= vc) << a << "|" << b << "|" << c;
  }
}

}  // namespace
}  // namespace quirovel
