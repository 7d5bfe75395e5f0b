// What the checks of one episode read, and where they report: the decoded
// episode with its table and field map, the configuration, the catalogue and
// reference tables, and the error recorder. A narrow view of the session, so
// that the checks need nothing above them.
#pragma once

#include <string_view>

#include "platform/feedback.h"
#include "reference/cie_catalogue.h"
#include "reference/config_record.h"
#include "reference/reference_tables.h"
#include "storage/dbf_table.h"
#include "validation/cmbd_record.h"
#include "validation/error_recorder.h"
#include "validation/field_map.h"

namespace quirovel {

struct CheckContext {
  const DbfTable& table;
  const FieldMap& field_map;
  const CmbdRecord& record;
  ConfigRecord& config;
  CieCatalogue& catalogue;
  ReferenceTables& references;
  Feedback& feedback;
  ErrorRecorder& run;
};

// Raw text of CMBD-A field k of the episode.
inline std::string_view CmbdFieldText(const CheckContext& c, int k) {
  return CmbdFieldText(c.table, c.field_map, k);
}

}  // namespace quirovel
