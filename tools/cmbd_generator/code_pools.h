// The catalogue codes the generator draws from, read from the 2006 tables of
// the installation it writes for, with the attributes that decide whether a
// code suits a patient.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quirovel::gen {

struct CodeInfo {
  std::array<char, 8> text{};  // NUL-terminated, at most 6 characters
  std::uint8_t length = 0;
  char kind = 'D';              // 'D', 'V', 'E', 'P'
  std::array<char, 7> state{};  // column 3 of the 2006 table
  bool not_principal = false;
  char sex = ' ';
  char age_class = ' ';
  bool delivery = false;
  bool surgical = false;

  std::string_view view() const { return {text.data(), length}; }
  // Valid both in the 2002 edition (the default configuration) and in 2006.
  bool Clean() const { return state[4] == 'V' && state[6] == 'V'; }
  bool IsProcedure() const { return kind == 'P'; }
};

// Whether a code may be coded for this patient without an age or sex error.
bool Suits(const CodeInfo& code, char sex, int age_years, int age_months);

class CodePools {
 public:
  // Reads "<install_dir>/CIE06.dbf"; false with the reason in *error.
  bool Load(const std::string& install_dir, std::string* error);

  // Any code of any edition, or null.
  const CodeInfo* Find(std::string_view text) const;
  // Clean diagnoses (or procedures) whose text lies in [from, to) (byte
  // order); empty when none. The two kinds are kept apart because their
  // codes interleave: "31.5" sorts between "290" and "320".
  struct Span {
    const CodeInfo* const* first = nullptr;
    std::size_t count = 0;
  };
  Span Range(std::string_view from, std::string_view to, bool procedures = false) const;
  // The heading just above a clean code ("250.0" for "250.00"), or null.
  const CodeInfo* HeadingOf(const CodeInfo& code) const;

  const std::vector<const CodeInfo*>& clean_diagnoses() const { return clean_diagnoses_; }
  const std::vector<const CodeInfo*>& clean_procedures() const { return clean_procedures_; }
  const std::vector<const CodeInfo*>& delivery_codes() const { return delivery_; }
  const std::vector<const CodeInfo*>& outdated_codes() const { return outdated_; }
  const std::vector<const CodeInfo*>& newer_codes() const { return newer_; }

 private:
  std::vector<CodeInfo> all_;                      // catalogue order
  std::vector<const CodeInfo*> clean_diagnoses_;   // clean D, V and E codes, catalogue order
  std::vector<const CodeInfo*> clean_procedures_;  // clean procedures, catalogue order
  std::vector<const CodeInfo*> delivery_;          // clean principal diagnoses that are deliveries
  std::vector<const CodeInfo*> outdated_;          // valid before 2002, subdivided by then
  std::vector<const CodeInfo*> newer_;             // new after 2002
};

}  // namespace quirovel::gen
