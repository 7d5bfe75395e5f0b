#include "reference/catalogue_operations.h"

#include "platform/cp1252.h"
#include "platform/format.h"
#include "reference/cie_catalogue.h"
#include "reference/install_paths.h"

namespace quirovel {
namespace {

struct Edition {
  int year;
  const char* suffix;
};
constexpr Edition kEditions[] = {{2006, "06"}, {2004, "04"}, {2002, "02"}, {1999, "99"},
                                 {1997, "97"}, {1992, "92"}, {1988, "88"}};

constexpr int kAutomaticYear = 50;

}  // namespace

std::string_view CieSuffix(int version_year) {
  for (const Edition& e : kEditions)
    if (e.year == version_year) return e.suffix;
  return {};
}

int CieEditionFor(int version_year) {
  if (version_year == kAutomaticYear) return 2006;
  for (const Edition& e : kEditions)
    if (e.year <= version_year) return e.year;
  return 2006;
}

std::string CieAttributesPath(std::string_view suffix) {
  return StrFormat("C:\\QUIROVEL\\CIE%s.dbf", std::string(suffix).c_str());
}

std::string CieDescriptionsPath(std::string_view suffix) {
  return StrFormat("C:\\QUIROVEL\\CIEDE%s.dbf", std::string(suffix).c_str());
}

EpisodeEdition EditionForDischargeDate(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  std::int64_t d = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    d = d * 10 + (text[i] - '0');
    if (d > 99999999) break;  // more digits than a date holds: later than any edition
  }
  static constexpr EpisodeEdition kEditionsByDate[] = {{"2002", 4, false},
                                                       {"1999", 3, false},
                                                       {"1997", 2, false},
                                                       {"1992", 1, false},
                                                       {"1988", 0, false}};
  static constexpr std::int64_t kFrom[] = {20020101, 19990101, 19970101, 19920101, 19880101};
  for (std::size_t k = 0; k < 5; ++k)
    if (d >= kFrom[k]) return kEditionsByDate[k];
  return {"\xA8\x3F", 4, true};
}

CatalogueOrderResult CheckCatalogueOrder(CieCatalogue& catalogue, FileSystem& fs,
                                         Feedback& feedback, const std::string& output_path) {
  CatalogueOrderResult result;
  feedback.ShowStatus("Analiza ZKCIE9MC");
  std::unique_ptr<File> output = fs.Open(output_path, OpenMode::kCreateTruncate);
  if (!output) feedback.Message("Error al abrir el fichero de salida.txt");

  DbfTable& table = catalogue.attributes();
  const std::int64_t count = table.is_open() ? table.record_count() : 0;
  std::string previous;
  bool list_full = false;
  std::int64_t r = 1;
  for (; r <= count && table.ReadRecord(r) == 0; ++r) {
    if ((r & 1023) == 0 && feedback.StopRequested()) {
      result.stopped = true;
      break;
    }
    std::string_view code = table.FieldText(1);
    if (CompareCodes(previous, code, 6) == 0) {
      ++result.repeats;
      if (!list_full) {
        if (result.repeated_list.size() + previous.size() + 2 + 3 <= kRepeatedListSize) {
          result.repeated_list += previous + ", ";
        } else {
          result.repeated_list += "...";
          list_full = true;
        }
      }
    }
    if (CompareCodes(previous, code, 7) > 0) {
      result.out_of_order = true;
      feedback.Message(previous + " > " + std::string(code), "Fichero CIE9MC desordenado");
      break;
    }
    previous = code;
  }
  result.records = r - 1;
  feedback.ShowStatus(StrFormat("Regs %ld", static_cast<long>(result.records)));
  if (!result.repeated_list.empty())
    feedback.Message(result.repeated_list,
                     StrFormat("%d códigos repetidos"_cp, static_cast<int>(result.repeats)));
  return result;
}

}  // namespace quirovel
