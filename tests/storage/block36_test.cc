#include "storage/block36.h"

#include <gtest/gtest.h>

#include "platform/cp1252.h"

namespace quirovel {
namespace {

std::string WithoutTrailingBlanks(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

TEST(Block36, DecodingUndoesEncodingForEveryByteValue) {
  // Every byte but NUL (the texts are C texts), in 36-byte windows that start
  // at each value, so each byte meets every position of the matrix.
  for (int start = 1; start < 256; ++start) {
    std::string plain;
    for (int i = 0; i < 36; ++i) plain += static_cast<char>(1 + (start - 1 + i * 7) % 255);
    const std::string stored = EncodeBlock36(plain);
    ASSERT_EQ(stored.size(), 36u);
    EXPECT_EQ(DecodeBlock36(stored), WithoutTrailingBlanks(plain)) << "start " << start;
  }
}

TEST(Block36, RestoresDescriptionsWithAccentsAndCutsTrailingBlanks) {
  const std::vector<std::string> texts = {
      "DIABETES MELLITUS SIN COMPLICACIÓN"_cp,
      "Neumonía, organismo no especificado"_cp,
      "año € Ÿ ÿ"_cp,
      "X",
      "",
      std::string(36, '\xE9'),
  };
  for (const std::string& text : texts) {
    EXPECT_EQ(DecodeBlock36(EncodeBlock36(text)), text.substr(0, 36)) << Cp1252ToUtf8(text);
    EXPECT_EQ(DecodeBlock36(EncodeBlock36(text + "     ")), text.substr(0, 36));
  }
  // Only the first 36 characters make a block.
  const std::string long_text = "0123456789abcdefghijklmnopqrstuvwxyzMORE";
  EXPECT_EQ(DecodeBlock36(EncodeBlock36(long_text)), long_text.substr(0, 36));
  EXPECT_EQ(DecodeBlock36(EncodeBlock36(long_text) + "trailing bytes"), long_text.substr(0, 36));
}

TEST(Block36, StoredBytesDoNotShowThePlainText) {
  const std::string plain = "INFARTO AGUDO DE MIOCARDIO ANTERIOR";
  const std::string stored = EncodeBlock36(plain);
  EXPECT_EQ(stored.find("INFARTO"), std::string::npos);
  EXPECT_NE(stored.substr(0, 35), plain.substr(0, 35));
}

TEST(Block36, DecodesShortOrEmptyInputsWithoutReadingBeyondThem) {
  EXPECT_EQ(DecodeBlock36(""), "");
  std::string out = DecodeBlock36("ab");
  EXPECT_LE(out.size(), 36u);
}

}  // namespace
}  // namespace quirovel
