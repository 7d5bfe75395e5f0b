#include "detection/service_tabulation.h"

#include "detection/report_text.h"
#include "session/session.h"
#include "storage/dates.h"
#include "storage/short_key.h"
#include "validation/cmbd_layout.h"
#include "validation/error_log_reader.h"

namespace quirovel {
namespace {

// Never the packing of a text of kShortKeyMax bytes or fewer.
constexpr std::uint64_t kLongCode = ~std::uint64_t{0};

std::uint64_t RowKey(std::string_view code) {
  return code.size() <= kShortKeyMax ? PackShortKey(code) : kLongCode;
}

}  // namespace

ServiceTabulation EmptyTabulation(const Session& s) {
  ServiceTabulation t;
  for (int slot = 1; slot <= 40; ++slot) {
    const auto i = static_cast<std::size_t>(slot);
    t.rows[i].code = s.references.services.slot(slot).code;
    t.keys[i] = RowKey(t.rows[i].code);
  }
  return t;
}

EpisodeCell CellOfEpisode(const Session& s, const ServiceTabulation& t) {
  EpisodeCell cell;
  const std::string_view service =
      s.field_map.Present(SERVALT) ? CView(CmbdFieldText(s, SERVALT)) : " ";
  const std::string_view date = s.field_map.Present(FECALT) ? CView(CmbdFieldText(s, FECALT)) : " ";
  cell.row = t.RowOf(service);
  cell.month = date.size() > 4 ? DecimalValue(date.substr(4, 2)) : 0;
  return cell;
}

void CountInCell(ServiceTabulation* t, const EpisodeCell& cell, std::int32_t errors) {
  if (cell.row == 0) return;
  auto& counted = t->rows[static_cast<std::size_t>(cell.row)];
  counted.count += errors;
  if (cell.month >= 1 && cell.month <= 12)
    counted.months[static_cast<std::size_t>(cell.month)] += errors;
}

ServiceTabulation TabulateByService(Session& s, const std::string& log_path) {
  ServiceTabulation t = EmptyTabulation(s);
  ErrorLogReader log;
  if (!log.Open(s.fs, log_path)) {
    s.feedback.Message("error lectura errores");
    return t;
  }
  const std::int64_t stored = s.run.StoredEntryCount();
  ErrorLogReader::Bytes entry;
  // The log holds entries 1..stored when it holds the last of them.
  if (s.run.tally_complete && (stored == 0 || log.Read(stored, &entry))) return s.run.tally;

  std::int64_t loaded = -1;  // the episode in the table's buffer
  EpisodeCell cell;
  for (std::int64_t k = 1; k <= stored; ++k) {
    if ((k & 1023) == 0 && s.feedback.StopRequested()) break;
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
      cell = CellOfEpisode(s, t);
    }
    CountInCell(&t, cell, 1);
  }
  return t;
}

}  // namespace quirovel
