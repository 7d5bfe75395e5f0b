#include "storage/block36.h"

#include <gtest/gtest.h>

#include "platform/cp1252.h"

namespace quirovel {
namespace {

TEST(Block36, DecodingUndoesEncodingForEveryByteValue) {
  // Every byte but NUL (the texts are C texts), in 36-byte windows that start
  // at each value, so each byte meets every position of the matrix.
  for (int start = 1; start < 256; ++start) {
    std::string plain;
    for (int i = 0; i < 36; ++i) plain += static_cast<char>(1 + (start - 1 + i * 7) % 255);
    const std::string stored = EncodeBlock36(plain);
    ASSERT_EQ(stored.size(), 36u);
    std::string expected = plain;
    while (!expected.empty() && expected.back() == ' ') expected.pop_back();
    EXPECT_EQ(DecodeBlock36(stored), expected) << "start " << start;
  }
}

TEST(Block36, StoresTheBytesOfTheCatalogueFormat) {
  // The stored bytes themselves: a changed matrix would still round-trip, yet
  // no longer read the tables already written.
  const std::string stored(
      "\x4E\x46\xF4\x9B\x4D\x54\x20\x41\xEC\x7B\x84\x1B\x20\x44\x24\x41\x4F\x1F"
      "\x4F\x43\xF1\x9F\x4C\x48\x4F\x20\x00\x6F\x1A\x26\x20\x20\x00\x40\x20\x20",
      36);
  EXPECT_EQ(EncodeBlock36("INFARTO AGUDO DE MIOCARDIO"), stored);
  EXPECT_EQ(DecodeBlock36(stored), "INFARTO AGUDO DE MIOCARDIO");
}

TEST(Block36, CutsTrailingBlanksAndEverythingAfter36Characters) {
  EXPECT_EQ(DecodeBlock36(EncodeBlock36("Neumonía    "_cp)), "Neumonía"_cp);
  const std::string long_text = "0123456789abcdefghijklmnopqrstuvwxyzMORE";
  EXPECT_EQ(DecodeBlock36(EncodeBlock36(long_text)), long_text.substr(0, 36));
  EXPECT_EQ(DecodeBlock36(EncodeBlock36(long_text) + "trailing bytes"), long_text.substr(0, 36));
  // Short or empty stored texts are read without going beyond them.
  EXPECT_EQ(DecodeBlock36(""), "");
  EXPECT_LE(DecodeBlock36("ab").size(), 36u);
}

}  // namespace
}  // namespace quirovel
