// The error entry, the error log and SETERR: switches, absent fields,
// counters and marks, the "errores.txt" line, failed writes and the status.
#include "validation/seterr.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_file_system.h"
#include "support/check_fixture.h"
#include "validation/checks.h"
#include "validation/episode_cases.h"
#include "validation/error_log.h"
#include "validation/error_log_reader.h"

namespace quirovel::testing {
namespace {

TEST(ErrorEntryTest, LaidOutByteForByte) {
  ErrorEntry e;
  e.error = 5, e.field = 3, e.related1 = 12, e.related2 = 7, e.not_in_version = 1;
  e.record = 70000;  // 0x00011170
  // Number, own field, related fields, unused slot, record, blank, mark.
  const std::string expected(
      " 5\0\0\3\0\0\0\x0c\0\0\0\7\0\0\0\0\0\0\0\x70\x11\x01\0 \0\0\0\1\0\0\0", 32);
  EXPECT_EQ(EntryBytes(e), expected);
  EXPECT_EQ(EntryBytes(ErrorEntry::Decode(reinterpret_cast<const unsigned char*>(expected.data()))),
            expected);
  e.error = 71;
  EXPECT_EQ(EntryBytes(e).substr(0, 4), std::string("71\0\0", 4));
}

ErrorEntry EntryOf(int error, std::uint32_t record) {
  ErrorEntry e;
  e.error = error, e.field = 8, e.record = record;
  return e;
}

TEST(ErrorLogTest, NewLogHasZerosBeforeEntryOneAndIsNeverTruncated) {
  MemoryFileSystem fs;
  ErrorLog log;
  ASSERT_TRUE(log.Open(fs, "/fallos.dat"));
  for (int k = 1; k <= 50; ++k) log.Queue(k, EntryOf(13, 1));
  EXPECT_EQ(log.Flush(), 0);
  log.Close();
  const std::string& bytes = *fs.Contents("/fallos.dat");
  EXPECT_EQ(bytes.size(), 51u * 32);
  EXPECT_EQ(bytes.substr(0, 36), std::string(32, '\0') + std::string("13\0\0", 4));

  // A later run with 10 errors overwrites entries 1..10 and leaves the rest.
  ASSERT_TRUE(log.Open(fs, "/fallos.dat"));
  for (int k = 1; k <= 10; ++k) ASSERT_TRUE(log.Write(k, EntryOf(9, 1)));
  log.Close();
  ErrorLogReader reader;
  ASSERT_TRUE(reader.Open(fs, "/fallos.dat"));
  quirovel::EntryBytes read;
  ASSERT_TRUE(reader.Read(10, &read));
  EXPECT_EQ(ErrorEntry::Decode(read.data()).error, 9);
  ASSERT_TRUE(reader.Read(11, &read));
  EXPECT_EQ(ErrorEntry::Decode(read.data()).error, 13);
  EXPECT_FALSE(reader.Read(51, &read));
  reader.Close();
  EXPECT_EQ(fs.Contents("/fallos.dat")->size(), 51u * 32);
}

TEST(ErrorLogTest, EntriesInsideTheRoomWaitAndTheFileEndsAtItsEntries) {
  MemoryFileSystem memory;
  FaultyFileSystem disk(memory);
  // Writes from the tenth on fail: one write per episode would lose entries,
  // and the room written ahead is what saves them.
  disk.FailWritesFrom(10);
  ErrorLog log;
  ASSERT_TRUE(log.Open(disk, "/fallos.dat"));
  for (std::uint32_t episode = 1; episode <= 300; ++episode) {
    log.Queue(episode, EntryOf(13, episode));
    ASSERT_EQ(log.EndEpisode(), 0);
  }
  EXPECT_EQ(log.Close(), 0);
  const std::string& bytes = *memory.Contents("/fallos.dat");
  ASSERT_EQ(bytes.size(), 301u * 32);
  EXPECT_EQ(bytes.substr(0, 32), std::string(32, '\0'));
  EXPECT_EQ(bytes.substr(300 * 32, 32), Entry(13, 8, 0, 0, 0, 300));
}

TEST(ErrorLogTest, FullDiskIsNoticedInTheEpisodeThatWroteTooFar) {
  // Room for the zero bytes and entries 1 and 2, and half of entry 3.
  MemoryFileSystem memory;
  FaultyFileSystem disk(memory);
  disk.SetFileSizeLimit(32 * 3 + 16);
  ErrorLog log;
  ASSERT_TRUE(log.Open(disk, "/fallos.dat"));
  const std::string& bytes = *memory.Contents("/fallos.dat");
  log.Queue(1, EntryOf(13, 1));
  EXPECT_EQ(log.EndEpisode(), 0);
  log.Queue(2, EntryOf(13, 2));
  EXPECT_EQ(log.EndEpisode(), 0);
  log.Queue(3, EntryOf(13, 3));
  log.Queue(4, EntryOf(14, 3));
  EXPECT_EQ(log.EndEpisode(), 2);
  EXPECT_EQ(log.Close(), 0);
  // Cut back to what the entries wrote, as if no zeros were written ahead:
  // the first half of entry 3 stays, as a write that fell short leaves it.
  EXPECT_EQ(bytes.size(), 32u * 3 + 16);
  EXPECT_EQ(bytes.substr(64, 2), "13");
  EXPECT_EQ(bytes.substr(96, 16), Entry(13, 8, 0, 0, 0, 3).substr(0, 16));
}

// A switched-off error, the errors-file option off and an absent related field:
// what each leaves behind.
TEST(SeterrTest, SwitchesAbsentFieldsAndTheErrorsFileOption) {
  CheckFixture f;
  Session& s = f.session();
  s.config.SetErrorEnabled(13, kMensual, false);
  CheckResult r = f.CheckEpisode(CleanEpisode().Set("SEXO", "4"), kMensual);
  EXPECT_TRUE(r.entries.empty() && r.errores.empty());
  EXPECT_EQ(s.run.ErrorCounts[13] + s.run.FieldErrorCounts[SEXO], 0);
  EXPECT_FALSE(s.config.FieldMarked(SEXO));
  EXPECT_EQ(r.status, "");
  // The switch belongs to one test type only.
  EXPECT_EQ(f.Check(1, kTrimestral).Errors(), std::vector<int>{13});
  s.config.SetErrorEnabled(13, kMensual, true);

  // The option off: the entry is written, the line is not.
  f.BeginRecord(1);
  s.run.ErrorsFileOption = false;
  CheckAdministrative(f.checks());
  r = f.Collect();
  EXPECT_EQ(r.Errors(), std::vector<int>{13});
  EXPECT_EQ(r.errores, "");

  // An absent related field shows an empty text and is still marked.
  f.WriteTable({CleanEpisode().Set("TRASH", "99999")}, CheckFixture::LayoutWithout({"TIPALT"}));
  r = f.Check(1);
  ASSERT_EQ(r.Errors(), std::vector<int>{31});
  EXPECT_EQ(r.entries[0].related1, static_cast<std::uint32_t>(TIPALT));
  EXPECT_EQ(
      r.errores,
      "123456       10/03/2005 E222 Traslado con tipo de alta incorrecto TRASH= 99999 TipAlt=\r\n");
  EXPECT_TRUE(s.config.FieldMarked(TRASH));
  EXPECT_TRUE(s.config.FieldMarked(TIPALT));
}

class RecordingCounts final : public ErrorCountView {
 public:
  void ErrorCountChanged(int row, std::int32_t count) override { errors.push_back({row, count}); }
  void FieldCountChanged(int row, std::int32_t count) override { fields.push_back({row, count}); }
  std::vector<std::pair<int, std::int32_t>> errors, fields;
};

TEST(SeterrTest, CountsMarksAndTheCountLists) {
  CheckFixture f;
  Session& s = f.session();
  RecordingCounts view;
  s.run.count_view = &view;
  // E122 against FECING with FECALT related, then E84 against FECNAC.
  f.WriteTable(
      {CleanEpisode().Set("PROCEDEN", "7").Set("FECNAC", "20050301").Set("FECALT", "20050228")});
  CheckResult r = f.Check(1);
  s.run.count_view = nullptr;
  ASSERT_EQ(r.Errors(), (std::vector<int>{20, 12}));
  EXPECT_EQ(s.run.ErrorCount, 2);
  EXPECT_EQ(s.run.FieldErrorCounts[FECALT], 0) << "a related field is marked, not counted";
  for (int k : {FECING, FECNAC, FECALT}) EXPECT_TRUE(s.config.FieldMarked(k)) << k;
  EXPECT_FALSE(s.config.FieldMarked(SEXO));
  // The lists are repainted whole from the counts with the status, not once per error:
  // errors 20 and 12, fields FECING and FECNAC.
  ASSERT_EQ(view.errors.size(), 71u);
  ASSERT_EQ(view.fields.size(), 63u);
  for (auto [row, count] : view.errors) EXPECT_EQ(count, row == 19 || row == 11 ? 1 : 0) << row;
  for (auto [row, count] : view.fields) EXPECT_EQ(count, row == 11 || row == 6 ? 1 : 0) << row;
  EXPECT_EQ(r.status, "1:2");

  // Marks are never cleared by a later error-free check.
  f.CheckEpisode(CleanEpisode());
  EXPECT_TRUE(s.config.FieldMarked(FECALT));
}

// Numbers are shown as the field holds them, left-aligned "9" included, and a
// history ends at its first zero byte.
TEST(SeterrTest, LinesShowTheFieldsAsStored) {
  CheckFixture f;
  f.WriteTable(
      {CleanEpisode().Set("TGESTAC", "9").Set("HISTORIA", std::string("12") + '\0' + "45")});
  f.BeginRecord(1);
  SETERR(f.checks(), 39, C1);
  SETERR(f.checks(), 64, TGESTAC);
  CheckResult r = f.Collect();
  EXPECT_EQ(r.errores,
            "12 10/03/2005 E237 Parto Normal con tiempo de gestaci\xF3"
            "n <= 36 o >= 40 C1=486    TGESTAC=9 \r\n"
            "12 10/03/2005 E291 Tiempo de gestaci\xF3"
            "n incorrecto TGESTAC=    9  \r\n");
  EXPECT_EQ(r.entries[1].related1, static_cast<std::uint32_t>(C1));
}

// A write that falls short (room for entry 1 only) and writes that all fail:
// each lost entry shows its message, the run stops, and the count goes on.
TEST(SeterrTest, FailedLogWritesShowTheMessageStopAndStillCount) {
  for (bool full_disk : {true, false}) {
    SCOPED_TRACE(full_disk ? "full disk" : "failing writes");
    CheckFixture f;
    f.WriteTable({CleanEpisode(), CleanEpisode().Set("SEXO", "4").Set("TIPALT", "0")});
    f.BeginRecord(2);
    if (full_disk)
      f.faulty().SetFileSizeLimit(64);
    else
      f.faulty().FailWritesFrom(1);
    CheckAdministrative(f.checks());
    const DetectionRun& run = f.session().run;
    EXPECT_EQ(f.feedback().Texts(),
              std::vector<std::string>(full_disk ? 1 : 2, "SETERR: Error de escritura"));
    EXPECT_TRUE(run.StopFlag);
    EXPECT_EQ(run.ErrorCount, 2);
    EXPECT_EQ(run.ErrorCounts[29], 1);
    f.faulty().Heal();
    if (!full_disk) continue;
    CheckResult r = f.Collect();
    ASSERT_EQ(r.entries.size(), 1u) << "the second entry was never stored";
    EXPECT_EQ(r.entries[0].error, 13);
    EXPECT_EQ(r.entries[0].record, 2u);
    EXPECT_EQ(r.status, "2:2");
  }
}

TEST(SeterrTest, SinkCollectsEntriesWithoutTouchingTheLog) {
  CheckFixture f;
  f.WriteTable({CleanEpisode().Set("SEXO", "4")});
  f.BeginRecord(1);
  CheckContext& s = f.checks();
  std::vector<ErrorEntry> sink;
  s.run.entry_sink = &sink;
  CheckAdministrative(s);
  s.run.entry_sink = nullptr;
  ASSERT_EQ(sink.size(), 1u);
  EXPECT_EQ(EntryBytes(sink[0]), Entry(13, SEXO));
  EXPECT_TRUE(f.Collect().entries.empty());
  EXPECT_EQ(s.run.ErrorCount, 1);
}

// SETERR and the check of one code field, given numbers out of their ranges.
TEST(SeterrTest, NumbersOutsideTheCatalogueOrLayoutAreIgnored) {
  CheckFixture f;
  f.WriteTable({CleanEpisode().Set("C1", "")});
  f.BeginRecord(1);
  CheckContext& s = f.checks();
  for (auto [e, k] : {std::pair{0, 8}, {72, 8}, {-3, 8}, {13, 0}, {13, 64}, {13, -1}})
    SETERR(s, e, k);
  s.run.NotInVersionMark = 1;
  for (int k : {-1, 0, 18, 53, 64, 1000}) CheckCodeField(s, k);
  EXPECT_EQ(s.run.NotInVersionMark, 0);
  EXPECT_TRUE(f.Collect().entries.empty());
  EXPECT_EQ(s.run.ErrorCount, 0);
}

}  // namespace
}  // namespace quirovel::testing
