#include "platform/cp1252.h"
#include "platform/format.h"
#include "reference/install_paths.h"
#include "reference/reference_tables.h"
#include "reference/text_lines.h"

namespace quirovel {

void LoadCodeList(FileSystem& fs, Feedback& feedback, const std::string& host_path,
                  std::string_view file_name, std::size_t width, CodeIndex* list) {
  list->Clear();
  std::unique_ptr<File> file = fs.Open(host_path, OpenMode::kRead);
  const std::string open_error = "Error al abrir fichero de " + std::string(file_name);
  if (!file) {
    feedback.Message(open_error);
    return;
  }
  TextLineReader reader(*file);
  std::string line;
  long lines = 0, duplicates = 0;
  while (reader.Next(&line)) {
    // A blank line holds no code (it used to enter the list as a bare line
    // end, which no field can equal).
    if (line.empty()) continue;
    if (++lines > kMaxListCodes) {
      feedback.Message(
          StrFormat("El fichero %s tiene más de %ld códigos: no se cargan los demás"_cp,
                    std::string(file_name).c_str(), kMaxListCodes));
      break;
    }
    std::string_view code = std::string_view(line).substr(0, width);
    if (list->Contains(code) && ++duplicates > kRepeatedDuplicates) continue;
    list->Insert(code, feedback);
  }
  if (duplicates > kRepeatedDuplicates)
    feedback.Message(StrFormat("Btree: Código duplicado: %ld códigos repetidos en %s"_cp,
                               duplicates, std::string(file_name).c_str()));
  if (reader.read_failed()) feedback.Message(open_error);
}

void LoadReferenceTables(FileSystem& fs, Feedback& feedback, const HostPaths& paths,
                         ReferenceTables* tables) {
  tables->services.Load(fs, feedback, paths.ToHost(kServicesFile));
  LoadCodeList(fs, feedback, paths.ToHost(kHospitalCodesFile), "hospitnosas.txt", 5,
               &tables->hospitals);
  LoadCodeList(fs, feedback, paths.ToHost(kOccupationsFile), "ocupaciones.txt", 3,
               &tables->occupations);
}

}  // namespace quirovel
