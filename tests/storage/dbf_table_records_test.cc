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
using testing::TableField;
using testing::Le32At;

const char* const kPath = "/t.dbf";

TEST(DbfTableRecords, FieldTextKeepsTrailingBlanksAndSetFieldTextCutsOrPads) {
  MemoryFileSystem fs;
  fs.SetContents(kPath, DbfBytes({{"X", 'C', 6}, {"Y", 'C', 5}}, {{"AB", "12345"}}));
  RecordingFeedback feedback;
  DbfTable table(fs, feedback);
  ASSERT_EQ(table.Open(kPath), 1);
  ASSERT_EQ(table.ReadRecord(1), 0);
  EXPECT_EQ(table.FieldText(1), "AB    ");

  table.SetFieldText(2, "ABCDEFGH");
  EXPECT_EQ(table.FieldText(2), "ABCDE");
  table.SetFieldText(2, "AB");
  EXPECT_EQ(table.FieldText(2), "AB   ");
  // The text ends at a NUL, as a C text would.
  table.SetFieldText(2, std::string_view("Q\0RS", 4));
  EXPECT_EQ(table.FieldText(2), "Q    ");
  table.BlankField(1);
  EXPECT_EQ(table.Record(), std::string(" ") + "      " + "Q    ");
  // Field numbers outside the table change nothing and read as empty.
  table.SetFieldText(0, "zzz");
  table.SetFieldText(3, "zzz");
  EXPECT_EQ(table.FieldText(3), "");
  EXPECT_EQ(table.Record(), std::string(" ") + "      " + "Q    ");
}

TEST(DbfTableRecords, AppendOverwritesTheEndMarkerAndCloseWritesTheCount) {
  MemoryFileSystem fs;
  RecordingFeedback feedback;
  ASSERT_TRUE(Create(fs, feedback, {"A#C10", "B#N1"}, kPath));
  ASSERT_EQ(fs.Contents(kPath)->size(), 98u);
  {
    DbfTable table(fs, feedback);
    ASSERT_EQ(table.Open(kPath), 1);
    EXPECT_EQ(table.record_count(), 0u);
    table.SetFieldText(1, "uno");
    table.SetFieldText(2, "1");
    ASSERT_TRUE(table.Append());
    table.SetFieldText(1, "dos");
    table.SetFieldText(2, "2");
    ASSERT_TRUE(table.Append());
    EXPECT_EQ(table.record_count(), 2u);
    // Until Close the header keeps its old count.
    EXPECT_EQ(Le32At(*fs.Contents(kPath), 4), 0u);
    table.Close();
  }
  EXPECT_TRUE(feedback.messages.empty());
  const std::string& bytes = *fs.Contents(kPath);
  EXPECT_EQ(Le32At(bytes, 4), 2u);
  // No end marker is written after the records.
  EXPECT_EQ(bytes.substr(97), " uno       1 dos       2");
}

TEST(DbfTableRecords, AppendScratchWritesAWholeRecordCutOrBlankFilled) {
  MemoryFileSystem fs;
  RecordingFeedback feedback;
  ASSERT_TRUE(Create(fs, feedback, {"A#C3"}, kPath));
  DbfTable table(fs, feedback);
  ASSERT_EQ(table.Open(kPath), 1);
  ASSERT_TRUE(table.AppendScratch(" abcdef"));
  ASSERT_TRUE(table.AppendScratch(" x"));
  table.Close();
  EXPECT_EQ(fs.Contents(kPath)->substr(65), " abc x  ");
}

TEST(DbfTableRecords, AppendOnAFullDiskShowsTheMessageAndKeepsTheCount) {
  MemoryFileSystem memory;
  FaultyFileSystem fs(memory);
  RecordingFeedback feedback;
  ASSERT_TRUE(Create(fs, feedback, {"A#C10", "B#N1"}, kPath));
  DbfTable table(fs, feedback);
  ASSERT_EQ(table.Open(kPath), 1);
  table.SetFieldText(1, "uno");
  ASSERT_TRUE(table.Append());
  // Room for the header, one record and half of the next one.
  fs.SetFileSizeLimit(97 + 12 + 6);
  table.SetFieldText(1, "dos");
  EXPECT_FALSE(table.Append());
  EXPECT_EQ(table.status(), 1);
  EXPECT_EQ(table.record_count(), 1u);
  // Nothing at all can be written.
  fs.FailWritesFrom(1);
  EXPECT_FALSE(table.Append());
  EXPECT_FALSE(table.AppendScratch(" x"));
  EXPECT_EQ(table.record_count(), 1u);
  EXPECT_EQ(feedback.Texts(), std::vector<std::string>(3, "APPEND:ERROR ESCRITURA"));
  fs.Heal();
  table.Close();
  EXPECT_EQ(Le32At(*memory.Contents(kPath), 4), 1u);
}

TEST(DbfTableRecords, ATableThatCannotBeWrittenIsReadAndRefusesAppends) {
  MemoryFileSystem memory;
  const std::string bytes = DbfBytes({{"A", 'C', 2}}, {{"xy"}});
  memory.SetContents(kPath, bytes);
  FaultyFileSystem fs(memory);
  fs.MakeReadOnly();
  RecordingFeedback feedback;
  DbfTable table(fs, feedback);
  ASSERT_EQ(table.Open(kPath), 1);
  ASSERT_EQ(table.ReadRecord(1), 0);
  EXPECT_EQ(table.FieldText(1), "xy");
  EXPECT_FALSE(table.Append());
  EXPECT_EQ(feedback.Texts(), std::vector<std::string>{"APPEND:ERROR ESCRITURA"});
  table.Close();
  EXPECT_EQ(*memory.Contents(kPath), bytes);
}

TEST(DbfTableRecords, ReadsTheSameRecordsInOrderAtRandomAndAfterAppends) {
  const int kRecords = 3000;  // several read-ahead windows
  std::vector<std::vector<std::string>> rows;
  for (int n = 1; n <= kRecords; ++n) rows.push_back({std::to_string(n), std::to_string(n * 7)});
  MemoryFileSystem fs;
  fs.SetContents(kPath, DbfBytes({{"N", 'C', 5}, {"M", 'C', 300}}, rows));
  RecordingFeedback feedback;
  DbfTable table(fs, feedback);
  ASSERT_EQ(table.Open(kPath), 1);
  auto expect_record = [&](int n) {
    ASSERT_EQ(table.ReadRecord(n), 0) << n;
    EXPECT_EQ(table.FieldText(1).substr(0, std::to_string(n).size()), std::to_string(n));
    EXPECT_EQ(std::atol(std::string(table.FieldText(2)).c_str()), n * 7) << n;
  };
  for (int n = 1; n <= kRecords; ++n) expect_record(n);
  EXPECT_EQ(table.ReadRecord(kRecords + 1), 1);
  std::mt19937 rng(7);
  for (int i = 0; i < 2000; ++i) expect_record(1 + static_cast<int>(rng() % kRecords));
  for (int n = kRecords; n >= kRecords - 50; --n) expect_record(n);

  // Read the tail in order, then append: the next read sees the new record.
  for (int n = kRecords - 5; n <= kRecords; ++n) expect_record(n);
  table.SetFieldText(1, "new");
  table.SetFieldText(2, "42");
  ASSERT_TRUE(table.Append());
  ASSERT_EQ(table.ReadRecord(kRecords + 1), 0);
  EXPECT_EQ(table.FieldText(1), "new  ");
}

TEST(DbfTableRecords, NamesAndPlacesItsFields) {
  MemoryFileSystem fs;
  fs.SetContents(kPath, DbfBytes({{"A", 'C', 6}, {"LONGNAME123", 'N', 5, 2}, {"C", 'D', 8}}));
  RecordingFeedback feedback;
  DbfTable table(fs, feedback);
  ASSERT_EQ(table.Open(kPath), 1);
  EXPECT_EQ(table.FieldName(1), "A");
  EXPECT_EQ(table.FieldName(2), "LONGNAME123");  // eleven bytes, no NUL
  EXPECT_EQ(table.FieldName(4), "");
  EXPECT_EQ(table.FieldOffset(1), 1);
  EXPECT_EQ(table.FieldOffset(2), 7);
  EXPECT_EQ(table.FieldOffset(3), 12);
  EXPECT_EQ(table.FieldOffset(0), -1);
  EXPECT_EQ(table.FieldOffset(4), -1);
  EXPECT_EQ(table.FieldNumber("C"), 3);
  EXPECT_EQ(table.FieldNumber("c"), 0);
  const FieldDescriptor d = table.Descriptor(2);
  EXPECT_EQ(d.name, "LONGNAME123");
  EXPECT_EQ(d.type, 'N');
  EXPECT_EQ(d.width, 5);
  EXPECT_EQ(d.decimals, 2);
  EXPECT_EQ(table.header_length(), 32 * 3 + 33);
  EXPECT_EQ(table.record_length(), 20);
}

TEST(DbfTableRecords, AFailingReadIsReportedAndTheNextOneSucceeds) {
  MemoryFileSystem memory;
  FaultyFileSystem fs(memory);
  memory.SetContents(kPath, DbfBytes({{"A", 'C', 2}}, {{"ab"}, {"cd"}, {"ef"}}));
  RecordingFeedback feedback;
  DbfTable table(fs, feedback);
  ASSERT_EQ(table.Open(kPath), 1);
  fs.FailReadsFrom(1);
  EXPECT_EQ(table.ReadRecord(2), 1);
  EXPECT_EQ(table.status(), 1);
  fs.Heal();
  ASSERT_EQ(table.ReadRecord(2), 0);
  EXPECT_EQ(table.FieldText(1), "cd");
  EXPECT_TRUE(feedback.messages.empty());
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
  EXPECT_EQ(feedback.Texts(),
            (std::vector<std::string>{"El fichero /t.dbf tiene menos registros que los 1000000 que indica su cabecera",
                                      "APPEND:ERROR ESCRITURA"}));
  EXPECT_EQ(*fs.Contents(kPath), bytes);
}

}  // namespace
}  // namespace quirovel
