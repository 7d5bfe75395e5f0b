// Small helpers shared by the detection reports.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "storage/dbf_table.h"

namespace quirovel {

// Reads record `target` of the table after record `last`, as the reports do
// for the episodes of consecutive log entries. A short jump forward reads the
// records in between: the table's read-ahead then goes on growing as on a
// sequential pass, instead of starting again from a single record. Returns
// what ReadRecord(target) returns.
inline int ReadRecordAfter(DbfTable& table, std::int64_t last, std::int64_t target) {
  constexpr std::int64_t kForwardWalk = 64;
  if (last >= 1 && target > last + 1 && target - last <= kForwardWalk)
    for (std::int64_t r = last + 1; r < target; ++r)
      if (table.ReadRecord(r) != 0) break;
  return table.ReadRecord(target);
}

}  // namespace quirovel
