#include "code_pools.h"

#include <algorithm>

#include "platform/feedback.h"
#include "platform/file_system.h"
#include "storage/dbf_table.h"

namespace quirovel::gen {
namespace {

// Column 3 of the 2006 table: position 0 is 2006 itself, positions 1 to 6 the
// editions 1992, 1997, 1999, 2002, 2004 and 2006.
constexpr int kPosition2002 = 4;

bool Less(const CodeInfo* a, std::string_view b) { return a->view() < b; }

}  // namespace

bool Suits(const CodeInfo& code, char sex, int age_years, int age_months) {
  if (code.sex != ' ' && code.sex != sex) return false;
  switch (code.age_class) {
    case '1':
      return age_years == 0 && age_months < 2;
    case '2':
      return code.IsProcedure() || age_years < 25;
    case '3':
      return age_years >= 13 && age_years <= 49;
    case '4':
      return code.IsProcedure() || age_years > 50;
    default:
      return true;
  }
}

bool CodePools::Load(const std::string& install_dir, std::string* error) {
  SilentFeedback quiet;
  DbfTable table(RealFileSystem(), quiet);
  const std::string path = install_dir + "/CIE06.dbf";
  if (table.Open(path) != 1 || table.field_count() < 8) {
    *error = path + ": not a catalogue attributes table (build the installation first)";
    return false;
  }
  all_.clear();
  all_.reserve(table.record_count());
  for (std::uint32_t r = 1; r <= table.record_count() && table.ReadRecord(r) == 0; ++r) {
    CodeInfo c;
    std::string_view code = table.FieldText(1);
    while (!code.empty() && code.back() == ' ') code.remove_suffix(1);
    if (code.empty() || code.size() > 6) continue;
    std::copy(code.begin(), code.end(), c.text.begin());
    c.length = static_cast<std::uint8_t>(code.size());
    c.kind = table.FieldText(2).empty() ? 'D' : table.FieldText(2)[0];
    std::string_view validity = table.FieldText(3);
    for (std::size_t i = 0; i < c.state.size(); ++i)
      c.state[i] = i < validity.size() ? validity[i] : ' ';
    c.not_principal = table.FieldText(4).substr(0, 1) == "F";
    c.sex = table.FieldText(5).empty() ? ' ' : table.FieldText(5)[0];
    c.age_class = table.FieldText(6).empty() ? ' ' : table.FieldText(6)[0];
    c.delivery = table.FieldText(7).substr(0, 1) == "T";
    c.surgical = table.FieldText(8).substr(0, 1) == "T";
    all_.push_back(c);
  }
  for (const CodeInfo& c : all_) {
    if (c.Clean()) {
      (c.IsProcedure() ? clean_procedures_ : clean_diagnoses_).push_back(&c);
      if (c.delivery && !c.not_principal) delivery_.push_back(&c);
    } else if (c.state[kPosition2002] == ' ' && c.state[6] == 'V') {
      newer_.push_back(&c);
    } else if (c.state[kPosition2002] == 'F' &&
               (c.state[1] == 'V' || c.state[2] == 'V' || c.state[3] == 'V')) {
      outdated_.push_back(&c);
    }
  }
  if (clean_diagnoses_.empty() || clean_procedures_.empty() || delivery_.empty()) {
    *error = path + ": holds no codes valid in 2002 and 2006";
    return false;
  }
  return true;
}

const CodeInfo* CodePools::Find(std::string_view text) const {
  auto it = std::lower_bound(all_.begin(), all_.end(), text,
                             [](const CodeInfo& a, std::string_view b) { return a.view() < b; });
  return it != all_.end() && it->view() == text ? &*it : nullptr;
}

CodePools::Span CodePools::Range(std::string_view from, std::string_view to,
                                 bool procedures) const {
  const std::vector<const CodeInfo*>& clean = procedures ? clean_procedures_ : clean_diagnoses_;
  auto first = std::lower_bound(clean.begin(), clean.end(), from, Less);
  auto last = std::lower_bound(clean.begin(), clean.end(), to, Less);
  if (first >= last) return {};
  return {&*first, static_cast<std::size_t>(last - first)};
}

const CodeInfo* CodePools::HeadingOf(const CodeInfo& code) const {
  std::string_view text = code.view();
  if (text.size() < 3) return nullptr;
  text.remove_suffix(1);
  if (text.back() == '.') text.remove_suffix(1);
  const CodeInfo* heading = Find(text);
  return heading && heading->state[kPosition2002] == 'F' ? heading : nullptr;
}

}  // namespace quirovel::gen
