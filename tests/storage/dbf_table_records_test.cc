// Reading, setting and appending records of a DbfTable.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "platform/faulty_file_system.h"
#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"
#include "storage/dbf_table.h"
#include "storage/table_files.h"
#include "support/dbf_builder.h"

namespace quirovel {
namespace {

using testing::DbfBytes;
using testing::Le32At;
using Messages = std::vector<std::string>;

const char* const kPath = "/t.dbf";

TEST(DbfTableRecords, PlacesItsFieldsAndSetFieldTextCutsOrPads) {
  MemoryFileSystem fs;
  fs.SetContents(kPath, DbfBytes({{"X", 'C', 6}, {"LONGNAME123", 'N', 5, 2}, {"C", 'D', 8}},
                                 {{"AB", "12345", "20060315"}}));
  RecordingFeedback feedback;
  DbfTable table(fs, feedback);
  ASSERT_EQ(table.Open(kPath), 1);
  EXPECT_EQ(table.FieldName(2), "LONGNAME123");  // eleven bytes, no NUL
  EXPECT_EQ(table.FieldName(4), "");
  EXPECT_EQ(table.FieldOffset(4), -1);
  EXPECT_EQ(table.FieldNumber("C"), 3);
  EXPECT_EQ(table.FieldNumber("c"), 0);

  ASSERT_EQ(table.ReadRecord(1), 0);
  EXPECT_EQ(table.FieldText(1), "AB    ");
  table.SetFieldText(2, "ABCDEFGH");
  EXPECT_EQ(table.FieldText(2), "ABCDE");
  table.SetFieldText(2, std::string_view("Q\0RS", 4));  // the text ends at a NUL, as a C text would
  table.BlankField(1);
  // Field numbers outside the table change nothing and read as empty.
  table.SetFieldText(0, "zzz");
  table.SetFieldText(4, "zzz");
  EXPECT_EQ(table.FieldText(4), "");
  EXPECT_EQ(table.Record(), std::string(" ") + "      " + "Q    " + "20060315");
}

TEST(DbfTableRecords, AppendWritesTheCountOnCloseAndAFullOrReadOnlyDiskKeepsIt) {
  MemoryFileSystem memory;
  FaultyFileSystem fs(memory);
  RecordingFeedback feedback;
  ASSERT_TRUE(Create(fs, feedback, {"A#C10", "B#N1"}, kPath));
  DbfTable table(fs, feedback);
  ASSERT_EQ(table.Open(kPath), 1);
  table.SetFieldText(1, "uno");
  table.SetFieldText(2, "1");
  ASSERT_TRUE(table.Append());
  // A whole record laid out by the caller, cut or blank-filled to the record length.
  ASSERT_TRUE(table.AppendScratch(" dos       2 and more"));
  ASSERT_TRUE(table.AppendScratch(" x"));
  EXPECT_EQ(Le32At(*memory.Contents(kPath), 4), 0u) << "until Close the header keeps its old count";
  table.Close();
  EXPECT_TRUE(feedback.messages.empty());
  std::string bytes = *memory.Contents(kPath);
  EXPECT_EQ(Le32At(bytes, 4), 3u);
  // The records overwrite the end marker, and none is written after them.
  EXPECT_EQ(bytes.substr(97), " uno       1 dos       2 x          ");

  ASSERT_EQ(table.Open(kPath), 1);
  // Room for the header, three records and half of the next one.
  fs.SetFileSizeLimit(97 + 3 * 12 + 6);
  EXPECT_FALSE(table.Append());
  EXPECT_EQ(table.status(), 1);
  // Nothing at all can be written.
  fs.FailWritesFrom(1);
  EXPECT_FALSE(table.Append());
  EXPECT_FALSE(table.AppendScratch(" x"));
  EXPECT_EQ(table.record_count(), 3u);
  EXPECT_EQ(feedback.Texts(), Messages(3, "APPEND:ERROR ESCRITURA"));
  fs.Heal();
  table.Close();
  bytes = *memory.Contents(kPath);
  EXPECT_EQ(Le32At(bytes, 4), 3u);

  // A table that cannot be written is read, and refuses appends.
  fs.MakeReadOnly();
  ASSERT_EQ(table.Open(kPath), 1);
  ASSERT_EQ(table.ReadRecord(1), 0);
  EXPECT_EQ(table.FieldText(1), "uno       ");
  EXPECT_FALSE(table.Append());
  EXPECT_EQ(feedback.Texts(), Messages(4, "APPEND:ERROR ESCRITURA"));
  table.Close();
  EXPECT_EQ(*memory.Contents(kPath), bytes);
}

TEST(DbfTableRecords, RefusesToAppendBeyondTheEndOfAFileShorterThanItsCount) {
  testing::DbfShape lying;
  lying.record_count = 1000000;
  const std::string bytes = DbfBytes({{"A", 'C', 2}}, {{"ab"}}, lying);
  MemoryFileSystem fs;
  fs.SetContents(kPath, bytes);
  RecordingFeedback feedback;
  {
    DbfTable table(fs, feedback);
    ASSERT_EQ(table.Open(kPath), 1);
    EXPECT_FALSE(table.Append());
    EXPECT_EQ(table.record_count(), 1000000u);
  }
  EXPECT_EQ(
      feedback.Texts(),
      (Messages{"El fichero /t.dbf est\xE1 incompleto: su cabecera dice 1000000 registros y solo "
                "contiene 1",
                "El fichero /t.dbf tiene menos registros que los 1000000 que indica su cabecera",
                "APPEND:ERROR ESCRITURA"}));
  EXPECT_EQ(*fs.Contents(kPath), bytes);
}

TEST(DbfTableRecords, ReadsTheSameRecordsInOrderAtRandomAfterAFailedReadAndAfterAppends) {
  const int kRecords = 3000;  // several read-ahead windows
  std::vector<std::vector<std::string>> rows;
  for (int n = 1; n <= kRecords; ++n) rows.push_back({std::to_string(n), std::to_string(n * 7)});
  MemoryFileSystem memory;
  FaultyFileSystem fs(memory);
  memory.SetContents(kPath, DbfBytes({{"N", 'C', 5}, {"M", 'C', 300}}, rows));
  RecordingFeedback feedback;
  DbfTable table(fs, feedback);
  ASSERT_EQ(table.Open(kPath), 1);
  auto expect_record = [&](int n) {
    ASSERT_EQ(table.ReadRecord(n), 0) << n;
    EXPECT_EQ(std::atol(std::string(table.FieldText(1)).c_str()), n);
    EXPECT_EQ(std::atol(std::string(table.FieldText(2)).c_str()), n * 7) << n;
  };
  for (int n = 1; n <= kRecords; ++n) expect_record(n);
  EXPECT_EQ(table.ReadRecord(kRecords + 1), 1);
  std::mt19937 rng(7);
  for (int i = 0; i < 2000; ++i) expect_record(1 + static_cast<int>(rng() % kRecords));
  for (int n = kRecords; n >= kRecords - 50; --n) expect_record(n);
  // A read the disk fails is reported by the status alone, and the next one succeeds.
  fs.FailReadsFrom(1);
  EXPECT_EQ(table.ReadRecord(2), 1);
  EXPECT_EQ(table.status(), 1);
  fs.Heal();
  expect_record(2);
  EXPECT_TRUE(feedback.messages.empty());
  // Read the tail in order, then append: the next read sees the new record.
  for (int n = kRecords - 5; n <= kRecords; ++n) expect_record(n);
  table.SetFieldText(1, "new");
  ASSERT_TRUE(table.Append());
  ASSERT_EQ(table.ReadRecord(kRecords + 1), 0);
  EXPECT_EQ(table.FieldText(1), "new  ");
}

}  // namespace
}  // namespace quirovel
