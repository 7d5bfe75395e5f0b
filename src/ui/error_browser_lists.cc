#include "ui/error_browser_lists.h"

#include "output/progress_tracker.h"
#include "platform/format.h"
#include "session/episode_walk.h"
#include "session/session.h"
#include "validation/error_catalogue.h"
#include "validation/error_log_reader.h"

namespace quirovel {
namespace {

// A numeric field's value as a decimal integer: blanks, a sign, digits.
long SignedValue(std::string_view text) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string_view::npos) return 0;
  const bool negative = text[i] == '-';
  if (text[i] == '-' || text[i] == '+') ++i;
  long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 100000000000L; ++i)
    value = value * 10 + (text[i] - '0');
  return negative ? -value : value;
}

}  // namespace

bool ListHistoryErrors(Session& s, std::string_view historia, std::vector<HistoryErrorRow>* rows) {
  rows->clear();
  ErrorLogReader log;
  if (!log.Open(s.fs, OutputHostPath(s, "fallos.dat"))) {
    s.feedback.Message("error al abrir fallos.dat");
    return false;
  }
  const std::int64_t count = s.config.ErrorCount();
  ProgressTracker progress(s.feedback);
  progress.Start(static_cast<long>(count));
  ErrorLogReader::Bytes bytes{};
  for (std::int64_t k = 1; k <= count && log.Read(k, &bytes); ++k) {
    if (k % 1024 == 0 && s.feedback.StopRequested()) return false;
    progress.Step(static_cast<long>(k));
    const ErrorEntry entry = ErrorEntry::Decode(bytes.data());
    if (s.table.ReadRecord(entry.record) != 0) {
      s.feedback.Message("ERROR AL LEER FICHERO CMBD");
      return false;
    }
    if (CView(CmbdFieldText(s, HISTORIA)) != historia) continue;
    HistoryErrorRow row{
        std::string(ErrorText(entry.error)), std::string(CmbdFieldText(s, FECALT)), {}};
    for (std::uint32_t f : {entry.field, entry.related1, entry.related2}) {
      if (f == 0) continue;
      const int k_field = static_cast<int>(f);
      row.valores += StrFormat("%s=[%s]  ", std::string(CmbdFieldName(k_field)).c_str(),
                               std::string(CView(CmbdFieldText(s, k_field))).c_str());
    }
    rows->push_back(std::move(row));
  }
  return true;
}

bool CountFieldFrequencies(Session& s, FieldFrequencies* f) {
  *f = FieldFrequencies{};
  if (!ReopenCurrentTable(s)) return false;
  f->records = s.table.record_count();
  std::array<char, kCmbdFieldCount + 1> type{};
  for (int k = 1; k <= kCmbdFieldCount; ++k)
    if (s.field_map.Present(k))
      type[static_cast<std::size_t>(k)] = s.table.Descriptor(s.field_map.TableField(k)).type;
  ProgressTracker progress(s.feedback);
  const WalkResult walk = WalkEpisodes(s, progress, [&](std::int64_t) {
    for (int k = 1; k <= kCmbdFieldCount; ++k) {
      const char t = type[static_cast<std::size_t>(k)];
      if (t == 0) continue;
      const std::string_view text = CView(CmbdFieldText(s, k));
      const bool filled =
          t == 'N' ? SignedValue(text) != 0 : text.find_first_not_of(' ') != std::string_view::npos;
      if (filled) ++f->filled[static_cast<std::size_t>(k)];
    }
    return true;
  });
  progress.Finish();
  return walk.end != WalkEnd::kStopped;
}

std::string FrequencyBoxText(const FieldFrequencies& f, int k) {
  const std::int64_t n = f.filled[static_cast<std::size_t>(k)];
  const double percent = f.records > 0 ? 100.0 * static_cast<double>(n) / f.records : 0.0;
  return StrFormat("    %7ld           %5.1f %% ", static_cast<long>(n), percent);
}

std::string OverallFillRate(const FieldFrequencies& f, const ConfigRecord& config) {
  std::int64_t marked = 0, filled = 0;
  for (int i = 0; i < kCmbdFieldCount; ++i) {
    if (!config.CompletenessField(i)) continue;
    ++marked;
    filled += f.filled[static_cast<std::size_t>(i + 1)];
  }
  if (marked == 0 || f.records == 0) return "0/0";
  return StrFormat("%6.2f %%", 100.0 * static_cast<double>(filled) /
                                   (static_cast<double>(f.records) * static_cast<double>(marked)));
}

}  // namespace quirovel
