// The catalogue's editions and the operations on one catalogue: which files
// each version year opens, which edition a discharge date falls in, and the
// order check of the attributes table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quirovel {

class Feedback;
class FileSystem;
class CieCatalogue;

// Suffix of a version year's files ("88" ... "06"); empty for any other year.
std::string_view CieSuffix(int version_year);
// The edition opened for a stored year: itself when it has files, 2006 for
// the automatic mode (50), else the latest edition not after it (2006 when
// none is).
int CieEditionFor(int version_year);
// "C:\QUIROVEL\CIE%s.dbf" and "C:\QUIROVEL\CIEDE%s.dbf" of a suffix.
std::string CieAttributesPath(std::string_view suffix);
std::string CieDescriptionsPath(std::string_view suffix);

// The edition a discharge date (the FECALT text) is checked against when the
// version is chosen per episode: label and position in column 3. A date before
// 1988 or no date at all gives the label "\xA8?" and is out of range.
struct EpisodeEdition {
  const char* label;
  int position;
  bool out_of_range;
};
EpisodeEdition EditionForDischargeDate(std::string_view fecalt);

struct CatalogueOrderResult {
  std::int64_t records = 0;   // "Regs %d": the last record reached minus 1
  std::int32_t repeats = 0;   // codes equal to the one before on 6 characters
  std::string repeated_list;  // "code, code, ..." (bounded, see kRepeatedListSize)
  bool out_of_order = false;
  bool stopped = false;  // a stop request ended the walk
};
// The repeated list holds about this many characters; past it the list ends
// with "..." and the caption still counts every repeat.
inline constexpr std::size_t kRepeatedListSize = 5000;

// "Analiza CIE9MC": walks the attributes table checking that codes ascend.
// Opens output_path ("salida.txt") as the check always has; a stop request
// ends the walk where it is.
CatalogueOrderResult CheckCatalogueOrder(CieCatalogue& catalogue, FileSystem& fs,
                                         Feedback& feedback, const std::string& output_path);

}  // namespace quirovel
