#include "episode_builder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "calendar.h"

namespace quirovel::gen {
namespace {

// Hospitals of the province that the checks accept as origin or destination
// without any list file.
const char* const kProvincialHospitals[] = {"02003", "02004", "02005", "02007", "02009",
                                            "02010", "02011", "02013", "02015", "02017"};

struct ProvinceShare {
  int province;
  int per_mille;
};
// Where patients who do not live in the province come from.
const ProvinceShare kNeighbours[] = {{16, 250}, {13, 200}, {30, 200}, {3, 120},
                                     {46, 100}, {45, 80},  {28, 50}};

const char* const kComplicatedDeliveries[] = {"664.01", "659.71", "645.11", "644.21", "654.21",
                                              "642.41", "648.81", "652.21", "663.31", "648.91",
                                              "659.41", "656.31", "660.41", "661.21"};

long DateValue(int day) {
  int y, m, d;
  CivilDate(day, &y, &m, &d);
  return y * 10000L + m * 100L + d;
}

template <typename T>
const T& PickOne(const std::vector<T>& v, Random& rng) {
  return v[rng.Below(static_cast<std::uint32_t>(v.size()))];
}

bool IsInjury(const CodeInfo* c) { return c->kind == 'D' && c->view() >= "800"; }

int Stem(const CodeInfo* c) {
  return (c->text[0] - '0') * 100 + (c->text[1] - '0') * 10 + (c->text[2] - '0');
}

}  // namespace

EpisodeBuilder::EpisodeBuilder(const CodePools& pools, const InstallationLists& lists, int year,
                               long episodes)
    : pools_(pools), lists_(lists), year_(year), episodes_(episodes) {
  first_day_ = DayNumber(year, 1, 1);
  last_day_ = DayNumber(year, 12, 31);
}

const CodeInfo* EpisodeBuilder::Resolve(const char* code, std::string* error) const {
  const CodeInfo* c = pools_.Find(code);
  if (!c || !c->Clean()) {
    *error = std::string("code ") + code +
             " of the case mix is not valid in the 2002 and 2006 catalogues";
    return nullptr;
  }
  return c;
}

bool EpisodeBuilder::ResolveAll(const std::vector<const char*>& codes,
                                std::vector<const CodeInfo*>* out, std::string* error) const {
  for (const char* code : codes) {
    const CodeInfo* c = Resolve(code, error);
    if (!c) return false;
    out->push_back(c);
  }
  return true;
}

bool EpisodeBuilder::Prepare(std::string* error) {
  const auto& profiles = ServiceProfiles();
  long total = 0;
  for (const std::string& service : lists_.services) {
    auto p = std::find_if(profiles.begin(), profiles.end(),
                          [&](const ServiceProfile& s) { return service == s.code; });
    if (p == profiles.end()) continue;  // a service without a case mix discharges nobody
    Plan plan;
    plan.profile = &*p;
    if (!ResolveAll(p->principal, &plan.principal, error) ||
        !ResolveAll(p->procedures, &plan.procedures, error))
      return false;
    for (const CodeInfo* c : plan.principal) {
      if (c->not_principal || c->kind == 'E') {
        *error = std::string("code ") + c->text.data() + " cannot be a principal diagnosis of " +
                 p->code;
        return false;
      }
    }
    for (const CodeRange& r : p->principal_ranges)
      if (auto s = pools_.Range(r.from, r.to); s.count) plan.principal_ranges.push_back(s);
    for (const CodeRange& r : p->procedure_ranges)
      if (auto s = pools_.Range(r.from, r.to, true); s.count) plan.procedure_ranges.push_back(s);
    total += p->weight;
    plans_.push_back(std::move(plan));
    cumulative_weight_.push_back(total);
  }
  if (plans_.empty()) {
    *error = "none of the services of servicios.txt has a case mix";
    return false;
  }
  std::vector<const char*> complicated(std::begin(kComplicatedDeliveries),
                                       std::end(kComplicatedDeliveries));
  if (!ResolveAll(AdultComorbidities(), &adult_comorbidities_, error) ||
      !ResolveAll(ChildComorbidities(), &child_comorbidities_, error) ||
      !ResolveAll(MinorProcedures(), &minor_procedures_, error) ||
      !ResolveAll(complicated, &complicated_deliveries_, error) ||
      !ResolveAll({"V27.0", "V27.2", "V27.1"}, &outcomes_, error) ||
      !ResolveAll({"E888.9", "E885.9", "E880.9", "E888.1", "E884.2"}, &falls_, error) ||
      !ResolveAll({"E812.0", "E812.1", "E813.0", "E814.7", "E816.0", "E819.0", "E819.1"}, &traffic_,
                  error) ||
      !ResolveAll({"E919.0", "E920.8", "E916", "E917.9"}, &work_, error) ||
      !ResolveAll({"E886.0", "E917.0"}, &sport_, error) ||
      !ResolveAll({"E960.0", "E968.9"}, &assault_, error) ||
      !ResolveAll({"E858.9", "E950.4", "E850.2"}, &poisoning_, error) ||
      !ResolveAll({"E869.9", "E866.8", "E860.0"}, &toxic_, error) ||
      !ResolveAll({"E878.8", "E878.1", "E879.8"}, &misadventure_, error) ||
      !ResolveAll({"E849.0", "E849.3", "E849.5"}, &places_, error))
    return false;
  std::vector<const CodeInfo*> obstetric;
  if (!ResolveAll({"650", "780.79", "74.1", "73.59", "73.6", "72.71", "75.69", "03.91"}, &obstetric,
                  error))
    return false;
  normal_delivery_ = obstetric[0];
  fallback_ = obstetric[1];
  cesarean_ = obstetric[2];
  vaginal_ = {obstetric[3], obstetric[4], obstetric[5]};
  laceration_repair_ = obstetric[6];
  epidural_ = obstetric[7];
  for (const CodeInfo* c : complicated_deliveries_) {
    if (!c->delivery || c->not_principal) {
      *error = std::string("code ") + c->text.data() + " is not a delivery that can be principal";
      return false;
    }
  }
  for (const char* h : kProvincialHospitals) accepted_hospitals_.push_back(h);
  for (const std::string& h : lists_.hospitals)
    if (h != kOwnHospital) accepted_hospitals_.push_back(h.c_str());
  return true;
}

EpisodeBuilder::Plan& EpisodeBuilder::ChooseService(Random& rng) {
  const long pick =
      static_cast<long>(rng.Below(static_cast<std::uint32_t>(cumulative_weight_.back())));
  auto it = std::upper_bound(cumulative_weight_.begin(), cumulative_weight_.end(), pick);
  return plans_[static_cast<std::size_t>(it - cumulative_weight_.begin())];
}

void EpisodeBuilder::SetAge(Episode* e) const {
  // Exactly as the checks derive them from the AAAAMMDD texts.
  const long admission = DateValue(e->admission), birth = DateValue(e->patient.birth);
  e->age_years = static_cast<int>((admission - birth) / 10000);
  if (e->age_years == 0) {
    int months = static_cast<int>(admission / 100 % 100 - birth / 100 % 100);
    if (admission % 100 < birth % 100) --months;
    if (months < 0) months += 12;
    e->age_months = months;
  } else {
    e->age_months = 0;
  }
}

void EpisodeBuilder::NewPatient(const ServiceProfile& p, Random& rng, Episode* e) {
  Patient& pt = e->patient;
  pt.historia = next_historia_ += 1 + rng.Below(4);
  if (p.care == Care::kNeonatal) {
    e->born_here = rng.Percent(72);
    pt.birth = e->admission - (e->born_here ? 0 : rng.Between(1, 27));
  } else {
    const int years = static_cast<int>(rng.Triangular(p.age_lo, p.age_mode, p.age_hi + 0.999));
    // Never born on the day of admission: that is a newborn's own episode.
    pt.birth = e->admission - years * 365 - years / 4 - rng.Between(1, 364);
  }
  pt.sex = rng.Percent(p.male_pct) ? '1' : '2';
  int province = 2;
  if (!rng.Percent(86)) {
    std::uint32_t r = rng.Below(1000);
    province = 0;
    for (const ProvinceShare& n : kNeighbours) {
      if (r < static_cast<std::uint32_t>(n.per_mille)) {
        province = n.province;
        break;
      }
      r -= static_cast<std::uint32_t>(n.per_mille);
    }
    if (province == 0 || lists_.postal_codes[static_cast<std::size_t>(province)].empty())
      province = 2;
  }
  pt.reside = PickOne(lists_.postal_codes[static_cast<std::size_t>(province)], rng);
  pt.occupation =
      static_cast<int>(rng.Below(static_cast<std::uint32_t>(lists_.occupations.size())));
  // Social security number: province, eight digits and the remainder by 97.
  const long number = 10000000L + static_cast<long>(rng.Below(90000000u));
  const long long base = province * 100000000LL + number;
  char text[40];
  std::snprintf(text, sizeof text, "%02d%08ld%02lld", province, number, base % 97);
  std::memcpy(pt.afiliss.data(), text, 12);
  pt.afiliss[12] = '\0';
}

void EpisodeBuilder::ChoosePatient(Plan& plan, Random& rng, Episode* e) {
  const ServiceProfile& p = *plan.profile;
  if (!plan.recent.empty() && p.care != Care::kNeonatal && rng.Percent(11)) {
    e->patient = PickOne(plan.recent, rng);
    SetAge(e);
    if (e->age_years >= p.age_lo && e->age_years <= p.age_hi && e->patient.birth < e->admission)
      return;
  }
  NewPatient(p, rng, e);
  SetAge(e);
  if (plan.recent.size() < 48) {
    plan.recent.push_back(e->patient);
  } else {
    plan.recent[plan.next_recent] = e->patient;
    plan.next_recent = (plan.next_recent + 1) % plan.recent.size();
  }
}

void EpisodeBuilder::ChooseAdmission(Random& rng, Episode* e) {
  const ServiceProfile& p = *e->profile;
  e->tiping = rng.Percent(p.urgent_pct) ? 1 : 2;
  e->proch = nullptr;
  if (p.care == Care::kNeonatal) {
    e->tiping = 1;
    e->proceden = e->born_here ? 7 : (rng.Percent(70) ? 1 : 6);
  } else if (e->tiping == 1) {
    const std::uint32_t r = rng.Below(100);
    e->proceden = r < 82 ? 1 : r < 88 ? 6 : r < 94 ? 2 : r < 97 ? 4 : 5;
  } else {
    const std::uint32_t r = rng.Below(100);
    e->proceden = r < 65 ? 3 : r < 93 ? 2 : 6;
  }
  if (e->proceden == 6) e->proch = PickOne(accepted_hospitals_, rng);
  e->serving = p.code;
  if (p.care == Care::kGeneral && rng.Percent(6)) e->serving = rng.Percent(50) ? "70530" : "70100";
  e->regfin = 1;
  const std::uint32_t r = rng.Below(1000);
  if (r < 40)
    e->regfin = 4;
  else if (r < 60)
    e->regfin = 5;
  else if (r < 66)
    e->regfin = 7;
  else if (r < 70)
    e->regfin = 8;
  // The admission year's episodes are numbered in turn.
  int y, m, d;
  CivilDate(e->admission, &y, &m, &d);
  long& counter = sequence_[y == year_ ? 0 : 1];
  e->sequence = (y % 100) * 100000L + (counter++ % 100000L);
}

bool EpisodeBuilder::Fits(const CodeInfo* c, const Episode& e, bool principal) const {
  if (!Suits(*c, e.patient.sex, e.age_years, e.age_months)) return false;
  if (principal && (c->not_principal || c->kind == 'E')) return false;
  // A condition of pregnancy or of the perinatal period belongs to the
  // services that treat it.
  if (principal && c->kind == 'D') {
    const int n = Stem(c);
    if (n >= 630 && n <= 679 && std::string_view(e.profile->code) != "70552") return false;
    if (n >= 760 && n <= 779 &&
        std::string_view("70440 70441 70392").find(e.profile->code) == std::string_view::npos)
      return false;
  }
  return true;
}

const CodeInfo* EpisodeBuilder::PickSuiting(const std::vector<const CodeInfo*>& list,
                                            const Episode& e, bool principal, Random& rng) const {
  if (list.empty()) return nullptr;
  for (int attempt = 0; attempt < 8; ++attempt) {
    const CodeInfo* c = PickOne(list, rng);
    if (Fits(c, e, principal)) return c;
  }
  return nullptr;
}

const CodeInfo* EpisodeBuilder::PickInRanges(const std::vector<CodePools::Span>& ranges,
                                             const Episode& e, bool principal, bool surgical_only,
                                             Random& rng) const {
  if (ranges.empty()) return nullptr;
  for (int attempt = 0; attempt < 12; ++attempt) {
    const CodePools::Span& s = PickOne(ranges, rng);
    const CodeInfo* c = s.first[rng.Below(static_cast<std::uint32_t>(s.count))];
    if ((!surgical_only || c->surgical) && Fits(c, e, principal)) return c;
  }
  return nullptr;
}

bool EpisodeBuilder::AddDiagnosis(Episode* e, const CodeInfo* c) const {
  if (!c || e->dx_count >= 15) return false;
  for (int i = 0; i < e->dx_count; ++i)
    if (e->dx[static_cast<std::size_t>(i)] == c) return false;
  e->dx[static_cast<std::size_t>(e->dx_count++)] = c;
  if (IsInjury(c)) e->injury = true;
  return true;
}

bool EpisodeBuilder::AddProcedure(Episode* e, const CodeInfo* c) const {
  if (!c || e->proc_count >= 15) return false;
  for (int i = 0; i < e->proc_count; ++i)
    if (e->proc[static_cast<std::size_t>(i)] == c) return false;
  e->proc[static_cast<std::size_t>(e->proc_count++)] = c;
  return true;
}

void EpisodeBuilder::ChooseDiagnoses(Plan& plan, Random& rng, Episode* e) {
  const ServiceProfile& p = *plan.profile;
  if (e->delivery) {
    ChooseDelivery(rng, e);
    return;
  }
  const CodeInfo* principal = nullptr;
  if (rng.Percent(65)) principal = PickSuiting(plan.principal, *e, true, rng);
  if (!principal) principal = PickInRanges(plan.principal_ranges, *e, true, false, rng);
  if (!principal) principal = PickSuiting(plan.principal, *e, true, rng);
  if (!principal) principal = fallback_;
  AddDiagnosis(e, principal);
  const bool child = e->age_years < 15;
  int secondary = static_cast<int>(rng.Below(child ? 3 : 4));
  if (e->age_years > 65) secondary += static_cast<int>(rng.Below(3));
  if (p.care == Care::kIntensive) secondary += 2;
  for (int i = 0; i < secondary; ++i) {
    const CodeInfo* c =
        rng.Percent(70)
            ? PickSuiting(child ? child_comorbidities_ : adult_comorbidities_, *e, false, rng)
            : PickInRanges(plan.principal_ranges, *e, false, false, rng);
    AddDiagnosis(e, c);
  }
}

void EpisodeBuilder::ChooseDelivery(Random& rng, Episode* e) {
  // The principal diagnosis was decided with the stay: 650 for a normal
  // delivery, a complication delivered in this episode otherwise.
  const CodeInfo* principal = e->dx_count ? e->dx[0] : normal_delivery_;
  if (e->dx_count == 0) AddDiagnosis(e, principal);
  const std::uint32_t r = rng.Below(1000);
  const bool twins = principal != normal_delivery_ && r >= 955 && r < 980;
  AddDiagnosis(e, r < 955 ? outcomes_[0] : r < 980 ? outcomes_[1] : outcomes_[2]);
  if (principal != normal_delivery_ && rng.Percent(25))
    AddDiagnosis(e, PickSuiting(complicated_deliveries_, *e, false, rng));
  e->delivery_day = std::min(
      e->discharge, e->admission + (e->discharge > e->admission && rng.Percent(40) ? 1 : 0));
  const std::string_view code = principal->view();
  if (code == "644.21")
    e->gestation = rng.Between(28, 36);
  else if (code == "645.11")
    e->gestation = 41;
  else {
    const std::uint32_t w = rng.Below(100);
    e->gestation = w < 12 ? 37 : w < 37 ? 38 : w < 70 ? 39 : w < 92 ? 40 : 41;
  }
  e->newborns = twins ? 2 : 1;
  for (int i = 0; i < e->newborns; ++i) {
    const double mean = 3300 - (40 - e->gestation) * 210 - (twins ? 450 : 0);
    e->weight[static_cast<std::size_t>(i)] =
        std::clamp(static_cast<int>(rng.Normal(mean, 380)), 520, 5200);
    e->newborn_sex[static_cast<std::size_t>(i)] = rng.Percent(51) ? 1 : 2;
  }
}

void EpisodeBuilder::ChooseExternalCauses(Random& rng, Episode* e) {
  if (!e->injury) return;
  const CodeInfo* injury = nullptr;
  for (int i = 0; i < e->dx_count && !injury; ++i)
    if (IsInjury(e->dx[static_cast<std::size_t>(i)])) injury = e->dx[static_cast<std::size_t>(i)];
  const int n = Stem(injury);
  const std::vector<const CodeInfo*>* group;
  if (n >= 996)
    group = &misadventure_;
  else if (n >= 980)
    group = &toxic_;
  else if (n >= 960)
    group = &poisoning_;
  else {
    const std::uint32_t r = rng.Below(100);
    group = r < 45 ? &falls_ : r < 68 ? &traffic_ : r < 80 ? &work_ : r < 90 ? &sport_ : &assault_;
  }
  e->ext[static_cast<std::size_t>(e->ext_count++)] = PickOne(*group, rng);
  if (group != &misadventure_ && rng.Percent(30))
    e->ext[static_cast<std::size_t>(e->ext_count++)] = PickOne(places_, rng);
  e->traffic = group == &traffic_;
  if (e->traffic && rng.Percent(70)) e->regfin = 2;
  if (group == &work_ && rng.Percent(60)) e->regfin = 3;
}

void EpisodeBuilder::ChooseProcedures(Plan& plan, Random& rng, Episode* e) {
  if (e->delivery) {
    if (e->cesarean) {
      AddProcedure(e, cesarean_);
      e->intervention = e->delivery_day;
    } else {
      AddProcedure(e, rng.Percent(70) ? vaginal_[0] : rng.Percent(60) ? vaginal_[1] : vaginal_[2]);
      if (e->dx[0]->view() == "664.01") AddProcedure(e, laceration_repair_);
    }
    if (rng.Percent(55)) AddProcedure(e, epidural_);
    return;
  }
  const ServiceProfile& p = *plan.profile;
  if (!rng.Percent(p.procedure_pct)) return;
  const CodeInfo* main = nullptr;
  if (!plan.procedures.empty() && rng.Percent(75))
    main = PickSuiting(plan.procedures, *e, false, rng);
  if (!main && !plan.procedure_ranges.empty())
    main = PickInRanges(plan.procedure_ranges, *e, false, true, rng);
  if (!main) main = PickSuiting(minor_procedures_, *e, false, rng);
  AddProcedure(e, main);
  const int more = static_cast<int>(rng.Below(p.care == Care::kIntensive ? 5 : 3));
  for (int i = 0; i < more; ++i) AddProcedure(e, PickSuiting(minor_procedures_, *e, false, rng));
  if (e->proc_count && e->proc[0]->surgical) {
    const int stay = e->discharge - e->admission;
    e->intervention =
        e->admission +
        (e->tiping == 2
             ? (rng.Percent(85) ? 0 : std::min(1, stay))
             : static_cast<int>(rng.Below(static_cast<std::uint32_t>(std::min(3, stay) + 1))));
  }
}

void EpisodeBuilder::ChooseDischarge(Random& rng, Episode* e) {
  const ServiceProfile& p = *e->profile;
  e->trash = nullptr;
  e->tipalt = 1;
  if (!e->delivery && rng.Percent(p.death_pct)) {
    e->tipalt = 5;
  } else {
    const std::uint32_t r = rng.Below(1000);
    if (r < 30)
      e->tipalt = 2;
    else if (r < 45 && e->age_years > 65)
      e->tipalt = 3;
    else if (r < 55)
      e->tipalt = 4;
    else if (r < 65 && p.care == Care::kGeneral)
      e->tipalt = 6;
    else if (r < 67 && p.care == Care::kGeneral)
      e->tipalt = 8;
  }
  if (e->tipalt == 2) e->trash = PickOne(accepted_hospitals_, rng);
  const int stay = e->discharge - e->admission;
  if (p.care == Care::kIntensive) {
    e->icu_days = std::min(stay, 30);
  } else if (rng.Percent(p.icu_pct)) {
    e->icu_days = std::min({stay, 30, 1 + rng.Exponential(2.0)});
  } else {
    e->icu_days = 0;
  }
  e->er_days = e->tiping == 1 && p.care != Care::kNeonatal && rng.Percent(35) ? 1 : 0;
}

void EpisodeBuilder::Build(long index, Random& rng, Episode* e) {
  *e = Episode{};
  Plan& plan = ChooseService(rng);
  const ServiceProfile& p = *plan.profile;
  e->profile = &p;
  const int days = last_day_ - first_day_ + 1;
  e->discharge =
      first_day_ + static_cast<int>(static_cast<long long>(index) * days / std::max(1L, episodes_));

  int stay;
  if (p.care == Care::kObstetric && rng.Percent(78)) {
    e->delivery = true;
    if (!rng.Percent(45)) {
      e->dx[0] = PickOne(complicated_deliveries_, rng);
      e->dx_count = 1;
      e->cesarean = rng.Percent(38);
    }
    stay = e->cesarean ? rng.Between(3, 6) : rng.Between(1, 3);
  } else if (rng.Percent(4) && p.care == Care::kGeneral) {
    stay = 0;
  } else {
    stay = 1 + rng.Exponential(p.mean_stay - 1);
    stay = std::min(stay, p.care == Care::kIntensive ? 30 : 120);
  }
  e->admission = e->discharge - stay;
  ChoosePatient(plan, rng, e);
  ChooseAdmission(rng, e);
  ChooseDiagnoses(plan, rng, e);
  ChooseExternalCauses(rng, e);
  ChooseProcedures(plan, rng, e);
  ChooseDischarge(rng, e);
}

void EpisodeBuilder::Write(const Episode& e, RecordBuffer* r) const {
  r->Clear();
  char text[16];
  r->SetNumber(PROCEDEN, e.proceden);
  if (e.proch) r->Set(PROCH, e.proch);
  r->Set(AFILISS, e.patient.afiliss.data());
  r->Set(HOSPITAL, kOwnHospital);
  std::snprintf(text, sizeof text, "%ld", e.patient.historia);
  r->Set(HISTORIA, text);
  std::snprintf(text, sizeof text, "%07ld", e.sequence);
  r->Set(ASISTENC, text);
  WriteDate(e.patient.birth, r->At(FECNAC));
  r->Set(SEXO, std::string_view(&e.patient.sex, 1));
  std::snprintf(text, sizeof text, "%05d", e.patient.reside);
  r->Set(RESIDE, text);
  r->Set(OCUPACION, lists_.occupations[static_cast<std::size_t>(e.patient.occupation)]);
  r->SetNumber(REGFIN, e.regfin);
  WriteDate(e.admission, r->At(FECING));
  r->SetNumber(TIPING, e.tiping);
  r->Set(SERVING, e.serving);
  r->Set(SERVALT, e.profile->code);
  WriteDate(e.discharge, r->At(FECALT));
  r->SetNumber(TIPALT, e.tipalt);
  if (e.trash) r->Set(TRASH, e.trash);
  for (int i = 0; i < e.dx_count; ++i) r->Set(C1 + i, e.dx[static_cast<std::size_t>(i)]->view());
  for (int i = 0; i < e.ext_count; ++i) r->Set(CE + i, e.ext[static_cast<std::size_t>(i)]->view());
  for (int i = 0; i < e.proc_count; ++i)
    r->Set(P1 + i, e.proc[static_cast<std::size_t>(i)]->view());
  if (e.intervention >= 0) WriteDate(e.intervention, r->At(FEINTV));
  if (e.delivery) {
    WriteDate(e.delivery_day, r->At(FECPART));
    r->SetNumber(TGESTAC, e.gestation);
    for (int i = 0; i < e.newborns; ++i) {
      r->SetNumber(PESO1N + 2 * i, e.weight[static_cast<std::size_t>(i)]);
      r->SetNumber(SEXO1N + 2 * i, e.newborn_sex[static_cast<std::size_t>(i)]);
    }
  }
  r->SetNumber(ESTUCI, e.icu_days);
  r->SetNumber(ESTURG, e.er_days);
}

}  // namespace quirovel::gen
