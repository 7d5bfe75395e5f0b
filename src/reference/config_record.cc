#include "reference/config_record.h"

#include <cstring>

namespace quirovel {

std::int32_t ConfigRecord::Int(std::size_t offset) const {
  if (offset + 4 > kSize) return 0;
  std::uint32_t v = static_cast<std::uint32_t>(bytes_[offset]) |
                    static_cast<std::uint32_t>(bytes_[offset + 1]) << 8 |
                    static_cast<std::uint32_t>(bytes_[offset + 2]) << 16 |
                    static_cast<std::uint32_t>(bytes_[offset + 3]) << 24;
  return static_cast<std::int32_t>(v);
}

void ConfigRecord::SetInt(std::size_t offset, std::int32_t value) {
  if (offset + 4 > kSize) return;
  auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes_[offset + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
}

std::string ConfigRecord::Text(std::size_t offset, std::size_t size) const {
  if (offset >= kSize) return {};
  if (offset + size > kSize) size = kSize - offset;
  std::size_t n = 0;
  while (n < size && bytes_[offset + n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(bytes_.data() + offset), n);
}

bool ConfigRecord::SetText(std::size_t offset, std::size_t size, std::string_view text) {
  if (size == 0 || offset + size > kSize || text.size() > size - 1) return false;
  SetTextCut(offset, size, text);
  return true;
}

void ConfigRecord::SetTextCut(std::size_t offset, std::size_t size, std::string_view text) {
  if (size == 0 || offset + size > kSize) return;
  std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(bytes_.data() + offset, text.data(), n);
  // Only the terminator is written; the bytes after it keep what they held, as
  // a C string copy into the field would leave them.
  bytes_[offset + n] = 0;
}

bool ConfigRecord::ErrorEnabled(int e, int t) const {
  if (e < 1 || e > 71 || t < 0 || t > 2) return false;
  return bytes_[kErrorSwitches + 3 * static_cast<std::size_t>(e - 1) + static_cast<std::size_t>(t)] == 'X';
}

void ConfigRecord::SetErrorEnabled(int e, int t, bool on) {
  if (e < 1 || e > 71 || t < 0 || t > 2) return;
  bytes_[kErrorSwitches + 3 * static_cast<std::size_t>(e - 1) + static_cast<std::size_t>(t)] = on ? 'X' : ' ';
}

bool ConfigRecord::FieldMarked(int k) const {
  return k >= 1 && k <= 63 && bytes_[kFieldMarks + static_cast<std::size_t>(k)] == 'X';
}

void ConfigRecord::MarkField(int k) {
  if (k >= 1 && k <= 63) bytes_[kFieldMarks + static_cast<std::size_t>(k)] = 'X';
}

float ConfigRecord::PrinterScale() const {
  auto bits = static_cast<std::uint32_t>(Int(kPrinterScale));
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

void ConfigRecord::SetPrinterScale(float scale) {
  std::uint32_t bits;
  std::memcpy(&bits, &scale, 4);
  SetInt(kPrinterScale, static_cast<std::int32_t>(bits));
}

}  // namespace quirovel
