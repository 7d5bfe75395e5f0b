// The catalogue operations of the running program: opening the edition of the
// configured version year, describing a code of the current episode, choosing
// the edition by discharge date, and the catalogue order check.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quirovel {

struct Session;

// Suffix of a version year's files ("88" ... "06"); empty for any other year.
std::string_view CieSuffix(int version_year);
// The edition opened for a stored year: itself when it has files, 2006 for
// the automatic mode (50), else the latest edition not after it (2006 when
// none is).
int CieEditionFor(int version_year);
// "C:\QUIROVEL\CIE%s.dbf" and "C:\QUIROVEL\CIEDE%s.dbf" of a suffix.
std::string CieAttributesPath(std::string_view suffix);
std::string CieDescriptionsPath(std::string_view suffix);

// Closes and reopens both tables for the configured version year, then
// rebuilds the sample index with step 10. Year 50 shows "Version incorrecta:
// Se activará la del 2006" and stores 2006 in the record.
void OpenCieCatalogue(Session& s);

// Description of the code held in field f of the current episode.
std::string CodeDescription(Session& s, int field);

// Sets s.run.VersionLabel and VersionPosition from the current episode's FECALT.
void VersionForDischargeDate(Session& s);

struct CatalogueOrderResult {
  std::int64_t records = 0;    // "Regs %d": the last record reached minus 1
  std::int32_t repeats = 0;    // codes equal to the one before on 6 characters
  std::string repeated_list;   // "code, code, ..." (bounded, see kRepeatedListSize)
  bool out_of_order = false;
};
// The repeated list holds about this many characters; past it the list ends
// with "..." and the caption still counts every repeat.
inline constexpr std::size_t kRepeatedListSize = 5000;

// "Analiza CIE9MC": walks the attributes table checking that codes ascend.
CatalogueOrderResult CheckCatalogueOrder(Session& s);

}  // namespace quirovel
