#include "platform/cp1252.h"
#include "platform/format.h"
#include "reference/install_paths.h"
#include "reference/reference_tables.h"
#include "reference/text_lines.h"

namespace quirovel {

// Outside the template below: some compilers do not evaluate a literal
// operator that is consteval inside a template's body.
constexpr const char* kTooManyHospitals =
    "El fichero hospital.dat tiene más de %ld hospitales: no se leen los demás"_cp;
namespace {

// Walks "hospital.dat" entry by entry (code, name) until visit returns false.
template <typename Visit>
void WalkHospitals(FileSystem& fs, Feedback& feedback, const HostPaths& paths, Visit visit) {
  std::unique_ptr<File> file = fs.Open(paths.ToHost(kHospitalCatalogueFile), OpenMode::kRead);
  if (!file) {
    feedback.Message("Error al abrir fichero de hospitales");
    return;
  }
  TextLineReader reader(*file);
  std::string line;
  long entries = 0;
  while (reader.Next(&line)) {
    if (line.empty()) continue;  // a blank line is no hospital
    if (++entries > HospitalCatalogue::kMaxEntries) {
      feedback.Message(StrFormat(kTooManyHospitals, HospitalCatalogue::kMaxEntries));
      return;
    }
    std::string_view text = line;
    if (!visit(text.substr(0, 5), text.size() > 5 ? text.substr(5) : std::string_view())) return;
  }
  if (reader.read_failed()) feedback.Message("Error al abrir fichero de hospitales");
}

}  // namespace

std::vector<std::string> HospitalNames(FileSystem& fs, Feedback& feedback, const HostPaths& paths) {
  std::vector<std::string> names;
  WalkHospitals(fs, feedback, paths, [&](std::string_view, std::string_view name) {
    names.emplace_back(name);
    return true;
  });
  return names;
}

std::vector<std::pair<std::string, std::string>> HospitalEntries(FileSystem& fs, Feedback& feedback,
                                                                 const HostPaths& paths) {
  std::vector<std::pair<std::string, std::string>> entries;
  WalkHospitals(fs, feedback, paths, [&](std::string_view code, std::string_view name) {
    entries.emplace_back(code, name);
    return true;
  });
  return entries;
}

std::string HospitalCodeFor(FileSystem& fs, Feedback& feedback, const HostPaths& paths,
                            std::string_view name) {
  std::string found = "Error";
  WalkHospitals(fs, feedback, paths, [&](std::string_view code, std::string_view entry) {
    if (entry != name) return true;
    found = code;
    return false;
  });
  return found;
}

}  // namespace quirovel
