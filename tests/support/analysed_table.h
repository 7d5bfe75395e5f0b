// A CMBD-A table built by hand in memory, opened and analysed: the starting
// point of tests of the structure analysis and of record decoding.
//
//   AnalysedTable t(testing::CmbdAFields(), {RowFor(fields, {{"SEXO", "2"}})});
//   t.Read(1);  EXPECT_EQ(t.record.SEXO, 2);
#pragma once

#include <string>
#include <vector>

#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"
#include "storage/dbf_table.h"
#include "support/dbf_builder.h"
#include "validation/cmbd_record.h"
#include "validation/field_map.h"

namespace quirovel::testing {

class AnalysedTable {
 public:
  static constexpr const char* kPath = "/cmbd.dbf";

  AnalysedTable(const std::vector<TableField>& fields,
                const std::vector<std::vector<std::string>>& rows = {})
      : table(fs, feedback) {
    fs.SetContents(kPath, DbfBytes(fields, rows));
    opened = table.Open(kPath) == 1;
    AnalyseStructure(table, &map, &report);
  }

  // Reads record n and decodes it; false when it cannot be read.
  bool Read(int n) {
    if (table.ReadRecord(n) != 0) return false;
    DecodeRecord(table, map, &record);
    return true;
  }

  MemoryFileSystem fs;
  RecordingFeedback feedback;
  DbfTable table;
  bool opened = false;
  FieldMap map;
  StructureReport report;
  CmbdRecord record;
};

}  // namespace quirovel::testing
