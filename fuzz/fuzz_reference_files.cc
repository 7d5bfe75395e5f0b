// Feeds arbitrary bytes to start-up as one of the reference files (the first
// byte chooses which: the services, the hospital and occupation code lists,
// the hospital catalogue, the postal codes, or either table of the CIE-9-MC
// catalogue), then asks every lookup of it something taken from the input.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_installation.h"
#include "reference/catalogue_operations.h"
#include "session/catalogue_session.h"
#include "session/startup.h"
#include "storage/dates.h"

using namespace quirovel;

namespace {

constexpr const char* kFiles[] = {
    kServicesFile,    kHospitalCodesFile,        kOccupationsFile,           kHospitalCatalogueFile,
    kPostalCodesFile, "C:\\QUIROVEL\\CIE02.dbf", "C:\\QUIROVEL\\CIEDE02.dbf"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1 || size > 256 * 1024) return 0;
  fuzzing::Installation inst;
  Session& s = inst.session;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  inst.PutStored(kFiles[data[0] % 7], std::string(input));
  LoadConfig(s);

  // Codes to ask for: pieces of the input itself, and a few plain ones.
  std::string codes[] = {std::string(input.substr(0, 6)),
                         std::string(input.substr(size / 2, 7)),
                         "250.00",
                         "70100",
                         "02001",
                         "      "};
  for (const std::string& code : codes) {
    s.references.services.ServiceName(code);
    s.references.hospitals.Contains(code);
    s.references.occupations.Contains(code);
    s.catalogue.FindDiagnosis(code);
    for (int c = 0; c <= 9; ++c) FUZZ_CHECK(s.catalogue.Column(c).size() <= 255);
    s.catalogue.FindProcedure(code);
    s.catalogue.Description(code, 6);
    s.catalogue.Description(code, 5);
    HospitalCodeFor(s.fs, s.feedback, s.paths, code);
  }
  for (std::int32_t postal : {1000, 28001, 99999, 1049575, 1049576,
                              static_cast<std::int32_t>(DecimalValue(input.substr(0, 9)))})
    s.references.postal_codes.PostalCodeKnown(postal);
  HospitalEntries(s.fs, s.feedback, s.paths);
  CheckCatalogueOrder(s);
  CloseConfig(s);
  return 0;
}
