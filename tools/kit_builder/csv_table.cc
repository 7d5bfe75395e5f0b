#include "csv_table.h"

#include "platform/file_system.h"

namespace quirovel::kit {

bool ParseCsv(std::string_view text, std::vector<std::vector<std::string>>* rows) {
  rows->clear();
  std::vector<std::string> row;
  std::string field;
  bool quoted = false;       // inside a quoted field
  bool row_started = false;  // something of the current row was seen
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (quoted) {
      if (c != '"') {
        field += c;
      } else if (i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        quoted = false;
      }
      continue;
    }
    switch (c) {
      case '"':
        quoted = true;
        row_started = true;
        break;
      case ',':
        row.push_back(std::move(field));
        field.clear();
        row_started = true;
        break;
      case '\r':
        break;
      case '\n':
        if (row_started || !field.empty()) {
          row.push_back(std::move(field));
          rows->push_back(std::move(row));
        }
        field.clear();
        row.clear();
        row_started = false;
        break;
      default:
        field += c;
        row_started = true;
    }
  }
  if (quoted) return false;
  if (row_started || !field.empty()) {
    row.push_back(std::move(field));
    rows->push_back(std::move(row));
  }
  return true;
}

bool CsvTable::Load(const std::string& path, std::string* error) {
  path_ = path;
  std::string text;
  if (!ReadWholeFile(RealFileSystem(), path, &text)) {
    *error = path + ": cannot be read";
    return false;
  }
  std::vector<std::vector<std::string>> all;
  if (!ParseCsv(text, &all)) {
    *error = path + ": a quoted field is not closed";
    return false;
  }
  if (all.empty()) {
    *error = path + ": no header row";
    return false;
  }
  header_ = std::move(all.front());
  rows_.assign(std::make_move_iterator(all.begin() + 1), std::make_move_iterator(all.end()));
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    if (rows_[r].size() != header_.size()) {
      *error = path + ": row " + std::to_string(r + 2) + " has " + std::to_string(rows_[r].size()) +
               " columns, the header " + std::to_string(header_.size());
      return false;
    }
  }
  return true;
}

int CsvTable::Column(std::string_view name) const {
  for (std::size_t i = 0; i < header_.size(); ++i)
    if (header_[i] == name) return static_cast<int>(i);
  return -1;
}

bool CsvTable::Require(std::string_view name, int* column, std::string* error) const {
  *column = Column(name);
  if (*column < 0) *error = path_ + ": no column \"" + std::string(name) + "\"";
  return *column >= 0;
}

}  // namespace quirovel::kit
