#include "session/catalogue_session.h"

#include "platform/cp1252.h"
#include "platform/format.h"
#include "reference/catalogue_operations.h"
#include "session/session.h"
#include "validation/cmbd_layout.h"

namespace quirovel {
namespace {
constexpr int kAutomaticYear = 50;
}  // namespace

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
    s.feedback.Message(
        StrFormat("Version CIE9MC %d sin catálogo propio: se usará la del %d"_cp, year, edition));
    year = edition;
  }
  std::string_view suffix = CieSuffix(year);
  s.catalogue.Open(s.paths.ToHost(CieAttributesPath(suffix)),
                   s.paths.ToHost(CieDescriptionsPath(suffix)));
  s.catalogue.BuildSampleIndex(10);
}

std::string CodeDescription(Session& s, int field) {
  if (!s.field_map.Present(field)) return {};
  return s.catalogue.Description(CView(CmbdFieldText(s, field)), field < P1 ? 6 : 5);
}

void VersionForDischargeDate(Session& s) {
  const EpisodeEdition edition = EditionForDischargeDate(CmbdFieldText(s, FECALT));
  s.run.VersionLabel = edition.label;
  s.run.VersionPosition = edition.position;
  if (edition.out_of_range) ++s.run.OutOfRangeCount;
}

CatalogueOrderResult CheckCatalogueOrder(Session& s) {
  return CheckCatalogueOrder(s.catalogue, s.fs, s.feedback, OutputHostPath(s, "salida.txt"));
}

}  // namespace quirovel
