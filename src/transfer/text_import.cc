#include "transfer/text_import.h"

#include <vector>

#include "output/progress_tracker.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "storage/dbf_table.h"
#include "storage/table_files.h"
#include "transfer/transfer_staging.h"
#include "transfer/transfer_table_appender.h"

namespace quirovel {
namespace {

constexpr std::size_t kBlock = 1 << 16;

std::vector<ImportField> FieldsOf(const DbfTable& table) {
  std::vector<ImportField> fields;
  for (int i = 1; i <= table.field_count(); ++i) {
    const FieldDescriptor d = table.Descriptor(i);
    fields.push_back({d.name, d.type, d.width > 0 ? d.width : 0, table.FieldOffset(i)});
  }
  return fields;
}

// The lines of a file read through the seam in blocks, each without its
// "\n"; the last one may lack its end.
class LineReader {
 public:
  explicit LineReader(File& file) : file_(file), size_(file.Size()) {}
  // False at the end of the file (or when it cannot be read further). The
  // line stays valid until the next call.
  bool Next(std::string_view* line) {
    line_.clear();
    for (;;) {
      if (begin_ == buffer_.size()) {
        buffer_.resize(kBlock);
        const std::int64_t got = file_.ReadAt(offset_, buffer_.data(), kBlock);
        buffer_.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        begin_ = 0;
        offset_ += buffer_.size();
        if (buffer_.empty()) {
          failed_ = got < 0 || (size_ >= 0 && offset_ < static_cast<std::uint64_t>(size_));
          const bool had = pending_;
          pending_ = false;
          *line = line_;
          return had;
        }
      }
      pending_ = true;
      const std::size_t end = buffer_.find('\n', begin_);
      const std::size_t stop = end == std::string::npos ? buffer_.size() : end;
      if (end != std::string::npos && line_.empty()) {
        // The whole line lies in the block: no copy.
        *line = std::string_view(buffer_).substr(begin_, stop - begin_);
      } else {
        // Only what a line may hold is kept: a longer line is refused anyway.
        if (line_.size() <= kMaxImportLine + 1)
          line_.append(buffer_, begin_, std::min(stop - begin_, kMaxImportLine + 2));
        *line = line_;
      }
      begin_ = end == std::string::npos ? buffer_.size() : end + 1;
      if (end == std::string::npos) continue;
      pending_ = false;
      return true;
    }
  }
  std::uint64_t position() const { return offset_ - (buffer_.size() - begin_); }
  // The file could not be read to its end.
  bool failed() const { return failed_; }

 private:
  File& file_;
  std::string buffer_;
  std::string line_;  // a line that runs over the end of a block
  std::size_t begin_ = 0;
  std::uint64_t offset_ = 0;
  bool pending_ = false;  // part of a last line without its end was read
  std::int64_t size_;
  bool failed_ = false;
};

}  // namespace

TextImportResult RunTextImport(FileSystem& fs, Feedback& feedback, const TextImportJob& job) {
  TextImportResult result;
  auto text = fs.Open(job.text_path, OpenMode::kRead);
  if (!text) return result;
  const std::string staged = FreshTemporaryName(fs, job.target_path);
  if (CopyStructure(fs, feedback, job.structure_path, staged) != 1) {
    feedback.Message("Error al duplicar la estructura DBF");
    fs.Remove(staged);
    return result;
  }
  std::vector<ImportField> fields;
  {
    DbfTable structure(fs, feedback);
    if (structure.Open(staged) != 1) {
      fs.Remove(staged);
      return result;
    }
    fields = FieldsOf(structure);
  }
  TableAppender table(fs, feedback);
  if (!table.Open(staged)) {
    fs.Remove(staged);
    return result;
  }
  TextImportLine builder(std::move(fields), table.record_length(), job.options, feedback);
  ProgressTracker progress(feedback);
  progress.Start(static_cast<long>(text->Size()));
  LineReader reader(*text);
  std::string_view line;
  result.end = TextImportEnd::kCompleted;
  if (job.header_line && reader.Next(&line)) result.lines = 1;
  while (reader.Next(&line)) {
    ++result.lines;
    if ((result.lines & 1023) == 0) {
      progress.Step(static_cast<long>(reader.position()));
      if (feedback.StopRequested()) {
        result.end = TextImportEnd::kStopped;
        break;
      }
    }
    std::string_view content = line;
    if (!content.empty() && content.back() == '\r') content.remove_suffix(1);
    if (content.size() > kMaxImportLine) {
      // A longer line would be read as two records, the second one made of
      // the first one's tail: the import stops before it instead.
      feedback.Message(StrFormat("Linea %ld del fichero de texto: más de %d caracteres"_cp,
                                 result.lines, static_cast<int>(kMaxImportLine)));
      result.end = TextImportEnd::kMalformedLine;
      break;
    }
    const LineVerdict verdict = builder.Build(content, result.records + 1);
    if (verdict != LineVerdict::kWrite) {
      result.end = TextImportEnd::kMalformedLine;
      break;
    }
    if (!table.Append(builder.record())) {
      result.end = TextImportEnd::kWriteFailed;
      break;
    }
    ++result.records;
  }
  if (reader.failed()) {
    feedback.Message("Error al leer el fichero de texto");
    result.end = TextImportEnd::kReadFailed;
  }
  progress.Step(static_cast<long>(reader.position()));
  if (!table.Close() && result.end == TextImportEnd::kCompleted)
    result.end = TextImportEnd::kWriteFailed;
  result.records = static_cast<long>(table.written());
  text.reset();
  result.table_written =
      CommitStagedTable(fs, staged, job.target_path, static_cast<std::uint32_t>(result.records));
  if (!result.table_written) {
    feedback.Message(
        StrFormat("No se ha podido escribir entero %s: queda como estaba (%ld registros "
                  "leídos)"_cp,
                  job.target_path.c_str(), result.records));
  } else if (result.end == TextImportEnd::kStopped) {
    feedback.Message(StrFormat("Importación interrumpida en la línea %ld: %ld registros en %s"_cp,
                               result.lines, result.records, job.target_path.c_str()));
  } else if (result.end == TextImportEnd::kWriteFailed ||
             result.end == TextImportEnd::kReadFailed) {
    feedback.Message(StrFormat("Error de escritura: %ld registros en %s", result.records,
                               job.target_path.c_str()));
  } else if (result.end == TextImportEnd::kMalformedLine) {
    feedback.Message(StrFormat("Importación detenida en la línea %ld: %ld registros en %s"_cp,
                               result.lines, result.records, job.target_path.c_str()));
  }
  return result;
}

}  // namespace quirovel
