#include "validation/cmbd_layout.h"

#include <unordered_map>

#include "storage/field_definition.h"

namespace quirovel {

const std::array<std::string_view, kCmbdFieldCount> kCmbdLayout = {
    "PROCEDEN#N1", "PROCH#C5",   "AFILISS#C12", "HOSPITAL#C5",  "HISTORIA#C12", "ASISTENC#C7",
    "FECNAC#D8",   "SEXO#N1",    "RESIDE#C5",   "OCUPACION#C3", "REGFIN#N1",    "FECING#D8",
    "TIPING#N1",   "SERVING#C5", "SERVALT#C5",  "FECALT#D8",    "TIPALT#N1",    "TRASH#C5",
    "C1#C6",       "C2#C6",      "C3#C6",       "C4#C6",        "C5#C6",        "C6#C6",
    "C7#C6",       "C8#C6",      "C9#C6",       "C10#C6",       "C11#C6",       "C12#C6",
    "C13#C6",      "C14#C6",     "C15#C6",      "CE#C6",        "CE2#C6",       "CE3#C6",
    "CE4#C6",      "P1#C5",      "P2#C5",       "P3#C5",        "P4#C5",        "P5#C5",
    "P6#C5",       "P7#C5",      "P8#C5",       "P9#C5",        "P10#C5",       "P11#C5",
    "P12#C5",      "P13#C5",     "P14#C5",      "P15#C5",       "FEINTV#D8",    "FECPART#D8",
    "TGESTAC#N2",  "PESO1N#N4",  "SEXO1N#N1",   "PESO2N#N4",    "SEXO2N#N1",    "PESO3N#N4",
    "SEXO3N#N1",   "ESTUCI#N3",  "ESTURG#N1",
};

namespace {

constexpr std::array<std::string_view, kCmbdFieldCount> BareNames(
    const std::array<std::string_view, kCmbdFieldCount>& layout) {
  std::array<std::string_view, kCmbdFieldCount> names{};
  for (std::size_t i = 0; i < layout.size(); ++i)
    names[i] = layout[i].substr(0, layout[i].find('#'));
  return names;
}

}  // namespace

const std::array<std::string_view, kCmbdFieldCount> kCmbdFieldNames = BareNames(kCmbdLayout);

const std::array<std::string_view, 27> kCmaLayout = {
    "PROCEDEN#N1", "PROCH#C5",   "AFILISS#C12", "HOSPITAL#C5", "HISTORIA#C12", "ASISTENC#C7",
    "FECNAC#D8",   "SEXO#N1",    "RESIDE#C5",   "REGFIN#N1",   "FECING#D8",    "TIPING#N1",
    "C1#C6",       "C2#C6",      "C3#C6",       "C4#C6",       "C5#C6",        "CE#C6",
    "P1#C5",       "P2#C5",      "P3#C5",       "P4#C5",       "FEINTV#D8",    "FECALT#D8",
    "TIPALT#N1",   "SERVALT#C5", "HOSPITAL#C5",
};

std::string_view CmbdFieldName(std::int64_t k) {
  if (k < 1 || k > kCmbdFieldCount) return {};
  return kCmbdFieldNames[static_cast<std::size_t>(k - 1)];
}

int CmbdFieldWidth(int k) {
  static const std::array<int, kCmbdFieldCount> widths = [] {
    std::array<int, kCmbdFieldCount> w{};
    for (std::size_t i = 0; i < w.size(); ++i) w[i] = ParseFieldDefinition(kCmbdLayout[i]).width;
    return w;
  }();
  if (k < 1 || k > kCmbdFieldCount) return 0;
  return widths[static_cast<std::size_t>(k - 1)];
}

int CmbdFieldNumber(std::string_view name) {
  // Asked for every field of every table opened: one lookup, not 63 compares.
  static const std::unordered_map<std::string_view, int> numbers = [] {
    std::unordered_map<std::string_view, int> m;
    for (int k = 1; k <= kCmbdFieldCount; ++k) m.emplace(CmbdFieldName(k), k);
    return m;
  }();
  auto it = numbers.find(name);
  return it == numbers.end() ? 0 : it->second;
}

}  // namespace quirovel
