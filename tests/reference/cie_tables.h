// CIE-9-MC catalogue tables built by hand: an attributes table (code, an
// unused column, validity per version, then the main-diagnosis, sex, age,
// delivery and surgical columns) and a descriptions table with the same codes
// and 72-character descriptions stored as two transformed blocks.
#pragma once

#include <string>
#include <vector>

#include "storage/block36.h"
#include "support/dbf_builder.h"

namespace quirovel::testing {

struct CieRow {
  std::string code;
  std::string validity = "XXXXX";
  std::string attributes = "     ";  // columns 4 to 8, one character each
};

inline std::string CieAttributesBytes(const std::vector<CieRow>& rows, int code_width = 7) {
  std::vector<std::vector<std::string>> values;
  for (const CieRow& r : rows) {
    values.push_back({r.code, "0", r.validity});
    for (std::size_t i = 0; i < 5; ++i) values.back().push_back(r.attributes.substr(i, 1));
  }
  std::vector<TableField> fields = {
      {"CODIGO", 'C', code_width}, {"NUM", 'C', 1}, {"VERSION", 'C', 5}};
  for (const char* name : {"PRINCIPAL", "SEXO", "EDAD", "PARTO", "QUIRURG"})
    fields.push_back({name, 'C', 1});
  return DbfBytes(fields, values);
}

inline std::vector<CieRow> CieRows(const std::vector<std::string>& codes) {
  std::vector<CieRow> rows;
  for (const auto& c : codes) rows.push_back({c});
  return rows;
}

inline std::string CieDescriptionsBytes(const std::vector<std::string>& codes,
                                        const std::vector<std::string>& texts = {},
                                        int code_width = 7) {
  std::vector<std::vector<std::string>> values;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    std::string text = i < texts.size() ? texts[i] : "Descripcion de " + codes[i];
    text.resize(72, ' ');
    values.push_back(
        {codes[i], EncodeBlock36(text.substr(0, 36)) + EncodeBlock36(text.substr(36))});
  }
  return DbfBytes({{"CODIGO", 'C', code_width}, {"DESCRIP", 'C', 72}}, values);
}

}  // namespace quirovel::testing
