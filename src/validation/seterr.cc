#include "validation/seterr.h"

#include <chrono>
#include <cstdio>

#include "output/line_builder.h"
#include "platform/format.h"
#include "storage/dates.h"
#include "validation/check_context.h"
#include "validation/checks.h"
#include "validation/error_catalogue.h"

namespace quirovel {
namespace {

constexpr std::int64_t kStatusInterval = 100'000'000;  // nanoseconds

// "%*s": right-aligned in at least width characters, never cut.
void AppendPadded(LineBuilder& out, std::string_view text, std::size_t width) {
  text = CView(text);
  if (text.size() < width) out.Repeat(' ', width - text.size());
  out.Append(text);
}

// "%*d".
void AppendNumber(LineBuilder& out, long value, std::size_t width) {
  char digits[24];
  int n = std::snprintf(digits, sizeof digits, "%ld", value);
  AppendPadded(out, std::string_view(digits, static_cast<std::size_t>(n)), width);
}

// As ReportFile::Write: every "\n" goes out as "\r\n". Most lines hold only
// their final one, which is turned in place.
void WriteReportLine(ReportFile& report, std::string& line) {
  if (!line.empty() && line.back() == '\n' && line.find('\n') == line.size() - 1) {
    line.back() = '\r';
    line.push_back('\n');
    report.WriteRaw(line);
  } else {
    report.Write(line);
  }
}

std::int64_t Now() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void AppendDetail(const CheckContext& c, const ErrorInfo& info, LineBuilder& out) {
  auto raw = [&](int k) { return CmbdFieldText(c, k); };
  auto named = [&](int k, std::size_t width) {
    out.Append(CmbdFieldName(k));
    out.Push('=');
    AppendPadded(out, raw(k), width);
  };
  switch (info.detail) {
    case ErrorDetail::kNone:
      break;
    case ErrorDetail::kNamedRaw1:
      named(info.detail_field, 1);
      break;
    case ErrorDetail::kNamedRaw6:
      named(info.detail_field, 6);
      break;
    case ErrorDetail::kNamedRaw:
      named(info.detail_field, 0);
      break;
    case ErrorDetail::kBirthAge:
      named(FECING, 0);
      out.Push(' ');
      named(FECNAC, 0);
      out.Append(" edad =");
      AppendNumber(out, c.record.AgeYears, 3);
      break;
    case ErrorDetail::kAge:
      out.Append("Edad=");
      AppendNumber(out, c.record.AgeYears, 3);
      break;
    case ErrorDetail::kFecalt:
      out.Append("fecalt ->");
      named(FECALT, 6);
      break;
    case ErrorDetail::kPrefixedRaw:
      out.Append(info.prefix);
      AppendPadded(out, raw(info.detail_field), 0);
      break;
    case ErrorDetail::kSexNumber:
      out.Append("Sexo=");
      AppendNumber(out, c.record.SEXO, 0);
      break;
    case ErrorDetail::kIntervention:
      out.Append("Intv=");
      AppendPadded(out, raw(FEINTV), 0);
      out.Push(' ');
      named(TIPING, 1);
      break;
  }
  out.Push('\n');
}

}  // namespace

void AppendErrorLine(const CheckContext& c, int e, int f, bool not_in_version, std::string* line) {
  LineBuilder out(line);
  // "%s %10s %s %s=%6s "
  AppendPadded(out, c.record.HISTORIA.view(), 0);
  out.Push(' ');
  char date[10];
  DisplayDateInto(CmbdFieldText(c, FECALT), date);
  AppendPadded(out, std::string_view(date, 10), 10);
  out.Push(' ');
  out.Append(ErrorText(e));
  out.Push(' ');
  out.Append(CmbdFieldName(f));
  out.Push('=');
  AppendPadded(out, CmbdFieldText(c, f), 6);
  out.Push(' ');
  if (not_in_version) {
    // "No CIE9MC'%s "
    out.Append("No CIE9MC'");
    AppendPadded(out, c.run.VersionLabel, 0);
    out.Push(' ');
  }
  AppendDetail(c, CatalogueEntry(e), out);
}

void SETERR(CheckContext& c, int e, int f) {
  ErrorRecorder& run = c.run;
  // A number outside the catalogue or the layout cannot be stored or shown.
  if (e < 1 || e > kCatalogueSize || f < 1 || f > kCmbdFieldCount) return;
  if (!c.config.ErrorEnabled(e, run.TestType)) return;
  if (!c.field_map.Present(f)) return;

  const ErrorInfo& info = CatalogueEntry(e);
  ErrorEntry entry;
  entry.error = e;
  entry.field = static_cast<std::uint32_t>(f);
  entry.record = static_cast<std::uint32_t>(run.CurrentRecordNumber);
  entry.not_in_version = CarriesNotInVersionMark(e) && run.NotInVersionMark == 1 ? 1 : 0;

  ++run.ErrorCounts[static_cast<std::size_t>(e)];
  ++run.FieldErrorCounts[static_cast<std::size_t>(f)];
  c.config.MarkField(f);

  if (run.ErrorsFileOption && run.errors_report.is_open()) {
    run.seterr_line.clear();
    AppendErrorLine(c, e, f, entry.not_in_version == 1, &run.seterr_line);
    WriteReportLine(run.errors_report, run.seterr_line);
  }
  entry.related1 = static_cast<std::uint32_t>(info.related1);
  entry.related2 = static_cast<std::uint32_t>(info.related2);
  c.config.MarkField(info.related1);
  c.config.MarkField(info.related2);

  const std::int64_t k = static_cast<std::int64_t>(run.ErrorCount) + 1;
  if (run.entry_sink != nullptr) {
    run.entry_sink->push_back(entry);
  } else if (run.log.is_open()) {
    run.log.Queue(k, entry);
  } else {
    // Nowhere to write: the same as a write that stored nothing.
    if (run.FirstLostEntry == 0) run.FirstLostEntry = static_cast<std::int32_t>(k);
    c.feedback.Message("SETERR: Error de escritura");
    run.StopFlag = true;
  }
  ++run.ErrorCount;

  // The status line and the count lists are repainted with it, at most ten
  // times a second. The clock is asked now and then, not for every error.
  run.status_pending = true;
  if ((run.ErrorCount & 15) == 0) ShowErrorStatusWhenDue(c.run, c.feedback);
}

namespace {

// Lost entries are the last ones queued: they end at ErrorCount. Each is said.
void NoteLost(ErrorRecorder& run, Feedback& feedback, int lost) {
  if (lost > 0 && run.FirstLostEntry == 0) run.FirstLostEntry = run.ErrorCount - lost + 1;
  for (; lost > 0; --lost) {
    feedback.Message("SETERR: Error de escritura");
    run.StopFlag = true;
  }
}

}  // namespace

void FlushErrorLog(ErrorRecorder& run, Feedback& feedback) {
  NoteLost(run, feedback, run.log.EndEpisode());
}

void CloseErrorLog(ErrorRecorder& run, Feedback& feedback) {
  NoteLost(run, feedback, run.log.Close());
}

void ShowErrorStatusWhenDue(ErrorRecorder& run, Feedback& feedback) {
  if (run.status_pending && Now() - run.status_shown_at >= kStatusInterval)
    ShowErrorStatus(run, feedback);
}

void RepaintCountLists(const ErrorRecorder& run) {
  if (run.count_view == nullptr) return;
  for (int e = 1; e <= 71; ++e)
    run.count_view->ErrorCountChanged(e - 1, run.ErrorCounts[static_cast<std::size_t>(e)]);
  for (int f = 1; f <= 63; ++f)
    run.count_view->FieldCountChanged(f - 1, run.FieldErrorCounts[static_cast<std::size_t>(f)]);
}

void ShowErrorStatus(ErrorRecorder& run, Feedback& feedback) {
  if (!run.status_pending) return;
  RepaintCountLists(run);
  feedback.ShowStatus(StrFormat("%ld:%ld", static_cast<long>(run.CurrentRecordNumber),
                                static_cast<long>(run.ErrorCount)));
  run.status_pending = false;
  run.status_shown_at = Now();
}

}  // namespace quirovel
