// Builds dBase III table bytes by hand, independently of the code under test,
// so tests can check DbfTable against files it did not write, including files
// whose header lies on purpose.
//
//   std::string bytes = DbfBytes({{"A", 'C', 10}, {"B", 'N', 1}}, {{"hello", "7"}});
//   memory_fs.SetContents("/t.dbf", bytes);
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quirovel::testing {

struct TableField {
  std::string name;  // up to 11 bytes are stored; shorter names are NUL-padded
  char type = 'C';
  int width = 1;  // stored as one byte (so 200 is stored as 0xC8)
  int decimals = 0;
};

// What the header says, when a test wants it to lie; unset values are the true ones.
struct DbfShape {
  std::optional<std::uint32_t> record_count;
  std::optional<int> header_length;
  std::optional<int> record_length;
  bool terminator = true;   // 0x0D after the descriptors
  bool end_marker = false;  // 0x1A after the last record
};

// A whole table: 32-byte header (version 3), descriptors, terminator, records.
// Each value is blank-filled or cut to its field's width; the deletion flag is a blank.
std::string DbfBytes(const std::vector<TableField>& fields,
                     const std::vector<std::vector<std::string>>& rows = {},
                     const DbfShape& shape = {});

// The 63 CMBD-A fields in their usual order, as a data set file defines them.
std::vector<TableField> CmbdAFields();

// One row for the given fields from values by field name; fields not named are blank.
std::vector<std::string> RowFor(const std::vector<TableField>& fields,
                                const std::map<std::string, std::string>& values);

// The same fields without the named ones / with one field replaced.
std::vector<TableField> Without(std::vector<TableField> fields,
                                const std::vector<std::string>& names);
std::vector<TableField> Replaced(std::vector<TableField> fields, const TableField& field);

// Little-endian helpers for tests that patch or inspect bytes.
std::uint32_t Le32At(const std::string& bytes, std::size_t offset);
void PutLe16(std::string* bytes, std::size_t offset, int value);
void PutLe32(std::string* bytes, std::size_t offset, std::uint32_t value);

}  // namespace quirovel::testing
