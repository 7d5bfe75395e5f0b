// The error catalogue: how its texts are laid out and what each entry stores.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/cp1252.h"
#include "validation/cmbd_layout.h"
#include "validation/error_catalogue.h"

namespace quirovel {
namespace {

TEST(ErrorCatalogueTest, EveryMessageStartsAtTheSixthCharacter) {
  int previous = 0;
  for (int e = 1; e <= kCatalogueSize; ++e) {
    SCOPED_TRACE(e);
    const std::string text(ErrorText(e));
    ASSERT_GT(text.size(), 6u);
    ASSERT_EQ(text[0], 'E');
    const std::string code(ErrorCode(e));
    const int number = std::atoi(code.c_str() + 1);
    EXPECT_GT(number, previous) << "codes ascend with the catalogue number";
    previous = number;
    EXPECT_EQ(code.size(), number < 100 ? 3u : 4u);
    EXPECT_EQ(text.substr(code.size(), 5 - code.size()), std::string(5 - code.size(), ' '));
    EXPECT_NE(text[5], ' ');
  }
  EXPECT_EQ(ErrorText(0), "");
  EXPECT_EQ(ErrorText(72), "");
}

// Own fields given as ranges: the code field being checked, or one of the
// three newborns. Single own and related fields are held to the entries of
// every error in the episode check tests.
TEST(ErrorCatalogueTest, OwnFieldRanges) {
  for (auto [error, field] :
       {std::pair<int, int>{40, C1 + 1}, {40, C15}, {66, PESO2N}, {69, SEXO3N}})
    EXPECT_TRUE(IsOwnField(error, field)) << error << ":" << field;
  for (auto [error, field] : {std::pair<int, int>{40, C1}, {40, CE}, {66, SEXO1N}, {0, 1}})
    EXPECT_FALSE(IsOwnField(error, field)) << error << ":" << field;
}

}  // namespace
}  // namespace quirovel
