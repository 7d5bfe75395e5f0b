// Everything one running program holds between operations: the configuration
// record, the current CMBD-A table with its field map and decoded record, the
// reference tables, the catalogue and the last run. Operations take the
// Session they work on; there is no other shared state.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "output/output_path.h"
#include "platform/feedback.h"
#include "platform/file_system.h"
#include "platform/host_paths.h"
#include "reference/cie_catalogue.h"
#include "reference/config_record.h"
#include "reference/reference_tables.h"
#include "session/detection_run.h"
#include "storage/dbf_table.h"
#include "validation/check_context.h"
#include "validation/cmbd_record.h"
#include "validation/field_map.h"

namespace quirovel {

struct Session {
  Session(FileSystem& file_system, Feedback& feedback_sink, std::string root)
      : fs(file_system),
        feedback(feedback_sink),
        paths(file_system, std::move(root)),
        catalogue(file_system, feedback_sink),
        table(file_system, feedback_sink) {}

  FileSystem& fs;
  Feedback& feedback;
  HostPaths paths;

  ConfigRecord config;
  std::unique_ptr<File> config_file;  // "Quirovel.dat", open for the whole session
  bool config_unreadable = false;     // it exists but could not be opened: defaults in memory
  std::string remembered_path;        // current file at the last change of file

  ReferenceTables references;
  CieCatalogue catalogue;

  DbfTable table;  // the current CMBD-A table
  FieldMap field_map;
  StructureReport structure;
  CmbdRecord record;

  DetectionRun run;  // the run in progress, or the last one

  // The part of the session the checks of an episode see.
  CheckContext Checks() {
    return CheckContext{table, field_map, record, config, catalogue, references, feedback, run};
  }
};

// Rebuilds the field map and the structure report of the current table.
inline void AnalyseStructure(Session& s) { AnalyseStructure(s.table, &s.field_map, &s.structure); }

// Raw text of CMBD-A field k of the current record.
inline std::string_view CmbdFieldText(const Session& s, int k) {
  return CmbdFieldText(s.table, s.field_map, k);
}

inline void DecodeRecord(Session& s) { DecodeRecord(s.table, s.field_map, &s.record); }

// A report of the working directory, as stored and as a host path.
inline std::string OutputPath(const Session& s, std::string_view name) {
  return OutputPath(s.config, name);
}
inline std::string OutputHostPath(const Session& s, std::string_view name) {
  return OutputHostPath(s.config, s.paths, name);
}

}  // namespace quirovel
