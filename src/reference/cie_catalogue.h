// The CIE-9-MC catalogue of one edition: an attributes table consulted for
// every code, and a descriptions table for display, positioned record for
// record alike. Lookups bisect an in-memory sample of the codes and scan one
// block of records.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/feedback.h"
#include "platform/file_system.h"
#include "storage/dbf_table.h"

namespace quirovel {

class CieCatalogue {
 public:
  CieCatalogue(FileSystem& fs, Feedback& feedback);

  // Closes both tables and opens the given ones (host paths). A table that
  // does not open leaves the catalogue empty: every lookup returns 0.
  void Open(const std::string& attributes_path, const std::string& descriptions_path);
  void Close();
  void BuildSampleIndex(int step);

  // Record number of the code (first 6 / first 5 characters), or 0. On success
  // Column() reads that record until the next lookup.
  std::int32_t FindDiagnosis(std::string_view code);
  std::int32_t FindProcedure(std::string_view code);
  // Column c (1..8) of the attributes record last found; empty when none.
  std::string_view Column(int c) const;

  // Description of a code (6 characters compared for diagnoses and external
  // causes, 5 for procedures); "<< NO ES CIE9-MC >>" for an unknown code that
  // is not blank, empty for a blank one.
  std::string Description(std::string_view code, int compared);

  DbfTable& attributes() { return attributes_; }
  DbfTable& descriptions() { return descriptions_; }

 private:
  std::int32_t Find(std::string_view code, std::size_t compared);

  struct Sample {
    std::string code;
    std::int32_t record = 0;
  };

  FileSystem& fs_;
  Feedback& feedback_;
  DbfTable attributes_;
  DbfTable descriptions_;
  std::vector<Sample> samples_;  // plus the final entry holding the record count
  std::int32_t found_ = 0;
};

}  // namespace quirovel
