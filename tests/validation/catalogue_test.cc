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

TEST(ErrorCatalogueTest, TextsAreWindows1252AsWritten) {
  EXPECT_EQ(ErrorText(1), "E11  Procedencia incorrecta");
  EXPECT_EQ(ErrorText(16), "E102 Residencia inespec\xED" "fica");
  EXPECT_EQ(ErrorText(48), "E254 M\xFAtua Tr\xE1" "fico, C\xF3" "digo E incorrecto");
  EXPECT_EQ(ErrorText(39), "E237 Parto Normal con tiempo de gestaci\xF3" "n <= 36 o >= 40");
  EXPECT_EQ(ErrorText(69), "E312 Sexo inespecifico 9");
  EXPECT_EQ(ErrorText(71), "E331 Estancia en urgencias prolongada");
}

TEST(ErrorCatalogueTest, OwnAndRelatedFields) {
  struct Row {
    int e, own, related1, related2;
  } rows[] = {{1, PROCEDEN, TIPING, 0},  {3, PROCEDEN, FECING, FECNAC}, {12, FECNAC, FECALT, 0},
              {27, FECALT, FECING, 0},   {31, TRASH, TIPALT, 0},       {43, C1, FECNAC, FECING},
              {58, P1, FEINTV, TIPING},  {59, FEINTV, TIPING, 0},      {61, C1, FECPART, 0},
              {64, TGESTAC, C1, 0},      {65, TGESTAC, 0, 0},          {71, ESTURG, 0, 0}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.e);
    const ErrorInfo& info = CatalogueEntry(r.e);
    EXPECT_TRUE(IsOwnField(r.e, r.own));
    EXPECT_EQ(info.related1, r.related1);
    EXPECT_EQ(info.related2, r.related2);
  }
  // Ranges: the code field being checked, or one of the three newborns.
  EXPECT_FALSE(IsOwnField(40, C1));
  EXPECT_TRUE(IsOwnField(40, C1 + 1));
  EXPECT_TRUE(IsOwnField(40, C15));
  EXPECT_FALSE(IsOwnField(40, CE));
  EXPECT_TRUE(IsOwnField(66, PESO2N));
  EXPECT_FALSE(IsOwnField(66, SEXO1N));
  EXPECT_TRUE(IsOwnField(69, SEXO3N));
  EXPECT_FALSE(IsOwnField(0, 1));
}

TEST(ErrorCatalogueTest, OnlyTheNotInCatalogueErrorsCarryTheVersionMark) {
  for (int e = 1; e <= kCatalogueSize; ++e)
    EXPECT_EQ(CarriesNotInVersionMark(e), e == 33 || e == 40 || e == 45 || e == 49) << e;
}

}  // namespace
}  // namespace quirovel
