// Feeds arbitrary bytes to the readers of the error log: the first four bytes
// are the error count stored in "Quirovel.dat", the rest is "fallos.dat".
// Counting by type and both groupings must never crash or hang, whatever
// error numbers, field slots and record numbers the entries hold.
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "detection/error_grouping.h"
#include "fuzz_installation.h"
#include "session/config_file.h"
#include "session/startup.h"
#include "validation/error_log_reader.h"

using namespace quirovel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 64 * 1024) return 0;  // the readers' loops are bounded by the count, not the input
  fuzzing::Installation inst;
  Session& s = inst.session;
  std::int32_t count = 0;
  if (size >= 4) std::memcpy(&count, data, 4);
  const std::string log =
      size >= 4 ? std::string(reinterpret_cast<const char*>(data) + 4, size - 4) : std::string();
  LoadConfig(s);
  s.config.SetErrorCount(count);
  FUZZ_CHECK(SaveConfig(s));
  const std::string log_path = OutputHostPath(s, "fallos.dat");
  inst.fs.SetContents(log_path, log);

  std::array<std::int32_t, 72> counts{};
  if (CountErrorsByType(s, &counts)) {
    std::int64_t total = 0;
    for (std::int32_t c : counts) {
      FUZZ_CHECK(c >= 0);
      total += c;
    }
    FUZZ_CHECK(total <= static_cast<std::int64_t>(log.size() / 32) + 1);
  }
  GroupByType(s);
  s.feedback.ClearStop();
  GroupByServiceAndType(s);

  ErrorLogReader reader;
  if (reader.Open(inst.fs, log_path)) {
    ErrorLogReader::Bytes entry;
    std::int64_t k = 1;
    while (k <= 4096 && reader.Read(k, &entry)) ++k;
    FUZZ_CHECK(k - 1 <= static_cast<std::int64_t>(log.size() / 32) + 1);
  }
  // Reading the log never changes it.
  FUZZ_CHECK(*inst.fs.Contents(log_path) == log);
  CloseConfig(s);
  return 0;
}
