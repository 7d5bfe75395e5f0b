#include "record_buffer.h"

#include <algorithm>

namespace quirovel::gen {

RecordBuffer::RecordBuffer() {
  int at = 1;  // after the deletion flag
  for (int k = 1; k <= kCmbdFieldCount; ++k) {
    offset_[static_cast<std::size_t>(k)] = at;
    width_[static_cast<std::size_t>(k)] = CmbdFieldWidth(k);
    at += CmbdFieldWidth(k);
  }
  Clear();
}

void RecordBuffer::Set(int field, std::string_view text) {
  const std::size_t width = static_cast<std::size_t>(Width(field));
  const std::size_t n = std::min(width, text.size());
  char* to = At(field);
  std::memcpy(to, text.data(), n);
  std::memset(to + n, ' ', width - n);
}

void RecordBuffer::SetNumber(int field, long value) {
  char digits[24];
  int n = 0;
  const bool negative = value < 0;
  unsigned long v =
      negative ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
  do {
    digits[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  if (negative) digits[n++] = '-';
  const int width = Width(field);
  char* to = At(field);
  // A number wider than its field keeps its last digits, as a cut text would.
  for (int i = 0; i < width; ++i) to[width - 1 - i] = i < n ? digits[i] : ' ';
}

}  // namespace quirovel::gen
