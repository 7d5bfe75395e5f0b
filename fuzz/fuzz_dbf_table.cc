// Feeds arbitrary bytes to the table reader as a file: opening, reading
// records, field texts, the structure analysis and record decoding must never
// crash, hang or write to a table that was only read.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/feedback.h"
#include "platform/memory_file_system.h"
#include "storage/dbf_table.h"
#include "storage/table_files.h"
#include "validation/cmbd_record.h"
#include "validation/field_map.h"

namespace {

using namespace quirovel;

void FUZZ_CHECK(bool condition) {
  if (!condition) std::abort();
}

void VisitRecord(DbfTable& table, const FieldMap& map, CmbdRecord* record, std::int64_t n) {
  if (table.ReadRecord(n) != 0) return;
  FUZZ_CHECK(table.status() == 0);
  for (int i = 0; i <= table.field_count() + 1; ++i) FUZZ_CHECK(table.FieldText(i).size() <= 127);
  DecodeRecord(table, map, record);
  for (int k = 0; k <= kCmbdFieldCount + 1; ++k)
    FUZZ_CHECK(CmbdFieldText(table, map, k).size() <= 127);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  MemoryFileSystem fs;
  fs.SetContents("/f.dbf", input);
  SilentFeedback feedback;
  {
    DbfTable table(fs, feedback);
    FieldMap map;
    StructureReport report;
    CmbdRecord record;
    const bool open = table.Open("/f.dbf") == 1;
    AnalyseStructure(table, &map, &report);
    if (open) {
      FUZZ_CHECK(table.field_count() >= 0 && table.field_count() <= DbfTable::kMaxFields);
      FUZZ_CHECK(table.record_length() <= DbfTable::kMaxRecordLength);
      const std::int64_t count = table.record_count();
      for (std::int64_t n = 1; n <= count && n <= 32; ++n) VisitRecord(table, map, &record, n);
      for (std::int64_t n = count - 3; n <= count + 1; ++n) VisitRecord(table, map, &record, n);
      // A few jumps chosen by the input itself.
      std::uint64_t h = 1469598103934665603ull;
      for (std::size_t i = 0; i < size; i += 64) h = (h ^ data[i]) * 1099511628211ull;
      for (int j = 0; j < 4 && count > 0; ++j) {
        h = h * 6364136223846793005ull + 1442695040888963407ull;
        VisitRecord(table, map, &record,
                    1 + static_cast<std::int64_t>((h >> 33) % static_cast<std::uint64_t>(count)));
      }
    } else {
      FUZZ_CHECK(table.record_count() == 0 && table.field_count() == 0);
      FUZZ_CHECK(table.ReadRecord(1) == 1);
    }
    table.Close();
  }
  // Reading never writes.
  FUZZ_CHECK(*fs.Contents("/f.dbf") == input);

  // The structure copy reads the same bytes; appending then grows the count by one.
  SilentFeedback quiet;
  if (CopyStructure(fs, quiet, "/f.dbf", "/copy.dbf") == 1) {
    DbfTable copy(fs, quiet);
    if (copy.Open("/copy.dbf") == 1) {
      FUZZ_CHECK(copy.record_count() == 0);
      const bool appended = copy.Append();
      copy.Close();
      FUZZ_CHECK(RecordCountOf(fs, quiet, "/copy.dbf") == (appended ? 1u : 0u));
    }
  }
  return 0;
}
