// quirovel check FILE --record N [--test mensual|trimestral|cma]: the errors
// that one episode would get in a detection run, in the order the run would
// record them. Nothing is written: the entries are collected in memory.
#include <cstdlib>
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/session_start.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "session/catalogue_session.h"
#include "session/startup.h"
#include "validation/checks.h"
#include "validation/error_catalogue.h"

namespace quirovel {
namespace {

constexpr const char* kUsage =
    "Uso: quirovel check FICHERO --record N [--test mensual|trimestral|cma]";

bool ParseRecordNumber(const std::string& text, long* value) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 9)
    return false;
  *value = std::strtol(text.c_str(), nullptr, 10);
  return *value >= 1;
}

std::string_view TrimRight(std::string_view text) {
  std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// "E122 Fecha ingreso > alta  FECING=20050301  FECALT=20050201"
std::string DescribeEntry(const Session& s, const ErrorEntry& entry) {
  std::string line(ErrorText(entry.error));
  for (std::uint32_t k : {entry.field, entry.related1, entry.related2, entry.related3}) {
    if (k == 0) continue;
    const int field = static_cast<int>(k);
    line += StrFormat("  %s=", std::string(CmbdFieldName(field)).c_str());
    line += TrimRight(CmbdFieldText(s, field));
  }
  if (entry.not_in_version == 1) line += "  No CIE9MC'" + s.run.VersionLabel;
  return line;
}

}  // namespace

int CheckCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  std::string record_text, test_text = "trimestral";
  if (!TakeOption(&args, "--record", &record_text) || !TakeOption(&args, "--test", &test_text) ||
      args.size() != 1 || record_text.empty()) {
    context.feedback.Message(kUsage);
    return kExitUsage;
  }
  long record = 0;
  int test_type = kTrimestral;
  if (!ParseTestType(context, test_text, &test_type)) return kExitUsage;
  if (!ParseRecordNumber(record_text, &record)) {
    context.feedback.Message(kUsage);
    return kExitUsage;
  }

  Session& s = context.session;
  if (!StartSession(context)) return kExitFailed;
  s.table.Close();
  if (s.table.Open(HostPathOf(s, args[0])) != 1) return kExitFailed;
  AnalyseStructure(s);
  if (static_cast<std::uint32_t>(record) > s.table.record_count()) {
    context.feedback.Message(StrFormat("El fichero tiene %u registros; no existe el registro %ld",
                                       s.table.record_count(), record));
    return kExitFailed;
  }
  if (s.table.ReadRecord(record) != 0) {
    context.feedback.Message(StrFormat("No se puede leer el registro %ld", record));
    return kExitFailed;
  }
  DecodeRecord(s);

  DetectionRun& run = s.run;
  run.ResetCounters();
  run.TestType = test_type;
  run.CurrentRecordNumber = record;
  run.VersionLabel = StrFormat("%04d", s.config.VersionYear());
  run.VersionPosition = 0;
  if (s.config.VersionYear() == 50) VersionForDischargeDate(s);
  std::vector<ErrorEntry> entries;
  run.entry_sink = &entries;
  CheckContext checks = s.Checks();
  CheckAdministrative(checks);
  run.entry_sink = nullptr;

  for (const ErrorEntry& entry : entries) PrintLine(context.out, DescribeEntry(s, entry));
  CloseConfig(s);
  return kExitOk;
}

}  // namespace quirovel
