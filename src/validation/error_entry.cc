#include "validation/error_entry.h"

namespace quirovel {
namespace {

void PutU32(unsigned char* at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(v >> (8 * i));
}

std::uint32_t GetU32(const unsigned char* at) {
  return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
         static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::array<unsigned char, 32> ErrorEntry::Encode() const {
  std::array<unsigned char, 32> b{};
  // "%2d": a blank and the digit below 10. Numbers are 1..71; anything else is
  // kept to two characters so the terminating zero stays at offset 2.
  int n = error >= 0 && error <= 99 ? error : 0;
  b[0] = n < 10 ? ' ' : static_cast<unsigned char>('0' + n / 10);
  b[1] = static_cast<unsigned char>('0' + n % 10);
  b[2] = 0;
  b[3] = 0;
  PutU32(&b[4], field);
  PutU32(&b[8], related1);
  PutU32(&b[12], related2);
  PutU32(&b[16], related3);
  PutU32(&b[20], record);
  b[24] = ' ';
  PutU32(&b[28], not_in_version);
  return b;
}

ErrorEntry ErrorEntry::Decode(const unsigned char* bytes) {
  ErrorEntry e;
  // The integer value of the text at offset 0: blanks, then digits, within
  // the three bytes of the field.
  std::size_t i = 0;
  while (i < 3 && bytes[i] == ' ') ++i;
  int n = 0;
  for (; i < 3 && IsDigit(bytes[i]); ++i) n = n * 10 + (bytes[i] - '0');
  e.error = n;
  e.field = GetU32(bytes + 4);
  e.related1 = GetU32(bytes + 8);
  e.related2 = GetU32(bytes + 12);
  e.related3 = GetU32(bytes + 16);
  e.record = GetU32(bytes + 20);
  e.not_in_version = GetU32(bytes + 28);
  return e;
}

}  // namespace quirovel
