// Feeds arbitrary bytes to the text import: the first bytes choose the mode,
// the separator, the delimiter, the date format and the header line; the
// rest is the text file. The import must never crash or hang, and the table
// it leaves must be whole: its header counts exactly the records it holds,
// each record starts with a blank deletion flag and every date is eight
// digits or eight blanks.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/feedback.h"
#include "platform/little_endian.h"
#include "platform/memory_file_system.h"
#include "storage/table_files.h"
#include "transfer/text_import.h"

namespace {

using namespace quirovel;

void Check(bool condition) {
  if (!condition) std::abort();
}

// HISTORIA C6, FECALT D8, SEXO N1, NOTA C12: 28 bytes a record, header 161.
const std::string& Structure() {
  static const std::string bytes = [] {
    MemoryFileSystem fs;
    SilentFeedback quiet;
    Create(fs, quiet, {"HISTORIA#C6", "FECALT#D8", "SEXO#N1", "NOTA#C12"}, "/s.dbf");
    return *fs.Contents("/s.dbf");
  }();
  return bytes;
}

constexpr char kCharacters[] = {'|', ',', ';', '\t', ' ', '"', '\'', 'n', 'N', '/', '1', '\r'};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint8_t mode = data[0], chars = data[1];
  TextImportOptions options;
  options.fixed_length = (mode & 1) != 0;
  options.separator = kCharacters[(chars & 0x0F) % sizeof kCharacters];
  options.delimiter = kCharacters[(chars >> 4) % sizeof kCharacters];
  options.date_format = std::string(1, static_cast<char>('0' + (mode >> 1) % 8));
  const bool header = (mode & 0x10) != 0;
  const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);

  MemoryFileSystem fs;
  fs.SetContents("/s.dbf", Structure());
  fs.SetContents("/t.txt", text);
  SilentFeedback feedback;
  const TextImportResult r =
      RunTextImport(fs, feedback, {"/t.txt", "/s.dbf", "/new.dbf", options, header});
  // The text and the structure are only read.
  Check(*fs.Contents("/t.txt") == text && *fs.Contents("/s.dbf") == Structure());
  Check(r.table_written);
  Check(!fs.Exists("/new.dbf.tmp"));
  const std::string& table = *fs.Contents("/new.dbf");
  Check(table.size() >= 161);
  const std::uint32_t count = GetLe32(reinterpret_cast<const unsigned char*>(table.data()) + 4);
  Check(count == static_cast<std::uint32_t>(r.records));
  Check(table.size() == 161 + 28u * count);
  Check(r.records <= r.lines);
  for (std::uint32_t k = 0; k < count; ++k) {
    const char* record = table.data() + 161 + 28 * k;
    Check(record[0] == ' ');
    const std::string date(record + 7, 8);
    bool digits = true;
    for (char c : date) digits = digits && c >= '0' && c <= '9';
    Check(digits || date == "        ");
  }
  return 0;
}
