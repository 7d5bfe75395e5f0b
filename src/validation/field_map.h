// Where each of the 63 CMBD-A fields lies in the open table, and the structure
// analysis that finds missing, badly defined and unknown fields.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "storage/dbf_table.h"
#include "validation/cmbd_layout.h"

namespace quirovel {

struct FieldMap {
  // Index k (1..63); index 0 is unused.
  std::array<int, kCmbdFieldCount + 1> present{};
  std::array<int, kCmbdFieldCount + 1> table_field{};

  // Filled with the above so that decoding a record needs no lookups: where
  // field k lies in the table's record buffer, its width in the table, and
  // the part of it that a text value keeps (cut to the layout width).
  std::array<int, kCmbdFieldCount + 1> offset{};
  std::array<int, kCmbdFieldCount + 1> width{};
  std::array<int, kCmbdFieldCount + 1> text_width{};

  bool Present(int k) const {
    return k >= 1 && k <= kCmbdFieldCount && present[static_cast<std::size_t>(k)] != 0;
  }
  int TableField(int k) const {
    return k >= 1 && k <= kCmbdFieldCount ? table_field[static_cast<std::size_t>(k)] : -1;
  }
};

struct StructureReport {
  std::string path;
  std::string problems;     // missing fields and badly defined fields, each followed by ", "
  int bad_field_count = 0;  // BadFieldCount
  std::string unknown;      // fields of the table that are not CMBD-A fields
  std::string layout;       // all 63 names when a field is missing, else empty
};

// Rebuilds the map and the report from the table's descriptors. A table that
// is not open yields an empty map (every field missing).
void AnalyseStructure(const DbfTable& table, FieldMap* map, StructureReport* report);

// The raw text of CMBD-A field k of the table's current record; empty when the
// field is absent.
std::string_view CmbdFieldText(const DbfTable& table, const FieldMap& map, int k);

// The structure analysis dialog's texts, in the order it shows them; lines
// end with "\n", and the table's own names have their control bytes escaped.
std::string StructureAnalysisText(const StructureReport& report);

}  // namespace quirovel
