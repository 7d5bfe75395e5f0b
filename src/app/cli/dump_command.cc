// quirovel dump FILE [--from N] [--count M]: the decoded episodes.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string_view>
#include <vector>

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

// The output of the dump, written in blocks. Reserve makes room for a whole
// record, so the appends between two reserves need no checks.
class DumpBuffer {
 public:
  explicit DumpBuffer(std::ostream& out) : out_(out), bytes_(kBlock + kRecordRoom) {}
  ~DumpBuffer() { Flush(); }

  void Reserve() {
    if (used_ >= kBlock) Flush();
  }
  DumpBuffer& Append(std::string_view text) {
    std::memcpy(bytes_.data() + used_, text.data(), text.size());
    used_ += text.size();
    return *this;
  }
  DumpBuffer& Number(long value) {
    char digits[24];
    const int n = std::snprintf(digits, sizeof digits, "%ld", value);
    return Append(std::string_view(digits, static_cast<std::size_t>(n)));
  }
  // A Windows-1252 field text as UTF-8.
  DumpBuffer& Text(std::string_view text) {
    char* at = bytes_.data() + used_;
    for (char ch : text) {
      const auto c = static_cast<unsigned char>(ch);
      if (IsControlByte(c)) {
        at += std::snprintf(at, 5, "\\x%02X", c);
      } else if (c < 0x80) {
        *at++ = ch;
      } else {
        const std::string utf8 = Cp1252ToUtf8(std::string_view(&ch, 1));
        std::memcpy(at, utf8.data(), utf8.size());
        at += utf8.size();
      }
    }
    used_ = static_cast<std::size_t>(at - bytes_.data());
    return *this;
  }
  void Flush() {
    out_.write(bytes_.data(), static_cast<std::streamsize>(used_));
    used_ = 0;
  }

 private:
  static constexpr std::size_t kBlock = 1 << 17;
  // A record's text at most: 63 names and fields of at most 127 bytes, each
  // byte at most 4 ("\xHH"), and the lines around them.
  static constexpr std::size_t kRecordRoom = 63 * (12 + 4 * 128) + 256;

  std::ostream& out_;
  std::vector<char> bytes_;
  std::size_t used_ = 0;
};

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
  // Written so that no sum can overflow, whatever --from and --count say.
  const long last = count < 0 || count > total - from + 1 ? total : from + count - 1;
  // Records are put together in one buffer and written in large pieces: a
  // million of them make some sixty million small pieces of text.
  DumpBuffer text(context.out);
  for (long n = from; n <= last; ++n) {
    if (s.table.ReadRecord(n) != 0) {
      text.Flush();
      context.feedback.Message(StrFormat("No se puede leer el registro %ld", n));
      return kExitFailed;
    }
    if ((n & 1023) == 0 && s.feedback.StopRequested()) break;
    DecodeRecord(s);
    text.Reserve();
    text.Append("Registro ").Number(n).Append("\n");
    for (int k = 1; k <= kCmbdFieldCount; ++k)
      text.Append(CmbdFieldName(k)).Append("=").Text(CmbdFieldText(s, k)).Append("\n");
    text.Append("AgeYears=").Number(s.record.AgeYears).Append("\nAgeMonths=");
    text.Number(s.record.AgeMonths).Append("\nStayYears=").Number(s.record.StayYears);
    text.Append("\n\n");
  }
  text.Flush();
  return kExitOk;
}

}  // namespace quirovel
