#include "validation/hospital_codes.h"

#include "validation/code_text.h"

namespace quirovel {

// "708" stands twice and "023" where "203" would be expected; the list is kept
// as the hospitals know it.
const std::string_view kProvincialHospitalList =
    "003 004 005 007 009 010 011 012 013 015 017 018 019 024 025 026 028 029 031 032 033 034 036 "
    "038 039 041 042 043 044 045 046 048 050 101 102 103 201 202 023 204 205 206 207 208 209 210 "
    "301 302 401 402 403 501 502 503 601 602 603 604 701 702 703 704 705 706 708 707 708 709 710 "
    "711 712 713 714 715 716 801 802 803 804 805 806 807 808 809 810 811 812 813 814 815";

bool HospitalCodeAccepted(std::string_view code, std::string_view own_hospital,
                          const CodeIndex& hospital_codes) {
  if (SameText(code, "99999")) return true;
  if ((BeginsWithText(code, "02") || BeginsWithText(code, "11")) &&
      kProvincialHospitalList.find(code.substr(2)) != std::string_view::npos &&
      !SameText(code, own_hospital))
    return true;
  return hospital_codes.Contains(code);
}

}  // namespace quirovel
