#include "validation/code_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace quirovel {
namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

// Against std::string_view's own ordering: texts of every length up to 8 over
// an alphabet with bytes above the ASCII range and the zero byte.
TEST(CodeText, ComparesAsByteStringsWithBytesAboveTheAsciiRange) {
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
