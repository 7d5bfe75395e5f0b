#include "catalogue_codes.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <unordered_set>

#include "csv_table.h"
#include "platform/cp1252.h"

namespace quirovel::kit {
namespace {

using CodeSet = std::unordered_set<std::string>;
using Family = std::map<std::string, CatalogueCode>;

constexpr std::size_t kDescriptionWidth = 72;

bool LoadCodeSet(const std::string& path, CodeSet* set, std::string* error,
                 const char* only_column = nullptr, const char* only_value = nullptr) {
  CsvTable table;
  int code = 0, filter = -1;
  if (!table.Load(path, error) || !table.Require("code", &code, error)) return false;
  if (only_column && !table.Require(only_column, &filter, error)) return false;
  for (const auto& row : table.rows())
    if (filter < 0 || row[static_cast<std::size_t>(filter)] == only_value)
      set->insert(row[static_cast<std::size_t>(code)]);
  return true;
}

std::string Description(std::string_view utf8) {
  std::string text = Utf8ToCp1252(utf8);
  if (text.size() > kDescriptionWidth) text.resize(kDescriptionWidth);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

char KindOf(const std::string& code, bool procedure) {
  if (procedure) return 'P';
  if (code[0] == 'E' || code[0] == 'V') return code[0];
  return 'D';
}

// Codes valid in some release, with their validity per edition from the
// release flags ("YY.Y...", one character per release from first_release on).
bool LoadReleases(const std::string& path, const char* flags_column, int first_release,
                  const std::array<int, kEditionCount>& release_of, bool procedure, Family* family,
                  std::string* error) {
  CsvTable table;
  int code = 0, flags = 0, english = 0;
  if (!table.Load(path, error) || !table.Require("code", &code, error) ||
      !table.Require(flags_column, &flags, error) ||
      !table.Require("description_en", &english, error))
    return false;
  for (const auto& row : table.rows()) {
    const std::string& c = row[static_cast<std::size_t>(code)];
    const std::string& f = row[static_cast<std::size_t>(flags)];
    CatalogueCode& entry = (*family)[c];
    entry.code = c;
    entry.kind = KindOf(c, procedure);
    for (int e = 0; e < kEditionCount; ++e) {
      std::size_t at =
          static_cast<std::size_t>(release_of[static_cast<std::size_t>(e)] - first_release);
      if (at < f.size() && f[at] == 'Y') entry.state[static_cast<std::size_t>(e)] = 'V';
    }
    entry.description = Description(row[static_cast<std::size_t>(english)]);
  }
  return true;
}

// Headings (never valid for coding). A heading's own title replaces the one
// of a release where it was still a valid code.
bool LoadHeadings(const std::string& path, bool procedure, Family* family, std::string* error) {
  CsvTable table;
  int code = 0, english = 0;
  if (!table.Load(path, error) || !table.Require("code", &code, error) ||
      !table.Require("description_en", &english, error))
    return false;
  int spanish = table.Column("description_es");
  for (const auto& row : table.rows()) {
    const std::string& c = row[static_cast<std::size_t>(code)];
    CatalogueCode& entry = (*family)[c];
    entry.code = c;
    entry.kind = KindOf(c, procedure);
    std::string_view title = row[static_cast<std::size_t>(english)];
    if (spanish >= 0 && !row[static_cast<std::size_t>(spanish)].empty())
      title = row[static_cast<std::size_t>(spanish)];
    if (!title.empty()) entry.description = Description(title);
  }
  return true;
}

bool LoadSpanishTitles(const std::string& path, Family* family, std::string* error) {
  CsvTable table;
  int code = 0, spanish = 0;
  if (!table.Load(path, error) || !table.Require("code", &code, error) ||
      !table.Require("description_es", &spanish, error))
    return false;
  for (const auto& row : table.rows()) {
    auto it = family->find(row[static_cast<std::size_t>(code)]);
    const std::string& title = row[static_cast<std::size_t>(spanish)];
    if (it != family->end() && !title.empty()) it->second.description = Description(title);
  }
  return true;
}

bool IsDescendant(const std::string& heading, const std::string& code) {
  return code.size() > heading.size() && code.compare(0, heading.size(), heading) == 0;
}

// A heading exists in an edition when one of the codes under it is valid there.
void MarkHeadings(Family* family) {
  for (auto it = family->begin(); it != family->end(); ++it) {
    for (auto d = std::next(it); d != family->end() && IsDescendant(it->first, d->first); ++d)
      for (int e = 0; e < kEditionCount; ++e)
        if (it->second.state[static_cast<std::size_t>(e)] == ' ' &&
            d->second.state[static_cast<std::size_t>(e)] == 'V')
          it->second.state[static_cast<std::size_t>(e)] = 'F';
  }
}

struct EditLists {
  CodeSet not_principal, manifestation, male, female, newborn, pediatric, maternity, adult,
      delivery, operating_room, narrow_surgery, proc_male, proc_female;
  std::unordered_set<std::string> adult_titles;  // adult-list codes whose title says "adult"
};

bool LoadEditLists(const std::string& dir, EditLists* lists, std::string* error) {
  const std::string e = dir + "/edits/";
  if (!LoadCodeSet(e + "dx_unacceptable_principal.csv", &lists->not_principal, error) ||
      !LoadCodeSet(e + "dx_manifestation_not_principal.csv", &lists->manifestation, error) ||
      !LoadCodeSet(e + "dx_sex_male.csv", &lists->male, error) ||
      !LoadCodeSet(e + "dx_sex_female.csv", &lists->female, error) ||
      !LoadCodeSet(e + "dx_age_newborn.csv", &lists->newborn, error) ||
      !LoadCodeSet(e + "dx_age_pediatric.csv", &lists->pediatric, error) ||
      !LoadCodeSet(e + "dx_age_maternity.csv", &lists->maternity, error) ||
      !LoadCodeSet(e + "dx_delivery.csv", &lists->delivery, error) ||
      !LoadCodeSet(e + "proc_operating_room.csv", &lists->operating_room, error) ||
      !LoadCodeSet(e + "proc_surgery_flag.csv", &lists->narrow_surgery, error, "flag", "NARROW") ||
      !LoadCodeSet(e + "proc_sex_male.csv", &lists->proc_male, error) ||
      !LoadCodeSet(e + "proc_sex_female.csv", &lists->proc_female, error))
    return false;
  // The adult list means "15 and over"; only the conditions of age belong to
  // the over-50 class, not those whose title merely says the patient is an adult.
  CsvTable adult;
  int code = 0, title = 0;
  if (!adult.Load(e + "dx_age_adult.csv", error) || !adult.Require("code", &code, error) ||
      !adult.Require("description_en", &title, error))
    return false;
  for (const auto& row : adult.rows()) {
    std::string lower = row[static_cast<std::size_t>(title)];
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    if (lower.find("adult") == std::string::npos)
      lists->adult.insert(row[static_cast<std::size_t>(code)]);
  }
  return true;
}

void ApplyListAttributes(const EditLists& l, CatalogueCode* c) {
  const std::string& k = c->code;
  if (c->kind == 'P') {
    c->sex = l.proc_male.count(k) ? '1' : l.proc_female.count(k) ? '2' : ' ';
    c->surgical = l.operating_room.count(k) || l.narrow_surgery.count(k);
    return;
  }
  c->not_principal = c->kind == 'E' || l.not_principal.count(k) || l.manifestation.count(k);
  c->sex = l.male.count(k) ? '1' : l.female.count(k) ? '2' : ' ';
  c->age_class = l.newborn.count(k)     ? '1'
                 : l.pediatric.count(k) ? '2'
                 : l.maternity.count(k) ? '3'
                 : l.adult.count(k)     ? '4'
                                        : ' ';
  c->delivery = l.delivery.count(k) > 0;
}

// A heading carries an attribute when every code under it that is valid in
// some edition carries the same one.
void InheritAttributes(Family* family) {
  for (auto it = family->begin(); it != family->end(); ++it) {
    std::optional<CatalogueCode> common;
    for (auto d = std::next(it); d != family->end() && IsDescendant(it->first, d->first); ++d) {
      const CatalogueCode& leaf = d->second;
      if (std::find(leaf.state.begin(), leaf.state.end(), 'V') == leaf.state.end()) continue;
      if (!common) {
        common = leaf;
        continue;
      }
      if (common->not_principal != leaf.not_principal) common->not_principal = false;
      if (common->sex != leaf.sex) common->sex = ' ';
      if (common->age_class != leaf.age_class) common->age_class = ' ';
      if (common->delivery != leaf.delivery) common->delivery = false;
      if (common->surgical != leaf.surgical) common->surgical = false;
    }
    if (!common) continue;
    CatalogueCode& h = it->second;
    h.not_principal = h.not_principal || common->not_principal;
    h.sex = common->sex;
    h.age_class = common->age_class;
    h.delivery = common->delivery;
    h.surgical = common->surgical;
  }
}

}  // namespace

bool LoadCatalogueCodes(const std::string& data_dir, std::vector<CatalogueCode>* codes,
                        std::string* error) {
  const std::string dir = data_dir + "/cie9mc";
  Family diagnoses, procedures;
  EditLists lists;
  if (!LoadReleases(dir + "/versions/dx_cms_v23_v32.csv", "in_v23_to_v32", 23, kDiagnosisRelease,
                    false, &diagnoses, error) ||
      !LoadHeadings(dir + "/diagnosis_categories.csv", false, &diagnoses, error) ||
      !LoadReleases(dir + "/versions/proc_cms_v27_v32.csv", "in_v27_to_v32", 27, kProcedureRelease,
                    true, &procedures, error) ||
      !LoadSpanishTitles(dir + "/procedures.csv", &procedures, error) ||
      !LoadHeadings(dir + "/procedure_categories.csv", true, &procedures, error) ||
      !LoadEditLists(dir, &lists, error))
    return false;

  codes->clear();
  for (Family* family : {&diagnoses, &procedures}) {
    MarkHeadings(family);
    for (auto& [code, entry] : *family) ApplyListAttributes(lists, &entry);
    InheritAttributes(family);
    for (auto& [code, entry] : *family) {
      // Headings of withdrawn codes may exist in no edition at all.
      if (std::count(entry.state.begin(), entry.state.end(), ' ') == kEditionCount) continue;
      codes->push_back(std::move(entry));
    }
  }
  std::sort(codes->begin(), codes->end(),
            [](const CatalogueCode& a, const CatalogueCode& b) { return a.code < b.code; });
  for (std::size_t i = 1; i < codes->size(); ++i) {
    if ((*codes)[i - 1].code >= (*codes)[i].code) {
      *error = "code " + (*codes)[i].code + " is not in ascending order or repeated";
      return false;
    }
  }
  for (const CatalogueCode& c : *codes) {
    if (c.code.empty() || c.code.size() > 6) {
      *error = "code \"" + c.code + "\" does not fit the six-character code column";
      return false;
    }
  }
  return true;
}

}  // namespace quirovel::kit
