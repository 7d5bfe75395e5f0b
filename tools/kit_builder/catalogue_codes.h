// Every CIE-9-MC code of the sample catalogue with its state in each edition
// and its attributes, derived from the public code lists under data/cie9mc.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace quirovel::kit {

inline constexpr int kEditionCount = 7;
inline constexpr std::array<int, kEditionCount> kEditionYears = {1988, 1992, 1997, 1999,
                                                                 2002, 2004, 2006};
inline constexpr std::array<const char*, kEditionCount> kEditionSuffixes = {"88", "92", "97", "99",
                                                                            "02", "04", "06"};
// The public lists go back to CMS release 23 for diagnoses and 27 for
// procedures; each edition stands on one release so that editions differ the
// way real ones did (codes added, subdivided, withdrawn).
inline constexpr std::array<int, kEditionCount> kDiagnosisRelease = {23, 24, 25, 26, 27, 28, 32};
inline constexpr std::array<int, kEditionCount> kProcedureRelease = {27, 27, 28, 29, 30, 31, 32};

struct CatalogueCode {
  std::string code;  // as a CMBD-A file holds it, point included ("250.01", "E816.0", "37.21")
  char kind = 'D';   // 'D' diagnosis, 'V' supplementary, 'E' external cause, 'P' procedure
  // Per edition: ' ' the code does not exist, 'F' it exists as a heading that
  // is not valid for coding, 'V' valid.
  std::array<char, kEditionCount> state{' ', ' ', ' ', ' ', ' ', ' ', ' '};
  bool not_principal = false;
  char sex = ' ';        // ' ' any, '1' men only, '2' women only
  char age_class = ' ';  // ' ' any, '1' newborn, '2' under 25, '3' 13 to 49, '4' over 50
  bool delivery = false;
  bool surgical = false;
  std::string description;  // Windows-1252, at most 72 characters, no trailing blanks
};

// All codes of every edition, in strictly ascending byte order of the code.
// False with the reason in *error when a list is missing or malformed.
bool LoadCatalogueCodes(const std::string& data_dir, std::vector<CatalogueCode>* codes,
                        std::string* error);

}  // namespace quirovel::kit
