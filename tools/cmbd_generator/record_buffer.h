// One CMBD-A record of the standard 63-field layout (320 bytes with the
// deletion flag), written field by field: texts left-aligned, numbers
// right-aligned, both padded with blanks as dBase holds them.
#pragma once

#include <array>
#include <cstring>
#include <string_view>

#include "validation/cmbd_layout.h"

namespace quirovel::gen {

inline constexpr int kRecordLength = 320;

class RecordBuffer {
 public:
  RecordBuffer();

  void Clear() { std::memset(bytes_.data(), ' ', bytes_.size()); }
  // Cut to the field's width.
  void Set(int field, std::string_view text);
  void SetNumber(int field, long value);
  void Blank(int field) { std::memset(At(field), ' ', static_cast<std::size_t>(Width(field))); }
  std::string_view Get(int field) const {
    return {bytes_.data() + offset_[static_cast<std::size_t>(field)],
            static_cast<std::size_t>(Width(field))};
  }
  char* At(int field) { return bytes_.data() + offset_[static_cast<std::size_t>(field)]; }
  int Width(int field) const { return width_[static_cast<std::size_t>(field)]; }
  const char* data() const { return bytes_.data(); }

 private:
  std::array<char, kRecordLength> bytes_;
  std::array<int, kCmbdFieldCount + 1> offset_{};
  std::array<int, kCmbdFieldCount + 1> width_{};
};

}  // namespace quirovel::gen
