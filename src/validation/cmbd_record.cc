#include "validation/cmbd_record.h"

#include "storage/dates.h"

namespace quirovel {
namespace {

// Reads the fields straight from the record buffer at the places the map
// keeps: a detection run decodes every record of the file.
struct Decoder {
  std::string_view record;
  const FieldMap& map;

  // The field's whole text as stored; empty when the map does not fit the
  // record (a map left from another table).
  std::string_view Raw(int k, int width) const {
    const int offset = map.offset[static_cast<std::size_t>(k)];
    if (offset < 0 ||
        static_cast<std::size_t>(offset) + static_cast<std::size_t>(width) > record.size())
      return {};
    return {record.data() + offset, static_cast<std::size_t>(width)};
  }

  void Text(int k, CmbdText* out, std::string_view absent = " ") const {
    // A field wider than the layout keeps only its layout width.
    const std::string_view text =
        map.Present(k) ? Raw(k, map.text_width[static_cast<std::size_t>(k)]) : absent;
    out->assign(text);
  }

  void Number(int k, std::int32_t* out, std::int32_t absent) const {
    *out = map.Present(k) ? static_cast<std::int32_t>(
                                DecimalValue(Raw(k, map.width[static_cast<std::size_t>(k)])))
                          : absent;
  }
};

std::int32_t TwoDigits(const CmbdText& date, std::size_t at) {
  std::string_view text = date.view();
  return at < text.size() ? static_cast<std::int32_t>(DecimalValue(text.substr(at, 2))) : 0;
}

void CutTextsAtZero(CmbdRecord* r) {
  for (CmbdText* text :
       {&r->PROCH, &r->AFILISS, &r->HOSPITAL, &r->HISTORIA, &r->ASISTENC, &r->FECNAC, &r->OCUPACION,
        &r->FECING, &r->SERVING, &r->SERVALT, &r->FECALT, &r->TRASH, &r->FEINTV, &r->FECPART})
    text->CutAtZero();
  for (CmbdText& code : r->C) code.CutAtZero();
  for (CmbdText& code : r->CE) code.CutAtZero();
  for (CmbdText& code : r->P) code.CutAtZero();
}

}  // namespace

void DecodeRecord(const DbfTable& table, const FieldMap& map, CmbdRecord* r) {
  const Decoder d{table.Record(), map};
  d.Number(PROCEDEN, &r->PROCEDEN, -1);
  d.Text(PROCH, &r->PROCH);
  d.Text(AFILISS, &r->AFILISS);
  d.Text(HOSPITAL, &r->HOSPITAL);
  d.Text(HISTORIA, &r->HISTORIA);
  d.Text(ASISTENC, &r->ASISTENC);
  d.Text(FECNAC, &r->FECNAC);
  d.Number(SEXO, &r->SEXO, 0);
  d.Number(RESIDE, &r->RESIDE, 0);
  d.Text(OCUPACION, &r->OCUPACION);
  d.Number(REGFIN, &r->REGFIN, 0);
  d.Text(FECING, &r->FECING);
  d.Number(TIPING, &r->TIPING, 0);
  d.Text(SERVING, &r->SERVING);
  d.Text(SERVALT, &r->SERVALT);
  d.Text(FECALT, &r->FECALT);
  d.Number(TIPALT, &r->TIPALT, -1);
  d.Text(TRASH, &r->TRASH);
  for (int i = 0; i < 15; ++i) d.Text(C1 + i, &r->C[static_cast<std::size_t>(i)]);
  d.Text(CE, &r->CE[0]);
  for (int i = 1; i < 4; ++i) d.Text(CE + i, &r->CE[static_cast<std::size_t>(i)], "      ");
  for (int i = 0; i < 15; ++i) d.Text(P1 + i, &r->P[static_cast<std::size_t>(i)]);
  d.Text(FEINTV, &r->FEINTV);
  d.Text(FECPART, &r->FECPART);
  // Absent newborn and stay fields read as 0 rather than keeping the previous
  // episode's values.
  d.Number(TGESTAC, &r->TGESTAC, 0);
  d.Number(PESO1N, &r->PESO1N, 0);
  d.Number(SEXO1N, &r->SEXO1N, 0);
  d.Number(PESO2N, &r->PESO2N, 0);
  d.Number(SEXO2N, &r->SEXO2N, 0);
  d.Number(PESO3N, &r->PESO3N, 0);
  d.Number(SEXO3N, &r->SEXO3N, 0);
  d.Number(ESTUCI, &r->ESTUCI, 0);
  d.Number(ESTURG, &r->ESTURG, 0);

  // Zero bytes are rare: only a record that may hold one has its texts cut.
  if (table.RecordMayHoldZero()) CutTextsAtZero(r);

  const long ingreso = DecimalValue(r->FECING.view());
  r->StayYears = static_cast<std::int32_t>((DecimalValue(r->FECALT.view()) - ingreso) / 10000);
  r->AgeYears = static_cast<std::int32_t>((ingreso - DecimalValue(r->FECNAC.view())) / 10000);
  if (r->AgeYears == 0) {
    std::int32_t months = TwoDigits(r->FECING, 4) - TwoDigits(r->FECNAC, 4);
    if (TwoDigits(r->FECING, 6) < TwoDigits(r->FECNAC, 6)) months -= 1;
    if (months < 0) months += 12;
    r->AgeMonths = months;
  }
}

}  // namespace quirovel
