// The error catalogue: how its texts are laid out and what each entry stores.
#include <gtest/gtest.h>

#include <string>

#include "validation/cmbd_layout.h"
#include "validation/error_catalogue.h"

namespace quirovel {
namespace {

// The text of every error is held, byte for byte, to its "errores.txt" line in
// the episode check tests.
TEST(ErrorCatalogueTest, NumbersOutsideTheCatalogueHaveNoText) {
  for (int e : {0, 72}) EXPECT_EQ(ErrorText(e), "") << e;
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
