#include "platform/cp1252.h"

#include <gtest/gtest.h>

#include "platform/format.h"

namespace quirovel {
namespace {

TEST(Cp1252, LiteralsAreWindows1252Bytes) {
  EXPECT_EQ(std::string("Btree: Código duplicado"_cp), "Btree: C\xF3" "digo duplicado");
  EXPECT_EQ(std::string("¿Encontrados: Nº año €"_cp), "\xBF" "Encontrados: N\xBA a\xF1o \x80");
}

TEST(Cp1252, EveryByteGoesToUtf8AndBack) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
  EXPECT_EQ(Cp1252ToUtf8("\x80 \xF1 \x9F"), "\u20AC \u00F1 \u0178");
}

TEST(Cp1252, CharactersWithoutAByteBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("\u4E2D x \u0416"), "? x ?");
  // Malformed UTF-8: a lone continuation byte and a sequence cut short.
  EXPECT_EQ(Utf8ToCp1252("a\x80" "b\xC3"), "a?b?");
}

TEST(StrFormat, FormatsLongTextsWhole) {
  const std::string long_path(1000, 'p');
  EXPECT_EQ(StrFormat("Error al abril el fichero %s", long_path.c_str()),
            "Error al abril el fichero " + long_path);
  EXPECT_EQ(StrFormat("%s ->(%c%d.0) ", "FECALT", 'D', 8), "FECALT ->(D8.0) ");
  EXPECT_EQ(StrFormat("%4.4d%2.2d%2.2d", 2006, 3, 5), "20060305");
}

}  // namespace
}  // namespace quirovel
