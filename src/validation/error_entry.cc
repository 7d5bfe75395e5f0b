#include "validation/error_entry.h"

#include "platform/little_endian.h"

namespace quirovel {
namespace {

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
  PutLe32(&b[4], field);
  PutLe32(&b[8], related1);
  PutLe32(&b[12], related2);
  PutLe32(&b[16], related3);
  PutLe32(&b[20], record);
  b[24] = ' ';
  PutLe32(&b[28], not_in_version);
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
  e.field = GetLe32(bytes + 4);
  e.related1 = GetLe32(bytes + 8);
  e.related2 = GetLe32(bytes + 12);
  e.related3 = GetLe32(bytes + 16);
  e.record = GetLe32(bytes + 20);
  e.not_in_version = GetLe32(bytes + 28);
  return e;
}

std::string ErrorNumberText(const EntryBytes& entry) {
  std::size_t n = 0;
  while (n < 4 && entry[n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(entry.data()), n);
}

std::int64_t EntryRecordNumber(const EntryBytes& entry) { return GetLe32(&entry[20]); }

std::uint32_t EntryFieldSlot(const EntryBytes& entry, int slot) {
  return GetLe32(&entry[4 + 4 * static_cast<std::size_t>(slot)]);
}

}  // namespace quirovel
