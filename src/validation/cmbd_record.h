// The current episode decoded into its values. Text values keep the
// fixed-width text as stored, cut to the layout width and at a zero byte;
// integer values are the text read as a decimal number.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "storage/dbf_table.h"
#include "validation/field_map.h"

namespace quirovel {

// A short field text held in place: no allocation per decoded record.
class CmbdText {
 public:
  static constexpr std::size_t kCapacity = 12;  // the widest CMBD-A field

  CmbdText() = default;
  CmbdText(std::string_view text) { assign(text); }  // NOLINT: texts convert freely
  void assign(std::string_view text) {
    size_ = static_cast<std::uint8_t>(text.size() < kCapacity ? text.size() : kCapacity);
    if (size_ > 0) std::memcpy(bytes_, text.data(), size_);  // an empty view may have no data
  }
  // Ends the text at its first zero byte, if it holds one.
  void CutAtZero() {
    if (const void* nul = std::memchr(bytes_, 0, size_))
      size_ = static_cast<std::uint8_t>(static_cast<const char*>(nul) - bytes_);
  }
  std::string_view view() const { return {bytes_, size_}; }
  operator std::string_view() const { return view(); }  // NOLINT
  std::string str() const { return std::string(view()); }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  char operator[](std::size_t i) const { return i < size_ ? bytes_[i] : '\0'; }
  friend bool operator==(const CmbdText& a, std::string_view b) { return a.view() == b; }

 private:
  char bytes_[kCapacity] = {};
  std::uint8_t size_ = 0;
};

struct CmbdRecord {
  std::int32_t PROCEDEN = 0;
  CmbdText PROCH, AFILISS, HOSPITAL, HISTORIA, ASISTENC, FECNAC;
  std::int32_t SEXO = 0;
  std::int32_t RESIDE = 0;
  CmbdText OCUPACION;
  std::int32_t REGFIN = 0;
  CmbdText FECING;
  std::int32_t TIPING = 0;
  CmbdText SERVING, SERVALT, FECALT;
  std::int32_t TIPALT = 0;
  CmbdText TRASH;
  std::array<CmbdText, 15> C;  // C[0] is C1, the principal diagnosis
  std::array<CmbdText, 4> CE;  // CE[0] is CE, then CE2 to CE4
  std::array<CmbdText, 15> P;  // P[0] is P1, the principal procedure
  CmbdText FEINTV, FECPART;
  std::int32_t TGESTAC = 0, PESO1N = 0, SEXO1N = 0, PESO2N = 0, SEXO2N = 0, PESO3N = 0, SEXO3N = 0,
               ESTUCI = 0, ESTURG = 0;
  std::int32_t StayYears = 0;
  std::int32_t AgeYears = 0;
  std::int32_t AgeMonths = 0;
};

// Decodes the table's current record through the map. Every text ends at its
// first zero byte: the program's texts are zero-terminated, so a field filled
// with zeros is the empty text. Absent text fields hold
// one blank (six for CE2 to CE4); absent numbers take -1 (PROCEDEN, TIPALT) or 0.
void DecodeRecord(const DbfTable& table, const FieldMap& map, CmbdRecord* record);

}  // namespace quirovel
