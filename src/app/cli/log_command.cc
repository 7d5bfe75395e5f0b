// quirovel log [--csv|--json]: the entries of "fallos.dat" of the last run,
// one row per error, with the episode's identification read back from the
// current table: what an analyst loads into a spreadsheet or a data frame.
// Text (the default) is tab-separated; CSV follows RFC 4180 with a header
// row; JSON is one array of objects. Everything is UTF-8.
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/session_start.h"
#include "detection/report_text.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "session/catalogue_session.h"
#include "validation/error_catalogue.h"
#include "validation/error_log_reader.h"
#include "validation/seterr.h"

namespace quirovel {
namespace {

enum class Format { kText, kCsv, kJson };

constexpr const char* kColumns[] = {"registro", "historia", "fecalt", "servalt",
                                    "error",    "texto",    "campos", "detalle"};

std::string Trimmed(std::string_view text) {
  text = CView(text);
  const std::size_t end = text.find_last_not_of(' ');
  const std::size_t start = text.find_first_not_of(' ');
  return end == std::string_view::npos ? std::string()
                                       : std::string(text.substr(start, end - start + 1));
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string JsonString(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\')
      quoted += std::string("\\") + c;
    else if (u < 0x20)
      quoted += StrFormat("\\u%04x", u);
    else
      quoted += c;
  }
  return quoted + "\"";
}

void WriteRow(std::ostream& out, Format format, const std::vector<std::string>& values,
              bool first) {
  if (format == Format::kJson) {
    out << (first ? "[\n  {" : ",\n  {");
    for (std::size_t i = 0; i < values.size(); ++i)
      out << (i > 0 ? ", " : "") << JsonString(kColumns[i]) << ": "
          << (i == 0 ? values[i] : JsonString(values[i]));
    out << "}";
    return;
  }
  const char* separator = format == Format::kCsv ? "," : "\t";
  for (std::size_t i = 0; i < values.size(); ++i)
    out << (i > 0 ? separator : "") << (format == Format::kCsv ? CsvField(values[i]) : values[i]);
  out << (format == Format::kCsv ? "\r\n" : "\n");
}

// The row of one entry, the episode decoded in the session.
std::vector<std::string> RowOf(Session& s, const EntryBytes& bytes) {
  const ErrorEntry entry = ErrorEntry::Decode(bytes.data());
  const int e = entry.error >= 1 && entry.error <= kCatalogueSize ? entry.error : 0;
  std::string fields;
  for (std::uint32_t k : {entry.field, entry.related1, entry.related2, entry.related3})
    if (k >= 1 && k <= static_cast<std::uint32_t>(kCmbdFieldCount))
      fields += (fields.empty() ? "" : " ") + std::string(CmbdFieldName(static_cast<int>(k)));
  // The detail is what "errores.txt" writes after the error's text.
  std::string line;
  if (e != 0 && entry.field >= 1 && entry.field <= static_cast<std::uint32_t>(kCmbdFieldCount)) {
    CheckContext checks = s.Checks();
    AppendErrorLine(checks, e, static_cast<int>(entry.field), entry.not_in_version == 1, &line);
    const std::size_t prefix =
        CView(s.record.HISTORIA.view()).size() + 12 + ErrorText(e).size() + 1;
    line = prefix <= line.size() ? line.substr(prefix) : std::string();
    while (!line.empty() && (line.back() == '\n' || line.back() == ' ')) line.pop_back();
  }
  const std::string_view text = ErrorText(e);
  const std::size_t space = text.find(' ');
  return {std::to_string(entry.record),
          Cp1252ToUtf8(Trimmed(CmbdFieldText(s, HISTORIA))),
          Cp1252ToUtf8(Trimmed(CmbdFieldText(s, FECALT))),
          Cp1252ToUtf8(Trimmed(CmbdFieldText(s, SERVALT))),
          std::string(ErrorCode(e)),
          Cp1252ToUtf8(Trimmed(space == std::string_view::npos ? "" : text.substr(space))),
          fields,
          Cp1252ToUtf8(line)};
}

}  // namespace

int LogCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  const bool csv = TakeFlag(&args, "--csv"), json = TakeFlag(&args, "--json");
  if (!args.empty() || (csv && json)) {
    context.feedback.Message("Uso: quirovel log [--csv|--json]");
    return kExitUsage;
  }
  const Format format = csv ? Format::kCsv : json ? Format::kJson : Format::kText;
  if (!StartSession(context)) return kExitFailed;
  Session& s = context.session;
  ErrorLogReader log;
  if (!log.Open(s.fs, OutputHostPath(s, "fallos.dat"))) {
    context.feedback.Message("error al abrir fallos.dat");
    EndSession(context);
    return kExitFailed;
  }
  if (format != Format::kJson)
    WriteRow(context.out, format,
             std::vector<std::string>(std::begin(kColumns), std::end(kColumns)), false);
  const bool automatic_version = s.config.VersionYear() == 50;
  s.run.VersionLabel = StrFormat("%04d", s.config.VersionYear());
  int code = kExitOk;
  std::int64_t loaded = 0;
  const std::int32_t n = s.config.ErrorCount();
  for (std::int32_t k = 1; k <= n; ++k) {
    if ((k & 1023) == 0 && s.feedback.StopRequested()) break;
    EntryBytes bytes;
    if (!log.Read(k, &bytes)) {
      context.feedback.Message("error lectura errores");
      code = kExitFailed;
      break;
    }
    const std::int64_t record = EntryRecordNumber(bytes);
    if (record != loaded) {
      if (ReadRecordAfter(s.table, loaded, record) != 0) {
        context.feedback.Message(
            StrFormat("ERROR AL LEER FICHERO CMBD (registro %ld)", static_cast<long>(record)));
        code = kExitFailed;
        break;
      }
      loaded = record;
      DecodeRecord(s);
      if (automatic_version) VersionForDischargeDate(s);
    }
    WriteRow(context.out, format, RowOf(s, bytes), k == 1);
  }
  if (format == Format::kJson) context.out << (n >= 1 && loaded != 0 ? "\n]\n" : "[]\n");
  EndSession(context);
  return code;
}

}  // namespace quirovel
