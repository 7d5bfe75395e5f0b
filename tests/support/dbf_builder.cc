#include "support/dbf_builder.h"

#include <algorithm>

namespace quirovel::testing {

std::string DbfBytes(const std::vector<TableField>& fields,
                     const std::vector<std::vector<std::string>>& rows, const DbfShape& shape) {
  int record_length = 1;
  for (const auto& f : fields) record_length += f.width;
  const int header_length = 32 * static_cast<int>(fields.size()) + 33;

  std::string out(32, '\0');
  out[0] = 3;
  out[1] = 106, out[2] = 3, out[3] = 15;
  PutLe32(&out, 4, shape.record_count.value_or(static_cast<std::uint32_t>(rows.size())));
  PutLe16(&out, 8, shape.header_length.value_or(header_length));
  PutLe16(&out, 10, shape.record_length.value_or(record_length));

  for (const auto& f : fields) {
    std::string d(32, '\0');
    std::copy_n(f.name.begin(), std::min<std::size_t>(f.name.size(), 11), d.begin());
    d[11] = f.type;
    d[16] = static_cast<char>(static_cast<unsigned char>(f.width));
    d[17] = static_cast<char>(static_cast<unsigned char>(f.decimals));
    out += d;
  }
  if (shape.terminator) out += '\x0D';

  for (const auto& row : rows) {
    out += ' ';
    for (std::size_t i = 0; i < fields.size(); ++i) {
      std::string value = i < row.size() ? row[i] : "";
      value.resize(static_cast<std::size_t>(fields[i].width), ' ');
      out += value;
    }
  }
  if (shape.end_marker) out += '\x1A';
  return out;
}

std::vector<TableField> CmbdAFields() {
  std::vector<TableField> f = {
      {"PROCEDEN", 'N', 1},  {"PROCH", 'C', 5},     {"AFILISS", 'C', 12}, {"HOSPITAL", 'C', 5},
      {"HISTORIA", 'C', 12}, {"ASISTENC", 'C', 7},  {"FECNAC", 'D', 8},   {"SEXO", 'N', 1},
      {"RESIDE", 'C', 5},    {"OCUPACION", 'C', 3}, {"REGFIN", 'N', 1},   {"FECING", 'D', 8},
      {"TIPING", 'N', 1},    {"SERVING", 'C', 5},   {"SERVALT", 'C', 5},  {"FECALT", 'D', 8},
      {"TIPALT", 'N', 1},    {"TRASH", 'C', 5},
  };
  for (int i = 1; i <= 15; ++i) f.push_back({"C" + std::to_string(i), 'C', 6});
  f.push_back({"CE", 'C', 6});
  for (int i = 2; i <= 4; ++i) f.push_back({"CE" + std::to_string(i), 'C', 6});
  for (int i = 1; i <= 15; ++i) f.push_back({"P" + std::to_string(i), 'C', 5});
  const std::vector<TableField> tail = {
      {"FEINTV", 'D', 8}, {"FECPART", 'D', 8}, {"TGESTAC", 'N', 2}, {"PESO1N", 'N', 4},
      {"SEXO1N", 'N', 1}, {"PESO2N", 'N', 4},  {"SEXO2N", 'N', 1},  {"PESO3N", 'N', 4},
      {"SEXO3N", 'N', 1}, {"ESTUCI", 'N', 3},  {"ESTURG", 'N', 1},
  };
  f.insert(f.end(), tail.begin(), tail.end());
  return f;
}

std::vector<std::string> RowFor(const std::vector<TableField>& fields,
                                const std::map<std::string, std::string>& values) {
  std::vector<std::string> row;
  for (const auto& f : fields) {
    auto it = values.find(f.name);
    row.push_back(it == values.end() ? "" : it->second);
  }
  return row;
}

std::vector<TableField> Without(std::vector<TableField> fields,
                                const std::vector<std::string>& names) {
  std::erase_if(fields, [&](const TableField& f) {
    return std::find(names.begin(), names.end(), f.name) != names.end();
  });
  return fields;
}

std::vector<TableField> Replaced(std::vector<TableField> fields, const TableField& field) {
  for (auto& f : fields)
    if (f.name == field.name) f = field;
  return fields;
}

std::uint32_t Le32At(const std::string& bytes, std::size_t offset) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i)
    v = v << 8 | static_cast<unsigned char>(bytes.at(offset + static_cast<std::size_t>(i)));
  return v;
}

void PutLe16(std::string* bytes, std::size_t offset, int value) {
  (*bytes)[offset] = static_cast<char>(value & 0xFF);
  (*bytes)[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void PutLe32(std::string* bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    (*bytes)[offset + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace quirovel::testing
