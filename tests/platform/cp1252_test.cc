#include "platform/cp1252.h"

#include <gtest/gtest.h>

#include "platform/format.h"

namespace quirovel {
namespace {

TEST(Cp1252, LiteralsAreWindows1252BytesAndEveryByteGoesToUtf8AndBack) {
  EXPECT_EQ(std::string("¿Encontrados: Nº año €"_cp),
            "\xBF"
            "Encontrados: N\xBA a\xF1o \x80");
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  EXPECT_EQ(Cp1252ToUtf8("\x80 \xF1 \x9F"), "\u20AC \u00F1 \u0178");
  // Characters without a byte, a lone continuation byte and a cut sequence.
  EXPECT_EQ(Utf8ToCp1252("\u4E2D x \u0416 a\x80"
                         "b\xC3"),
            "? x ? a?b?");
}

TEST(Cp1252, MessagesShowHostNamesAsTheUsersBytesAndTheRestAsWindows1252) {
  // "Error al abrir /tmp/ñ漢€.dbf: año" with the name in UTF-8 and the text in Windows-1252.
  EXPECT_EQ(DisplayTextToUtf8("Error en /tmp/\xC3\xB1\xE6\xBC\xA2\xE2\x82\xAC.dbf: a\xF1o \x80"),
            "Error en /tmp/\u00F1\u6F22\u20AC.dbf: a\u00F1o \u20AC");
  // Bytes that only look like the start of a sequence, an overlong form, a
  // surrogate and a cut sequence are Windows-1252.
  EXPECT_EQ(DisplayTextToUtf8("\xD1o \xE1\x80x \xC0\x80 \xED\xA0\x80 \xE2\x82"),
            Cp1252ToUtf8("\xD1o \xE1\x80x \xC0\x80 \xED\xA0\x80 \xE2\x82"));
}

TEST(StrFormat, FormatsLongTextsWhole) {
  const std::string long_path(1000, 'p');
  EXPECT_EQ(StrFormat("Error al abril el fichero %s", long_path.c_str()),
            "Error al abril el fichero " + long_path);
  EXPECT_EQ(StrFormat("%s ->(%c%d.0) %4.4d%2.2d", "FECALT", 'D', 8, 2006, 3),
            "FECALT ->(D8.0) 200603");
}

}  // namespace
}  // namespace quirovel
