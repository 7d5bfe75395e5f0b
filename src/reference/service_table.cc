#include "platform/cp1252.h"
#include "platform/format.h"
#include "reference/reference_tables.h"
#include "reference/text_lines.h"

namespace quirovel {

void ServiceTable::Load(FileSystem& fs, Feedback& feedback, const std::string& host_path) {
  Clear();
  std::unique_ptr<File> file = fs.Open(host_path, OpenMode::kRead);
  if (!file) {
    feedback.Message("Error al abrir fichero de servicios.txt");
    return;
  }
  TextLineReader reader(*file);
  std::string line;
  if (!reader.Next(&line)) {  // the header line, kept out of every slot
    if (reader.read_failed()) feedback.Message("Error al abrir fichero de servicios.txt");
    return;
  }
  int next = 1;
  long extra = 0;
  while (reader.Next(&line)) {
    if (next >= kSlots) {
      if (++extra <= kRepeatedMessages) feedback.Message("Numero de servicios incorrecto");
      continue;
    }
    Slot& slot = slots_[static_cast<std::size_t>(next++)];
    slot.code = line.substr(0, kCodeSize);
    slot.name = line.size() > kCodeSize ? line.substr(kCodeSize, kNameSize) : std::string();
  }
  if (extra > kRepeatedMessages)
    feedback.Message(
        StrFormat("Numero de servicios incorrecto: %ld líneas de servicios.txt "
                  "sin cargar (solo caben 40 servicios)"_cp,
                  extra));
  if (reader.read_failed()) feedback.Message("Error al abrir fichero de servicios.txt");
}

std::string ServiceTable::ServiceName(std::string_view code) const {
  for (const Slot& slot : slots_)
    if (slot.code == code) return slot.name;
  return "Error";
}

}  // namespace quirovel
