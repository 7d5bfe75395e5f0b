// Feeds arbitrary bytes to the readers of the error log: the first four bytes
// are the error count stored in "Quirovel.dat", the rest is "fallos.dat".
// Counting by type and the groupings must never crash or hang, whatever
// error numbers, field slots and record numbers the entries hold.
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "detection/error_grouping.h"
#include "fuzz_installation.h"
#include "session/startup.h"
#include "validation/error_log_reader.h"

using namespace quirovel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 64 * 1024) return 0;  // the readers' loops are bounded by the count, not the input
  // One installation for the whole run: what an input changes is the stored
  // count and the log, both set afresh below; the reports are rewritten.
  static fuzzing::Installation* inst = [] {
    auto* installation = new fuzzing::Installation;
    LoadConfig(installation->session);
    return installation;
  }();
  Session& s = inst->session;
  std::int32_t count = 0;
  if (size >= 4) std::memcpy(&count, data, 4);
  const std::string log =
      size >= 4 ? std::string(reinterpret_cast<const char*>(data) + 4, size - 4) : std::string();
  s.config.SetErrorCount(count);
  s.feedback.ClearStop();
  const std::string log_path = OutputHostPath(s, "fallos.dat");
  inst->fs.SetContents(log_path, log);

  std::array<std::int32_t, 72> counts{};
  if (CountErrorsByType(s, &counts)) {
    std::int64_t total = 0;
    for (std::int32_t c : counts) {
      FUZZ_CHECK(c >= 0);
      total += c;
    }
    FUZZ_CHECK(total <= static_cast<std::int64_t>(log.size() / 32) + 1);
  }
  // Both groupings share their reading and sorting: an input runs one of
  // them, chosen by its length, which mutations change as often as bytes.
  if (size % 2 == 0)
    GroupByType(s);
  else
    GroupByServiceAndType(s);

  ErrorLogReader reader;
  if (reader.Open(inst->fs, log_path)) {
    ErrorLogReader::Bytes entry;
    std::int64_t k = 1;
    while (k <= 4096 && reader.Read(k, &entry)) ++k;
    FUZZ_CHECK(k - 1 == reader.HeldEntries());
  }
  // Reading the log never changes it.
  FUZZ_CHECK(*inst->fs.Contents(log_path) == log);
  return 0;
}
