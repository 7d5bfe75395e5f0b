#include "transfer/export_run.h"

#include <algorithm>

#include "output/progress_tracker.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "session/episode_walk.h"
#include "session/session.h"
#include "storage/dates.h"
#include "storage/table_files.h"
#include "transfer/export_layout.h"
#include "transfer/transfer_staging.h"
#include "transfer/transfer_table_appender.h"

namespace quirovel {
namespace {

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// Where the lines of the text export go: large blocks through the seam.
class TextOut {
 public:
  explicit TextOut(std::unique_ptr<File> file) : file_(std::move(file)) {}
  void Add(std::string_view bytes) {
    buffer_.append(bytes);
    if (buffer_.size() >= (1u << 20)) Flush();
  }
  bool Flush() {
    if (!buffer_.empty() && file_->WriteAt(offset_, buffer_.data(), buffer_.size()) !=
                                static_cast<std::int64_t>(buffer_.size()))
      failed_ = true;
    offset_ += buffer_.size();
    buffer_.clear();
    return !failed_;
  }
  bool failed() const { return failed_; }

 private:
  std::unique_ptr<File> file_;
  std::string buffer_;
  std::uint64_t offset_ = 0;
  bool failed_ = false;
};

}  // namespace

ExportRequest RequestFrom(const ExportPage& page, const std::string& today) {
  ExportRequest r;
  r.test = page.test;
  r.cma_only = page.cma_only;
  r.text_format = page.text_format;
  r.from = PeriodText(page.from);
  r.to = PeriodText(page.to);
  r.name = page.name;
  r.today = today;
  return r;
}

ExportResult RunExport(Session& s, const ExportRequest& request) {
  ExportResult result;
  Feedback& feedback = s.feedback;
  if (request.from > request.to) feedback.Message("Rango de fechas incorrecto");
  if (!request.today.empty() && request.to > request.today)
    feedback.Message("Fecha hasta incorrecta: mayor a hoy");

  feedback.ShowInfo("Buscando rango de altas ...");
  result.stored_path = OutputPath(s, request.name + (request.text_format ? ".TXT" : ".DBF"));
  result.host_path = OutputHostPath(s, request.name + (request.text_format ? ".TXT" : ".DBF"));
  const std::string cannot_open =
      result.stored_path + ": Error al abrir el fichero de exportación"_cp;
  const std::string current = s.config.CurrentPath();
  if (Upper(result.stored_path) == Upper(current) ||
      SameHostFile(result.host_path, s.paths.ToHost(current))) {
    feedback.Message("El fichero coincide con el actual");
    feedback.Message(cannot_open);
    return result;
  }
  if (!ReopenCurrentTable(s)) return result;

  // The target is built under a name of its own and replaces the file of
  // its name only when whole.
  const std::string staged = FreshTemporaryName(s.fs, result.host_path);
  std::vector<ExportField> fields = ExportFields(request.test);
  std::vector<ExportSource> sources;
  for (const ExportField& f : fields) {
    const auto k = static_cast<std::size_t>(f.source);
    sources.push_back(s.field_map.Present(f.source)
                          ? ExportSource{s.field_map.offset[k], s.field_map.width[k]}
                          : ExportSource{});
  }
  ExportLineBuilder builder(std::move(fields), std::move(sources), request.text_format);
  std::unique_ptr<TextOut> text;
  TableAppender table(s.fs, feedback);
  bool open = false;
  if (request.text_format) {
    if (auto file = s.fs.Open(staged, OpenMode::kCreateTruncate)) {
      text = std::make_unique<TextOut>(std::move(file));
      open = true;
    }
  } else {
    open = Create(s.fs, feedback, ExportDefinitions(request.test), staged) && table.Open(staged);
  }
  if (!open) {
    s.fs.Remove(staged);
    feedback.Message(cannot_open);
    return result;
  }

  feedback.ShowRecordCount(static_cast<long>(s.table.record_count()));
  std::string smallest = "99999999", largest = "        ";
  bool write_failed = false;
  const bool cma = request.test == 2;
  auto value = [&](int k) { return CView(CmbdFieldText(s, k)); };
  ProgressTracker progress(feedback);
  const WalkResult walk = WalkEpisodes(s, progress, [&](std::int64_t) {
    const std::string_view fecalt = value(FECALT);
    if (fecalt < smallest) smallest = fecalt;
    if (fecalt > largest) largest = fecalt;
    if (fecalt < request.from || fecalt > request.to) return true;
    if (cma && request.cma_only && DecimalValue(value(TIPING)) != 3) return true;
    const std::string_view line = builder.Build(s.table.Record(), s.table.RecordMayHoldZero());
    if (text) {
      text->Add(line);
      text->Add("\r\n");
    } else if (!table.Append(line)) {
      write_failed = true;
      return false;
    }
    ++result.exported;
    return true;
  });
  progress.Finish();
  bool whole = !write_failed && walk.end != WalkEnd::kStopped;
  if (text) {
    whole = text->Flush() && whole;
    text.reset();
    whole = whole && CommitStagedFile(s.fs, staged, result.host_path);
  } else {
    whole = table.Close() && whole;
    whole = whole && CommitStagedTable(s.fs, staged, result.host_path,
                                       static_cast<std::uint32_t>(result.exported));
  }
  if (!whole) s.fs.Remove(staged);
  result.first = smallest;
  result.last = largest;
  result.stopped = walk.end == WalkEnd::kStopped;
  result.written = whole;
  if (result.stopped) {
    feedback.Message(
        StrFormat("Exportación interrumpida: %s no se ha escrito"_cp, result.stored_path.c_str()));
  } else if (!whole) {
    feedback.Message(
        StrFormat("Error de escritura: %s no se ha escrito (%ld registros perdidos)"_cp,
                  result.stored_path.c_str(), result.exported));
  }
  if (!whole) result.exported = 0;
  feedback.ShowStatus(StrFormat("Exportado %ld ", result.exported) + progress.elapsed_text());
  feedback.ShowInfo(StrFormat("%s -> ", DisplayDate(smallest).c_str()) + DisplayDate(largest));
  return result;
}

}  // namespace quirovel
