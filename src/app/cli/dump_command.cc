// quirovel dump FILE [--from N] [--count M]: the decoded episodes.
#include <cstdlib>
#include <ostream>

#include "app/cli/command.h"
#include "platform/cp1252.h"
#include "platform/format.h"

namespace quirovel {
namespace {

bool ParseCount(const std::string& text, long* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  long v = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || v < 0) return false;
  *value = v;
  return true;
}

}  // namespace

int DumpCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  std::string from_text = "1", count_text;
  if (!TakeOption(&args, "--from", &from_text) || !TakeOption(&args, "--count", &count_text) ||
      args.size() != 1) {
    context.feedback.Message("Uso: quirovel dump FICHERO [--from N] [--count M]");
    return kExitUsage;
  }
  long from = 1, count = -1;
  if (!ParseCount(from_text, &from) || from < 1 ||
      (!count_text.empty() && !ParseCount(count_text, &count))) {
    context.feedback.Message("--from y --count necesitan numeros (--from desde 1)");
    return kExitUsage;
  }
  Session& s = context.session;
  if (s.table.Open(HostPathOf(s, args[0])) != 1) return kExitFailed;
  AnalyseStructure(s);
  const long total = static_cast<long>(s.table.record_count());
  long last = count < 0 ? total : std::min(total, from + count - 1);
  for (long n = from; n <= last; ++n) {
    if (s.table.ReadRecord(n) != 0) {
      context.feedback.Message(StrFormat("No se puede leer el registro %ld", n));
      return kExitFailed;
    }
    DecodeRecord(s);
    context.out << "Registro " << n << "\n";
    for (int k = 1; k <= kCmbdFieldCount; ++k)
      context.out << CmbdFieldName(k) << "=" << Cp1252ToUtf8(CmbdFieldText(s, k)) << "\n";
    context.out << "AgeYears=" << s.record.AgeYears << "\n"
                << "AgeMonths=" << s.record.AgeMonths << "\n"
                << "StayYears=" << s.record.StayYears << "\n\n";
  }
  return kExitOk;
}

}  // namespace quirovel
