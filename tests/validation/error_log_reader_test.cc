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

}  // namespace
}  // namespace quirovel
