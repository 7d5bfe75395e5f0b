#include "reference/catalogue_operations.h"

#include "app/session.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "reference/install_paths.h"
#include "ui/output_path.h"

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

void OpenCieCatalogue(Session& s) {
  s.catalogue.Close();
  int year = s.config.VersionYear();
  if (year == kAutomaticYear) {
    s.feedback.Message("Version incorrecta: Se activará la del 2006"_cp);
    s.config.SetVersionYear(2006);
    year = 2006;
  }
  if (CieSuffix(year).empty()) {
    // A year no edition carries: open the edition in force that year, and keep
    // the stored year as it is (the configuration page shows no button for it).
    int edition = CieEditionFor(year);
    s.feedback.Message(StrFormat("Version CIE9MC %d sin catálogo propio: se usará la del %d"_cp,
                                 year, edition));
    year = edition;
  }
  std::string_view suffix = CieSuffix(year);
  s.catalogue.Open(s.paths.ToHost(CieAttributesPath(suffix)),
                   s.paths.ToHost(CieDescriptionsPath(suffix)));
  s.catalogue.BuildSampleIndex(10);
}

std::string CodeDescription(Session& s, int field) {
  if (!s.field_map.Present(field)) return {};
  return s.catalogue.Description(CmbdFieldText(s, field), field < P1 ? 6 : 5);
}

void VersionForDischargeDate(Session& s) {
  std::string_view text = CmbdFieldText(s, FECALT);
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  std::int64_t d = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    d = d * 10 + (text[i] - '0');
    if (d > 99999999) break;  // more digits than a date holds: later than any edition
  }
  struct Step {
    std::int64_t from;
    const char* label;
    int position;
  };
  static constexpr Step kSteps[] = {{20020101, "2002", 4}, {19990101, "1999", 3},
                                    {19970101, "1997", 2}, {19920101, "1992", 1},
                                    {19880101, "1988", 0}};
  for (const Step& step : kSteps) {
    if (d >= step.from) {
      s.run.VersionLabel = step.label;
      s.run.VersionPosition = step.position;
      return;
    }
  }
  s.run.VersionLabel = "\xA8\x3F";
  s.run.VersionPosition = 4;
  ++s.run.OutOfRangeCount;
}

CatalogueOrderResult CheckCatalogueOrder(Session& s) {
  CatalogueOrderResult result;
  s.feedback.Status("Analiza ZKCIE9MC");
  std::unique_ptr<File> output = s.fs.Open(OutputHostPath(s, "salida.txt"), OpenMode::kCreateTruncate);
  if (!output) s.feedback.Message("Error al abrir el fichero de salida.txt");

  DbfTable& table = s.catalogue.attributes();
  const std::int64_t count = table.is_open() ? table.record_count() : 0;
  std::string previous;
  bool list_full = false;
  std::int64_t r = 1;
  for (; r <= count && table.ReadRecord(r) == 0; ++r) {
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
      s.feedback.Message(previous + " > " + std::string(code),
                         "Fichero CIE9MC desordenado");
      break;
    }
    previous = code;
  }
  result.records = r - 1;
  s.feedback.Status(StrFormat("Regs %ld", static_cast<long>(result.records)));
  if (!result.repeated_list.empty())
    s.feedback.Message(result.repeated_list,
                       StrFormat("%d códigos repetidos"_cp, static_cast<int>(result.repeats)));
  return result;
}

}  // namespace quirovel
