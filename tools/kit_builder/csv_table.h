// A comma-separated file with a header row, read whole (RFC 4180 quoting,
// LF or CR LF line ends). Texts stay as the file holds them (UTF-8 here).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quirovel::kit {

class CsvTable {
 public:
  // False, with the reason in *error, when the file cannot be read or a row
  // has a different number of columns than the header.
  bool Load(const std::string& path, std::string* error);

  // Position of a header column, or -1.
  int Column(std::string_view name) const;
  // Same, but a missing column is an error the caller reports.
  bool Require(std::string_view name, int* column, std::string* error) const;

  const std::vector<std::vector<std::string>>& rows() const { return rows_; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::vector<std::string> header_;
  std::vector<std::vector<std::string>> rows_;
};

// Splits one file's text into rows of fields; false on an unterminated quote.
bool ParseCsv(std::string_view text, std::vector<std::vector<std::string>>* rows);

}  // namespace quirovel::kit
