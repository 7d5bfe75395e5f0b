// The mistakes of real discharge files, put into generated episodes at
// realistic rates so that every kind of check has something to find: about one
// error per episode in all.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "episode.h"
#include "episode_builder.h"
#include "random.h"
#include "record_buffer.h"

namespace quirovel::gen {

// clang-format off
enum class Fault {
  kOriginOutOfRange, kOriginOfProgrammed, kNewbornOrigin, kOriginHospital, kAffiliation, kHospital,
  kHistory, kEpisodeNumber, kBirthBlank, kOverHundred, kBirthAfterAdmission, kSexInvalid, kSexUnknown,
  kResidenceUnknown, kResidenceProvince, kOccupation, kFinancing, kAdmissionBlank, kAdmissionAfterDischarge,
  kAdmissionType, kAdmittingService, kDischargeService, kDischargeBlank, kLongStay, kVeryLongStay,
  kDischargeType, kTransferBadCode, kTransferWithoutCode, kCodeWithoutTransfer, kPrincipalBlank, kUncoded,
  kNotInCatalogue, kOutdatedCode, kNewerCode, kHeadingCode, kNotPrincipal, kObstetricService,
  kPerinatalService, kNoOutcome, kAgeCode, kSexCode, kExternalCauseInvalid, kNoExternalCause,
  kTrafficWithoutCause, kProcedureSex, kInterventionUnknown, kInterventionBefore, kInterventionAfter,
  kInterventionMissing, kDeliveryDateMissing, kDeliveryBefore, kDeliveryAfter, kGestation,
  kGestationUnknown, kWeight, kWeightUnknown, kNewbornSex, kNewbornSexUnknown, kNewbornDataNoDelivery,
  kIntensiveCare, kEmergency, kDuplicate, kCount
};
// clang-format on

inline constexpr int kFaultCount = static_cast<int>(Fault::kCount);

class FaultInjector {
 public:
  explicit FaultInjector(const EpisodeBuilder& builder);
  // Picks the codes the faults use; false with the reason in *error.
  bool Prepare(std::string* error);

  // Draws the faults of one episode and applies them to its record.
  void Apply(const Episode& e, Random& rng, RecordBuffer* r);
  // Whether to write this record a second time.
  bool Duplicate(Random& rng);

  // Faults applied so far, by kind; then a readable table.
  const std::array<long, kFaultCount>& counts() const { return counts_; }
  void PrintSummary(std::FILE* out, long episodes) const;

 private:
  bool ApplyOne(Fault f, const Episode& e, Random& rng, RecordBuffer* r);
  bool ReplaceCode(Random& rng, RecordBuffer* r, bool heading);
  bool AddSecondary(RecordBuffer* r, int first, int last, std::string_view code);
  const CodeInfo* PickUnsuited(const std::vector<const CodeInfo*>& list, const Episode& e,
                               bool by_sex, Random& rng) const;

  const EpisodeBuilder& builder_;
  const CodePools& pools_;
  std::array<long, kFaultCount> counts_{};
  std::vector<const CodeInfo*> not_principal_, antepartum_, perinatal_, age_bound_, male_only_,
      female_only_, male_procedures_, female_procedures_;
};

}  // namespace quirovel::gen
