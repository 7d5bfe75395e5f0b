#include "faults.h"

#include <algorithm>
#include <cstring>

#include "calendar.h"

namespace quirovel::gen {
namespace {

struct Rate {
  const char* name;  // the check meant to find it
  double p;          // per episode where the fault can happen
};

// In the order of Fault.
constexpr Rate kRates[kFaultCount] = {
    {"E11  origin out of range", 0.006},
    {"E11  programmed from emergencies (per programmed)", 0.04},
    {"E13  born here, origin not 7 (per newborn born here)", 0.08},
    {"E21  origin hospital", 0.008},
    {"E41  affiliation number", 0.17},
    {"E51  hospital code", 0.0005},
    {"E61  history number", 0.003},
    {"E71  episode number", 0.02},
    {"E81  birth date blank", 0.004},
    {"E82  over 100 years", 0.0008},
    {"E83  birth after admission", 0.002},
    {"E91  sex invalid", 0.002},
    {"E92  sex unknown", 0.004},
    {"E101 residence unknown", 0.035},
    {"E102 residence province only", 0.05},
    {"E105 occupation", 0.25},
    {"E111 financing", 0.006},
    {"E121 admission date blank", 0.001},
    {"E122 admission after discharge", 0.003},
    {"E131 admission type", 0.003},
    {"E151 admitting service", 0.006},
    {"E181 discharge service", 0.006},
    {"E201 discharge date blank", 0.002},
    {"E202 stay over 365 days", 0.001},
    {"E204 stay over 999 days", 0.0003},
    {"E211 discharge type", 0.003},
    {"E221 transfer to unknown hospital", 0.002},
    {"E222 transfer without hospital", 0.004},
    {"E222 hospital without transfer", 0.003},
    {"E230 principal diagnosis blank", 0.004},
    {"E230 episode not coded (more at the year's end)", 0.012},
    {"E231 code not in the catalogue", 0.055},
    {"E242 code subdivided since an older edition", 0.006},
    {"E241 code newer than 2002 (not in version)", 0.012},
    {"E232 heading code", 0.18},
    {"E233 cannot be principal", 0.008},
    {"E234 obstetric outside obstetrics (per woman 13-49)", 0.01},
    {"E235 perinatal outside paediatrics", 0.003},
    {"E243 delivery without outcome (per delivery)", 0.06},
    {"E244 code for another age", 0.01},
    {"E245 code for the other sex", 0.01},
    {"E252 external cause invalid (per external cause)", 0.05},
    {"E253 injury without external cause (per injury)", 0.12},
    {"E254 traffic insurer without traffic cause", 0.003},
    {"E264 procedure for the other sex (per procedure)", 0.006},
    {"E270 intervention date unknown (per intervention)", 0.01},
    {"E271 intervention before admission (per intervention)", 0.02},
    {"E272 intervention after discharge (per intervention)", 0.01},
    {"E273 intervention date missing (per programmed operation)", 0.05},
    {"E281 delivery date missing (per delivery)", 0.03},
    {"E282 delivery before admission (per delivery)", 0.01},
    {"E283 delivery after discharge (per delivery)", 0.01},
    {"E291 gestation (per delivery)", 0.02},
    {"E292 gestation unknown (per delivery)", 0.02},
    {"E301 newborn weight (per delivery)", 0.015},
    {"E303 newborn weight unknown (per delivery)", 0.015},
    {"E311 newborn sex (per delivery)", 0.01},
    {"E312 newborn sex unknown (per delivery)", 0.015},
    {"E291 newborn data without delivery", 0.002},
    {"E321 intensive care over 30 days", 0.001},
    {"E331 emergency stay over 5 days", 0.002},
    {"     duplicated record", 0.002},
};

// The code fields in the order the checks read them.
constexpr int kCodeFields[] = {19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35,
                               36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52};

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool IsBlank(const RecordBuffer& r, int field) { return r.Get(field)[0] == ' '; }

void SetDate(RecordBuffer* r, int field, int day) { WriteDate(day, r->At(field)); }

// Moves the codes after `field` (up to `last`) one place forward.
void RemoveCode(RecordBuffer* r, int field, int last) {
  for (int f = field; f < last; ++f) r->Set(f, r->Get(f + 1));
  r->Blank(last);
}

// Puts a code first, moving the others one place back (the last one drops).
void InsertFirst(RecordBuffer* r, int first, int last, std::string_view code) {
  for (int f = last; f > first; --f) r->Set(f, r->Get(f - 1));
  r->Set(first, code);
}

}  // namespace

FaultInjector::FaultInjector(const EpisodeBuilder& builder)
    : builder_(builder), pools_(builder.pools()) {}

bool FaultInjector::Prepare(std::string* error) {
  for (const char* code :
       {"V45.81", "V58.61", "V15.82", "V10.3", "V43.64", "V12.54", "V58.67", "E888.9"}) {
    const CodeInfo* c = pools_.Find(code);
    if (c && c->Clean() && c->not_principal) not_principal_.push_back(c);
  }
  for (const char* code : {"640.03", "643.03", "646.63", "648.83", "644.03"}) {
    const CodeInfo* c = pools_.Find(code);
    if (c && c->Clean() && !c->delivery) antepartum_.push_back(c);
  }
  CodePools::Span perinatal = pools_.Range("760", "780");
  perinatal_.assign(perinatal.first, perinatal.first + perinatal.count);
  for (const CodeInfo* c : pools_.clean_procedures()) {
    if (c->sex == '1' && !c->surgical) male_procedures_.push_back(c);
    if (c->sex == '2' && !c->surgical) female_procedures_.push_back(c);
  }
  for (const CodeInfo* c : pools_.clean_diagnoses()) {
    if (c->kind == 'E') continue;
    if (c->age_class != ' ' && c->sex == ' ') age_bound_.push_back(c);
    if (c->age_class == ' ' && c->sex == '1') male_only_.push_back(c);
    if (c->age_class == ' ' && c->sex == '2') female_only_.push_back(c);
  }
  if (not_principal_.empty() || antepartum_.empty() || perinatal_.empty() || age_bound_.empty() ||
      male_only_.empty() || female_only_.empty() || male_procedures_.empty() ||
      female_procedures_.empty()) {
    *error = "the catalogue lacks the codes that the faults need (sex and age restricted codes)";
    return false;
  }
  return true;
}

const CodeInfo* FaultInjector::PickUnsuited(const std::vector<const CodeInfo*>& list,
                                            const Episode& e, bool by_sex, Random& rng) const {
  for (int attempt = 0; attempt < 16; ++attempt) {
    const CodeInfo* c = list[rng.Below(static_cast<std::uint32_t>(list.size()))];
    const bool suits = Suits(*c, e.patient.sex, e.age_years, e.age_months);
    if (by_sex && !suits) return c;
    if (!by_sex && !suits && (c->sex == ' ' || c->sex == e.patient.sex)) return c;
  }
  return nullptr;
}

bool FaultInjector::AddSecondary(RecordBuffer* r, int first, int last, std::string_view code) {
  if (IsBlank(*r, first)) return false;  // nothing coded: leave it so
  for (int f = first + 1; f <= last; ++f) {
    if (IsBlank(*r, f)) {
      r->Set(f, code);
      return true;
    }
  }
  r->Set(last, code);
  return true;
}

bool FaultInjector::ReplaceCode(Random& rng, RecordBuffer* r, bool heading) {
  int filled[34], n = 0;
  for (int f : kCodeFields)
    if (!IsBlank(*r, f)) filled[n++] = f;
  if (n == 0) return false;
  for (int attempt = 0; attempt < 4; ++attempt) {
    const int field = filled[rng.Below(static_cast<std::uint32_t>(n))];
    const std::string_view text = Trimmed(r->Get(field));
    const CodeInfo* c = pools_.Find(text);
    if (heading) {
      const CodeInfo* h = c ? pools_.HeadingOf(*c) : nullptr;
      if (!h) continue;
      r->Set(field, h->view());
      return true;
    }
    // A slip of the keyboard: one digit changed into a code no edition has.
    std::string typo(text);
    for (int tries = 0; tries < 10; ++tries) {
      std::size_t at = typo.size() - 1 - rng.Below(2);
      if (typo[at] < '0' || typo[at] > '9') continue;
      typo[at] = static_cast<char>('0' + rng.Below(10));
      if (!pools_.Find(typo)) {
        r->Set(field, typo);
        return true;
      }
      typo = text;
    }
  }
  return false;
}

bool FaultInjector::Duplicate(Random& rng) {
  if (!rng.Chance(kRates[static_cast<int>(Fault::kDuplicate)].p)) return false;
  ++counts_[static_cast<int>(Fault::kDuplicate)];
  return true;
}

void FaultInjector::Apply(const Episode& e, Random& rng, RecordBuffer* r) {
  for (int i = 0; i < kFaultCount; ++i) {
    const Fault f = static_cast<Fault>(i);
    if (f == Fault::kDuplicate) continue;
    double p = kRates[i].p;
    // Discharges of the last weeks are often not coded yet when the file is cut.
    if (f == Fault::kUncoded && e.discharge > builder_.last_day() - 20) p = 0.25;
    if (rng.Chance(p) && ApplyOne(f, e, rng, r)) ++counts_[static_cast<std::size_t>(i)];
  }
}

bool FaultInjector::ApplyOne(Fault f, const Episode& e, Random& rng, RecordBuffer* r) {
  const InstallationLists& lists = builder_.lists();
  const bool surgical_p1 = e.proc_count && e.proc[0]->surgical;
  switch (f) {
    case Fault::kOriginOutOfRange:
      r->SetNumber(PROCEDEN, rng.Percent(50) ? 8 : 0);
      return true;
    case Fault::kOriginOfProgrammed:
      if (e.tiping != 2) return false;
      r->SetNumber(PROCEDEN, 1);
      return true;
    case Fault::kNewbornOrigin:
      if (!e.born_here) return false;
      r->SetNumber(PROCEDEN, 1);
      return true;
    case Fault::kOriginHospital:
      if (e.proceden == 6)
        r->Set(PROCH, rng.Percent(50) ? "" : "02999");
      else
        r->Set(PROCH, builder_.accepted_hospitals()[0]);
      return true;
    case Fault::kAffiliation: {
      const std::uint32_t k = rng.Below(4);
      std::string text(e.patient.afiliss.data());
      if (k == 0)
        text.clear();
      else if (k == 1)
        text.resize(10);
      else if (k == 2)
        text[0] = text[1] = '0';
      else
        text[5] = 'X';
      r->Set(AFILISS, text);
      return true;
    }
    case Fault::kHospital:
      r->Set(HOSPITAL, "02102");
      return true;
    case Fault::kHistory:
      r->Set(HISTORIA, rng.Percent(50) ? "" : rng.Percent(50) ? "AN12" : " 1234567");
      return true;
    case Fault::kEpisodeNumber: {
      char text[8];
      std::memcpy(text, r->Get(ASISTENC).data(), 7);
      text[0] = text[0] == '0' ? '9' : '0';
      r->Set(ASISTENC, std::string_view(text, 7));
      return true;
    }
    case Fault::kBirthBlank:
      r->Blank(FECNAC);
      return true;
    case Fault::kOverHundred:
      SetDate(r, FECNAC, e.admission - 365 * rng.Between(101, 106) - rng.Between(30, 300));
      return true;
    case Fault::kBirthAfterAdmission:
      SetDate(r, FECNAC, e.admission + rng.Between(1, 400));
      return true;
    case Fault::kSexInvalid:
      r->Set(SEXO, rng.Percent(50) ? "0" : rng.Percent(50) ? "4" : "");
      return true;
    case Fault::kSexUnknown:
      r->Set(SEXO, "9");
      return true;
    case Fault::kResidenceUnknown: {
      if (rng.Percent(30)) {
        r->Set(RESIDE, rng.Percent(50) ? "" : "00000");
        return true;
      }
      const std::vector<int>& known = lists.postal_codes[2];
      for (int tries = 0; tries < 20; ++tries) {
        const int code = 2000 + rng.Between(0, 998);
        if (!std::binary_search(known.begin(), known.end(), code)) {
          char text[8];
          std::snprintf(text, sizeof text, "%05d", code);
          r->Set(RESIDE, text);
          return true;
        }
      }
      return false;
    }
    case Fault::kResidenceProvince:
      r->Set(RESIDE, rng.Percent(85) ? "02999" : "16999");
      return true;
    case Fault::kOccupation:
      r->Set(OCUPACION, rng.Percent(60) ? "" : rng.Percent(50) ? "000" : "999");
      return true;
    case Fault::kFinancing:
      r->Set(REGFIN, rng.Percent(50) ? "0" : "");
      return true;
    case Fault::kAdmissionBlank:
      r->Blank(FECING);
      return true;
    case Fault::kAdmissionAfterDischarge:
      SetDate(r, FECING, e.discharge + rng.Between(1, 30));
      return true;
    case Fault::kAdmissionType:
      r->SetNumber(TIPING, rng.Percent(50) ? 0 : 3);
      return true;
    case Fault::kAdmittingService:
    case Fault::kDischargeService: {
      const char* wrong[] = {"70101", "MIN  ", "", "70553", "07100"};
      r->Set(f == Fault::kAdmittingService ? SERVING : SERVALT, wrong[rng.Below(5)]);
      return true;
    }
    case Fault::kDischargeBlank:
      r->Blank(FECALT);
      return true;
    case Fault::kLongStay:
      SetDate(r, FECING, e.discharge - rng.Between(366, 900));
      return true;
    case Fault::kVeryLongStay:
      SetDate(r, FECING, e.discharge - rng.Between(1000, 3000));
      return true;
    case Fault::kDischargeType:
      r->SetNumber(TIPALT, 0);
      return true;
    case Fault::kTransferBadCode:
      r->SetNumber(TIPALT, 2);
      r->Set(TRASH, rng.Percent(50) ? "02999" : "0201 ");
      return true;
    case Fault::kTransferWithoutCode:
      r->SetNumber(TIPALT, 2);
      r->Blank(TRASH);
      return true;
    case Fault::kCodeWithoutTransfer:
      if (e.tipalt == 2) return false;
      r->Set(TRASH, builder_.accepted_hospitals()[rng.Below(
                        static_cast<std::uint32_t>(builder_.accepted_hospitals().size()))]);
      return true;
    case Fault::kPrincipalBlank:
      r->Blank(C1);
      return true;
    case Fault::kUncoded:
      for (int field : kCodeFields) r->Blank(field);
      return true;
    case Fault::kNotInCatalogue:
      return ReplaceCode(rng, r, false);
    case Fault::kHeadingCode:
      return ReplaceCode(rng, r, true);
    case Fault::kOutdatedCode:
    case Fault::kNewerCode: {
      const auto& list = f == Fault::kOutdatedCode ? pools_.outdated_codes() : pools_.newer_codes();
      if (list.empty()) return false;
      const CodeInfo* c = list[rng.Below(static_cast<std::uint32_t>(list.size()))];
      if (c->IsProcedure()) return AddSecondary(r, P1, P15, c->view());
      if (c->kind == 'E') return AddSecondary(r, CE, CE4, c->view());
      return AddSecondary(r, C1, C15, c->view());
    }
    case Fault::kNotPrincipal:
      if (IsBlank(*r, C1)) return false;
      InsertFirst(
          r, C1, C15,
          not_principal_[rng.Below(static_cast<std::uint32_t>(not_principal_.size()))]->view());
      return true;
    case Fault::kObstetricService:
      if (e.delivery || std::string_view(e.profile->code) == "70552" || e.patient.sex != '2' ||
          e.age_years < 13 || e.age_years > 49 || IsBlank(*r, C1))
        return false;
      InsertFirst(r, C1, C15,
                  antepartum_[rng.Below(static_cast<std::uint32_t>(antepartum_.size()))]->view());
      return true;
    case Fault::kPerinatalService:
      if (std::string_view("70440 70441 70392").find(e.profile->code) != std::string_view::npos ||
          IsBlank(*r, C1))
        return false;
      InsertFirst(r, C1, C15,
                  perinatal_[rng.Below(static_cast<std::uint32_t>(perinatal_.size()))]->view());
      return true;
    case Fault::kNoOutcome:
      if (!e.delivery) return false;
      for (int field = C1 + 1; field <= C15; ++field) {
        if (r->Get(field).substr(0, 3) == "V27") {
          RemoveCode(r, field, C15);
          return true;
        }
      }
      return false;
    case Fault::kAgeCode:
    case Fault::kSexCode: {
      const bool by_sex = f == Fault::kSexCode;
      const CodeInfo* c =
          by_sex ? PickUnsuited(e.patient.sex == '1' ? female_only_ : male_only_, e, true, rng)
                 : PickUnsuited(age_bound_, e, false, rng);
      return c && AddSecondary(r, C1, C15, c->view());
    }
    case Fault::kExternalCauseInvalid:
      if (IsBlank(*r, CE)) return false;
      if (const CodeInfo* c = pools_.Find(Trimmed(r->Get(CE))); c && rng.Percent(50)) {
        if (const CodeInfo* h = pools_.HeadingOf(*c)) {
          r->Set(CE, h->view());  // "E888" for "E888.9"
          return true;
        }
      }
      if (IsBlank(*r, C1)) return false;
      r->Set(CE, r->Get(C1));
      return true;
    case Fault::kNoExternalCause:
      if (!e.injury || IsBlank(*r, CE)) return false;
      for (int field = CE; field <= CE4; ++field) r->Blank(field);
      return true;
    case Fault::kTrafficWithoutCause:
      if (e.traffic) return false;
      r->SetNumber(REGFIN, 2);
      return true;
    case Fault::kProcedureSex: {
      if (e.proc_count == 0 || (e.patient.sex != '1' && e.patient.sex != '2')) return false;
      const auto& list = e.patient.sex == '1' ? female_procedures_ : male_procedures_;
      return AddSecondary(r, P1, P15,
                          list[rng.Below(static_cast<std::uint32_t>(list.size()))]->view());
    }
    case Fault::kInterventionUnknown:
      if (e.intervention < 0) return false;
      r->Set(FEINTV, "99990909");
      return true;
    case Fault::kInterventionBefore:
      if (e.intervention < 0) return false;
      SetDate(r, FEINTV, e.admission - rng.Between(1, 5));
      return true;
    case Fault::kInterventionAfter:
      if (e.intervention < 0) return false;
      SetDate(r, FEINTV, e.discharge + rng.Between(1, 10));
      return true;
    case Fault::kInterventionMissing:
      if (e.intervention < 0 || e.tiping != 2 || !surgical_p1) return false;
      r->Blank(FEINTV);
      return true;
    case Fault::kDeliveryDateMissing:
      if (!e.delivery) return false;
      r->Blank(FECPART);
      return true;
    case Fault::kDeliveryBefore:
      if (!e.delivery) return false;
      SetDate(r, FECPART, e.admission - rng.Between(1, 3));
      return true;
    case Fault::kDeliveryAfter:
      if (!e.delivery) return false;
      SetDate(r, FECPART, e.discharge + rng.Between(1, 3));
      return true;
    case Fault::kGestation:
      if (!e.delivery) return false;
      r->Set(TGESTAC, rng.Percent(40) ? "" : rng.Percent(50) ? "19" : "55");
      return true;
    case Fault::kGestationUnknown:
      if (!e.delivery) return false;
      r->SetNumber(TGESTAC, 99);
      return true;
    case Fault::kWeight:
      if (!e.delivery) return false;
      r->SetNumber(PESO1N, rng.Percent(40) ? 0 : rng.Percent(50) ? 320 : 6100);
      return true;
    case Fault::kWeightUnknown:
      if (!e.delivery) return false;
      r->SetNumber(PESO1N, 9999);
      return true;
    case Fault::kNewbornSex:
      if (!e.delivery) return false;
      r->Set(SEXO1N, rng.Percent(50) ? "0" : "4");
      return true;
    case Fault::kNewbornSexUnknown:
      if (!e.delivery) return false;
      r->SetNumber(SEXO1N, 9);
      return true;
    case Fault::kNewbornDataNoDelivery:
      if (e.delivery || e.patient.sex != '2' || e.age_years < 13 || e.age_years > 49 ||
          IsBlank(*r, C1))
        return false;
      r->SetNumber(TGESTAC, 38);
      r->SetNumber(PESO1N, 3100);
      return true;
    case Fault::kIntensiveCare:
      r->SetNumber(ESTUCI, rng.Between(31, 75));
      return true;
    case Fault::kEmergency:
      r->SetNumber(ESTURG, rng.Between(6, 9));
      return true;
    case Fault::kDuplicate:
    case Fault::kCount:
      return false;
  }
  return false;
}

void FaultInjector::PrintSummary(std::FILE* out, long episodes) const {
  long total = 0;
  for (int i = 0; i < kFaultCount; ++i) {
    total += counts_[static_cast<std::size_t>(i)];
    std::fprintf(out, "%-62s %9ld\n", kRates[i].name, counts_[static_cast<std::size_t>(i)]);
  }
  std::fprintf(out, "%-62s %9ld (%.2f per episode)\n", "faults in all", total,
               episodes ? static_cast<double>(total) / static_cast<double>(episodes) : 0.0);
}

}  // namespace quirovel::gen
