#include "validation/error_log_reader.h"

#include <gtest/gtest.h>

#include "platform/faulty_file_system.h"
#include "platform/memory_file_system.h"

namespace quirovel {
namespace {

TEST(ErrorLogReaderTest, ALogOnReadOnlyMediaIsStillRead) {
  MemoryFileSystem memory;
  std::string log(64, '\0');
  log.replace(32, 3, std::string("13\0", 3));
  memory.SetContents("/fallos.dat", log);
  FaultyFileSystem fs(memory);
  fs.MakeReadOnly();
  ErrorLogReader reader;
  ASSERT_TRUE(reader.Open(fs, "/fallos.dat"));
  EntryBytes entry;
  ASSERT_TRUE(reader.Read(1, &entry));
  EXPECT_EQ(ErrorEntry::Decode(entry.data()).error, 13);
  EXPECT_FALSE(reader.Read(2, &entry));
  EXPECT_FALSE(reader.Open(fs, "/missing.dat")) << "nothing can be created there";
}

// Entry k starts at byte 32 * k; a last entry cut short still counts.
TEST(ErrorLogReaderTest, HeldEntriesAreThoseReadCanReturn) {
  MemoryFileSystem fs;
  ErrorLogReader reader;
  EXPECT_EQ(reader.HeldEntries(), 0) << "not open";
  for (const auto& [bytes, held] :
       {std::pair{0, 0}, {32, 0}, {33, 1}, {64, 1}, {65, 2}, {100, 3}}) {
    fs.SetContents("/fallos.dat", std::string(static_cast<std::size_t>(bytes), '\1'));
    ASSERT_TRUE(reader.Open(fs, "/fallos.dat"));
    EXPECT_EQ(reader.HeldEntries(), held) << bytes << " bytes";
    EntryBytes entry;
    EXPECT_EQ(reader.Read(held, &entry), held > 0) << bytes << " bytes";
    EXPECT_FALSE(reader.Read(held + 1, &entry)) << bytes << " bytes";
  }
}

}  // namespace
}  // namespace quirovel
