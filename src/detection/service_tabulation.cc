#include "detection/service_tabulation.h"

#include "app/session.h"
#include "detection/log_block_reader.h"
#include "detection/report_text.h"
#include "storage/dates.h"
#include "validation/cmbd_layout.h"

namespace quirovel {

ServiceTabulation TabulateByService(Session& s, const std::string& log_path) {
  ServiceTabulation t;
  for (int slot = 1; slot <= 40; ++slot)
    t.rows[static_cast<std::size_t>(slot)].code = s.references.services.slot(slot).code;

  LogBlockReader log;
  if (!log.Open(s.fs, log_path)) {
    s.feedback.Message("error lectura errores");
    return t;
  }
  const bool has_servalt = s.field_map.Present(SERVALT);
  const bool has_fecalt = s.field_map.Present(FECALT);
  std::int64_t loaded = -1;  // the episode in the table's buffer
  int row = 0;               // its service row, 0 for none
  std::string date;
  // Entries past the first one that could not be stored are not in the log.
  const std::int64_t stored =
      s.run.FirstLostEntry != 0 ? s.run.FirstLostEntry - 1 : s.run.ErrorCount;
  for (std::int64_t k = 1; k <= stored; ++k) {
    LogBlockReader::Bytes entry;
    if (!log.Read(k, &entry)) {
      s.feedback.Message("error lectura errores");
      break;
    }
    const std::int64_t record = EntryRecordNumber(entry);
    // Errors of one episode follow each other in the log: it is read and
    // looked up once.
    if (record != loaded) {
      if (ReadRecordAfter(s.table, loaded, record) != 0) {
        s.feedback.Message("ERROR AL LEER FICHERO CMBD");
        break;
      }
      loaded = record;
      const std::string service = has_servalt ? CText(CmbdFieldText(s, SERVALT)) : " ";
      date = has_fecalt ? CText(CmbdFieldText(s, FECALT)) : " ";
      row = 0;
      for (int slot = 1; slot <= 40 && row == 0; ++slot)
        if (t.rows[static_cast<std::size_t>(slot)].code == service) row = slot;
    }
    if (row == 0) continue;
    auto& counted = t.rows[static_cast<std::size_t>(row)];
    ++counted.count;
    long month = date.size() > 4 ? DecimalValue(std::string_view(date).substr(4, 2)) : 0;
    if (month >= 1 && month <= 12) ++counted.months[static_cast<std::size_t>(month)];
  }
  return t;
}

}  // namespace quirovel
