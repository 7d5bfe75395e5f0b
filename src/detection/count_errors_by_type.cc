#include <array>

#include "detection/error_grouping.h"
#include "output/output_path.h"
#include "session/session.h"
#include "validation/error_catalogue.h"
#include "validation/error_entry.h"
#include "validation/error_log_reader.h"

namespace quirovel {

bool CountErrorsByType(Session& s, std::array<std::int32_t, 72>* counts) {
  ErrorLogReader log;
  if (!log.Open(s.fs, OutputHostPath(s, "fallos.dat"))) {
    s.feedback.Message("error al abrir fallos.dat");
    return false;
  }
  std::array<std::int32_t, 72> found{};
  const std::int32_t n = s.config.ErrorCount();
  bool whole = true;
  for (std::int32_t k = 1; k <= n; ++k) {
    if ((k & 1023) == 0 && s.feedback.StopRequested()) return false;
    ErrorLogReader::Bytes entry;
    if (!log.Read(k, &entry)) {
      // The log holds fewer entries than the count says: what it holds is
      // counted, and the shortfall said.
      s.feedback.Message("error lectura errores");
      whole = false;
      break;
    }
    int number = ErrorEntry::Decode(entry.data()).error;
    if (number >= 1 && number <= kCatalogueSize) ++found[static_cast<std::size_t>(number)];
  }
  *counts = found;
  if (s.run.count_view != nullptr)
    for (int e = 1; e <= kCatalogueSize; ++e)
      s.run.count_view->ErrorCountChanged(e - 1, found[static_cast<std::size_t>(e)]);
  return whole;
}

}  // namespace quirovel
