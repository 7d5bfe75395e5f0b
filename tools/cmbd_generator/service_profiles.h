// The case mix of each discharging service: how many patients it discharges,
// who they are, how long they stay and what is coded for them.
#pragma once

#include <string_view>
#include <vector>

namespace quirovel::gen {

enum class Care { kGeneral, kObstetric, kNeonatal, kIntensive };

// Codes from `from` (inclusive) to `to` (exclusive), in byte order.
struct CodeRange {
  const char* from;
  const char* to;
};

struct ServiceProfile {
  const char* code;
  int weight;  // discharges per thousand
  int age_lo, age_mode, age_hi;
  int male_pct;
  double mean_stay;
  int urgent_pct;
  int procedure_pct;  // episodes with at least one procedure
  int death_pct;
  int icu_pct;  // episodes with days in intensive care
  Care care;
  std::vector<const char*> principal;  // frequent principal diagnoses
  std::vector<CodeRange> principal_ranges;
  std::vector<const char*> procedures;  // frequent main procedures
  std::vector<CodeRange> procedure_ranges;
};

const std::vector<ServiceProfile>& ServiceProfiles();

// Frequent secondary diagnoses of adults and of children, the diagnostic and
// minor procedures of any medical stay, and the outcomes of delivery.
const std::vector<const char*>& AdultComorbidities();
const std::vector<const char*>& ChildComorbidities();
const std::vector<const char*>& MinorProcedures();

}  // namespace quirovel::gen
