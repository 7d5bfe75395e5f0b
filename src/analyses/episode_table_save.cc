#include "analyses/episode_table_save.h"

#include <cctype>
#include <vector>

#include "analyses/episode_table.h"
#include "detection/report_text.h"
#include "platform/cp1252.h"
#include "session/session.h"
#include "storage/dbf_table.h"
#include "storage/table_files.h"

namespace quirovel {
namespace {

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The text right-aligned in `width` characters; a longer one keeps its first ones.
std::string RightAligned(std::string_view text, std::size_t width) {
  if (text.size() >= width) return std::string(text.substr(0, width));
  return std::string(width - text.size(), ' ') + std::string(text);
}

}  // namespace

bool SaveEpisodeTable(Session& s, const EpisodeTable& table) {
  const std::string path = OutputHostPath(s, "TABLA.DBF");
  const std::string current = s.config.CurrentPath();
  if (Upper(OutputPath(s, "TABLA.DBF")) == Upper(current) ||
      Upper(path) == Upper(s.paths.ToHost(current))) {
    s.feedback.Message("El fichero TABLA.DBF está utilizandose en la detección."_cp);
    return false;
  }
  s.feedback.ShowStatus("Exportando...");
  const std::string temporary = path + ".tmp";
  const std::vector<std::string_view> layout(kCmbdLayout.begin(), kCmbdLayout.end());
  DbfTable out(s.fs, s.feedback);
  if (!Create(s.fs, s.feedback, layout, temporary) || out.Open(temporary) != 1) {
    s.fs.Remove(temporary);
    s.feedback.Message("Error al abrir TABLA.DBF");
    return false;
  }
  std::array<std::size_t, kCmbdFieldCount + 1> widths{};
  for (int i = 1; i <= kCmbdFieldCount; ++i)
    widths[static_cast<std::size_t>(i)] = static_cast<std::size_t>(out.Descriptor(i).width);
  bool whole = true;
  std::int64_t loaded = -1;
  for (std::size_t row = 0; row < table.size() && whole; ++row) {
    if ((row & 1023) == 1023 && s.feedback.StopRequested()) whole = false;
    if (whole && table.Record(row) != loaded) {
      // An episode that can no longer be read leaves the table incomplete:
      // none is written.
      if (ReadRecordAfter(s.table, loaded, table.Record(row)) != 0) {
        s.feedback.Message("ERROR AL LEER FICHERO CMBD");
        whole = false;
        break;
      }
      loaded = table.Record(row);
    }
    for (int i = 1; i <= kCmbdFieldCount; ++i)
      out.SetFieldText(
          i, RightAligned(CView(RowField(s, i - 1)), widths[static_cast<std::size_t>(i)]));
    if (whole && !out.Append()) whole = false;
  }
  out.Close();
  if (!whole || !s.fs.Rename(temporary, path)) {
    s.fs.Remove(temporary);
    s.feedback.ShowStatus(s.feedback.StopRequested() ? "TABLA.DBF no generado: cancelado"
                                                     : "TABLA.DBF no generado");
    return false;
  }
  s.feedback.ShowStatus("-> tabla.dbf");
  return true;
}

}  // namespace quirovel
