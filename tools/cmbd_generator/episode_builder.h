// Builds realistic, consistent episodes: a patient, a stay in one service in
// the order of discharge dates, diagnoses, external causes and procedures
// that suit the patient, and delivery data for deliveries.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "code_pools.h"
#include "episode.h"
#include "installation_lists.h"
#include "random.h"
#include "record_buffer.h"
#include "service_profiles.h"

namespace quirovel::gen {

inline constexpr char kOwnHospital[] = "02012";

class EpisodeBuilder {
 public:
  EpisodeBuilder(const CodePools& pools, const InstallationLists& lists, int year, long episodes);

  // False with the reason in *error when a code of the case mix is not a
  // valid code of the catalogue or does not suit its use.
  bool Prepare(std::string* error);

  // Episode number `index` (0-based) of `episodes`, discharged in the year.
  void Build(long index, Random& rng, Episode* episode);
  // Lays the episode out as a record.
  void Write(const Episode& episode, RecordBuffer* record) const;

  // Accepted origin and destination hospitals (other than the own one).
  const std::vector<const char*>& accepted_hospitals() const { return accepted_hospitals_; }
  const CodePools& pools() const { return pools_; }
  const InstallationLists& lists() const { return lists_; }
  int first_day() const { return first_day_; }
  int last_day() const { return last_day_; }

 private:
  struct Plan {
    const ServiceProfile* profile = nullptr;
    std::vector<const CodeInfo*> principal;
    std::vector<CodePools::Span> principal_ranges;
    std::vector<const CodeInfo*> procedures;
    std::vector<CodePools::Span> procedure_ranges;
    std::vector<Patient> recent;  // for readmissions
    std::size_t next_recent = 0;
  };

  const CodeInfo* Resolve(const char* code, std::string* error) const;
  bool ResolveAll(const std::vector<const char*>& codes, std::vector<const CodeInfo*>* out,
                  std::string* error) const;

  Plan& ChooseService(Random& rng);
  void ChoosePatient(Plan& plan, Random& rng, Episode* e);
  void NewPatient(const ServiceProfile& p, Random& rng, Episode* e);
  void ChooseAdmission(Random& rng, Episode* e);
  void ChooseDiagnoses(Plan& plan, Random& rng, Episode* e);
  void ChooseDelivery(Random& rng, Episode* e);
  void ChooseExternalCauses(Random& rng, Episode* e);
  void ChooseProcedures(Plan& plan, Random& rng, Episode* e);
  void ChooseDischarge(Random& rng, Episode* e);

  const CodeInfo* PickSuiting(const std::vector<const CodeInfo*>& list, const Episode& e,
                              bool principal, Random& rng) const;
  const CodeInfo* PickInRanges(const std::vector<CodePools::Span>& ranges, const Episode& e,
                               bool principal, bool surgical_only, Random& rng) const;
  bool Fits(const CodeInfo* c, const Episode& e, bool principal) const;
  bool AddDiagnosis(Episode* e, const CodeInfo* c) const;
  bool AddProcedure(Episode* e, const CodeInfo* c) const;
  void SetAge(Episode* e) const;

  const CodePools& pools_;
  const InstallationLists& lists_;
  const int year_;
  const long episodes_;
  int first_day_ = 0, last_day_ = 0;
  long next_historia_ = 100000;
  long sequence_[2] = {0, 0};  // per admission year: the discharge year and the one before

  std::vector<Plan> plans_;
  std::vector<long> cumulative_weight_;
  std::vector<const CodeInfo*> adult_comorbidities_, child_comorbidities_, minor_procedures_;
  std::vector<const CodeInfo*> normal_deliveries_, complicated_deliveries_, outcomes_;
  std::vector<const CodeInfo*> falls_, traffic_, work_, sport_, assault_, poisoning_, toxic_,
      misadventure_, places_;
  const CodeInfo* normal_delivery_ = nullptr;
  const CodeInfo* cesarean_ = nullptr;
  std::array<const CodeInfo*, 3> vaginal_{};  // manually assisted, episiotomy, vacuum
  const CodeInfo* laceration_repair_ = nullptr;
  const CodeInfo* epidural_ = nullptr;
  const CodeInfo* fallback_ = nullptr;
  std::vector<const char*> accepted_hospitals_;
  std::vector<const char*> neighbour_provinces_;
};

}  // namespace quirovel::gen
