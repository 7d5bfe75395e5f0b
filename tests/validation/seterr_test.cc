// The error entry, the error log and SETERR: switches, absent fields,
// counters and marks, the "errores.txt" line, failed writes and the status.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/memory_file_system.h"
#include "support/check_fixture.h"
#include "validation/checks.h"
#include "validation/error_log.h"
#include "validation/error_log_reader.h"
#include "validation/seterr.h"

namespace quirovel::testing {
namespace {

std::string Le32(std::uint32_t v) {
  return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
          static_cast<char>(v >> 24)};
}

TEST(ErrorEntryTest, LaidOutByteForByte) {
  ErrorEntry e;
  e.error = 5;
  e.field = 3;
  e.related1 = 12;
  e.related2 = 7;
  e.record = 70000;  // 0x00011170
  e.not_in_version = 1;
  const std::string expected = std::string(" 5\0\0", 4) + Le32(3) + Le32(12) + Le32(7) + Le32(0) +
                               std::string("\x70\x11\x01\x00", 4) + std::string(" \0\0\0", 4) +
                               Le32(1);
  EXPECT_EQ(EntryBytes(e), expected);

  e.error = 71;
  EXPECT_EQ(EntryBytes(e).substr(0, 4), std::string("71\0\0", 4));

  const std::string bytes = EntryBytes(e);
  ErrorEntry back = ErrorEntry::Decode(reinterpret_cast<const unsigned char*>(bytes.data()));
  EXPECT_EQ(back.error, 71);
  EXPECT_EQ(back.field, 3u);
  EXPECT_EQ(back.related1, 12u);
  EXPECT_EQ(back.related2, 7u);
  EXPECT_EQ(back.record, 70000u);
  EXPECT_EQ(back.not_in_version, 1u);
}

TEST(ErrorLogTest, NewLogHasZerosBeforeEntryOneAndIsNeverTruncated) {
  MemoryFileSystem fs;
  ErrorLog log;
  ASSERT_TRUE(log.Open(fs, "/fallos.dat"));
  ErrorEntry e;
  e.error = 13;
  e.field = 8;
  e.record = 1;
  for (int k = 1; k <= 50; ++k) log.Queue(k, e);
  EXPECT_EQ(log.Flush(), 0);
  log.Close();
  const std::string* bytes = fs.Contents("/fallos.dat");
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(bytes->size(), 51u * 32);
  EXPECT_EQ(bytes->substr(0, 32), std::string(32, '\0'));
  EXPECT_EQ(bytes->substr(32, 4), std::string("13\0\0", 4));

  // A later run with 10 errors overwrites entries 1..10 and leaves the rest.
  ASSERT_TRUE(log.Open(fs, "/fallos.dat"));
  e.error = 9;
  for (int k = 1; k <= 10; ++k) ASSERT_TRUE(log.Write(k, e));
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

ErrorEntry EntryOf(int error, std::uint32_t record) {
  ErrorEntry e;
  e.error = error;
  e.field = 8;
  e.record = record;
  return e;
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
  EXPECT_EQ(bytes.substr(300 * 32, 32), std::string("13\0\0", 4) + Le32(8) + Le32(0) + Le32(0) +
                                                 Le32(0) + Le32(300) + std::string(" \0\0\0", 4) + Le32(0));

  // A shorter run leaves the longer file as it was beyond its entries.
  ASSERT_TRUE(log.Open(disk, "/fallos.dat"));
  log.Queue(1, EntryOf(9, 1));
  ASSERT_EQ(log.EndEpisode(), 0);
  EXPECT_EQ(log.Close(), 0);
  EXPECT_EQ(bytes.size(), 301u * 32);
  EXPECT_EQ(bytes.substr(32, 2), " 9");
  EXPECT_EQ(bytes.substr(64, 2), "13");
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
  EXPECT_EQ(bytes.substr(96, 16), std::string("13\0\0", 4) + Le32(8) + Le32(0) + Le32(0));
}

TEST(SeterrTest, SwitchedOffErrorLeavesNoTrace) {
  CheckFixture f;
  Session& s = f.session();
  s.config.SetErrorEnabled(13, kMensual, false);
  CheckResult r = f.CheckEpisode(CleanEpisode().Set("SEXO", "4"), kMensual);
  EXPECT_TRUE(r.entries.empty());
  EXPECT_EQ(r.errores, "");
  EXPECT_EQ(s.run.ErrorCount, 0);
  EXPECT_EQ(s.run.ErrorCounts[13], 0);
  EXPECT_EQ(s.run.FieldErrorCounts[SEXO], 0);
  EXPECT_FALSE(s.config.FieldMarked(SEXO));
  EXPECT_EQ(r.status, "");

  // The switch belongs to one test type only.
  EXPECT_EQ(f.Check(1, kTrimestral).Errors(), std::vector<int>{13});
}

TEST(SeterrTest, ErrorAboutAnAbsentFieldIsDropped) {
  CheckFixture f;
  f.WriteTable({CleanEpisode().Set("SEXO", "4")}, CheckFixture::LayoutWithout({"SEXO"}));
  CheckResult r = f.Check(1);
  // SEXO decodes as 0 and fails its test, but the file has no such field.
  EXPECT_TRUE(r.entries.empty());
  EXPECT_EQ(f.session().run.ErrorCounts[13], 0);
  EXPECT_FALSE(f.session().config.FieldMarked(SEXO));
}

TEST(SeterrTest, AbsentRelatedFieldShowsAnEmptyTextAndIsStillMarked) {
  CheckFixture f;
  f.WriteTable({CleanEpisode().Set("TRASH", "99999")}, CheckFixture::LayoutWithout({"TIPALT"}));
  CheckResult r = f.Check(1);
  ASSERT_EQ(r.Errors(), std::vector<int>{31});
  EXPECT_EQ(r.entries[0].related1, static_cast<std::uint32_t>(TIPALT));
  EXPECT_EQ(r.errores,
            "123456       10/03/2005 E222 Traslado con tipo de alta incorrecto TRASH= 99999 TipAlt=\r\n");
  EXPECT_TRUE(f.session().config.FieldMarked(TRASH));
  EXPECT_TRUE(f.session().config.FieldMarked(TIPALT));
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
  f.WriteTable({CleanEpisode().Set("PROCEDEN", "7").Set("FECNAC", "20050301").Set("FECALT", "20050228")});
  CheckResult r = f.Check(1);
  s.run.count_view = nullptr;
  ASSERT_EQ(r.Errors(), (std::vector<int>{20, 12}));
  EXPECT_EQ(s.run.ErrorCount, 2);
  EXPECT_EQ(s.run.ErrorCounts[20], 1);
  EXPECT_EQ(s.run.ErrorCounts[12], 1);
  EXPECT_EQ(s.run.FieldErrorCounts[FECING], 1);
  EXPECT_EQ(s.run.FieldErrorCounts[FECNAC], 1);
  EXPECT_EQ(s.run.FieldErrorCounts[FECALT], 0) << "a related field is marked, not counted";
  for (int k : {FECING, FECNAC, FECALT}) EXPECT_TRUE(s.config.FieldMarked(k)) << k;
  EXPECT_FALSE(s.config.FieldMarked(SEXO));
  // The lists are repainted whole with the status, not once per error.
  ASSERT_EQ(view.errors.size(), 71u);
  ASSERT_EQ(view.fields.size(), 63u);
  for (auto [row, count] : view.errors) EXPECT_EQ(count, row == 19 || row == 11 ? 1 : 0) << row;
  for (auto [row, count] : view.fields) EXPECT_EQ(count, row == 11 || row == 6 ? 1 : 0) << row;
  EXPECT_EQ(r.status, "1:2");

  // Marks are never cleared by a later error-free check.
  f.CheckEpisode(CleanEpisode());
  EXPECT_TRUE(s.config.FieldMarked(FECALT));
}

TEST(SeterrTest, LineOfE84FromTheBirthAndDischargeDates) {
  CheckFixture f;
  f.WriteTable({CleanEpisode().Set("FECNAC", "20050101").Set("FECALT", "20041231")});
  f.BeginRecord(1);
  SETERR(f.checks(), 12, FECNAC);
  CheckResult r = f.Collect();
  EXPECT_EQ(r.errores,
            "123456       31/12/2004 E84  Fecha nacimiento > alta FECNAC=20050101 "
            "fecalt ->FECALT=20041231\r\n");
}

TEST(SeterrTest, DetailsOfTheCodeErrors) {
  CheckFixture f;
  f.WriteTable({CleanEpisode().Set("TGESTAC", "9").Set("CE", "E880.9").Set("REGFIN", "2")
                    .Set("FEINTV", "99990909").Set("TIPING", "2").Set("P1", "47.0")});
  f.BeginRecord(1);
  CheckContext& s = f.checks();
  SETERR(s, 39, C1);   // "%s=%s\n" TGESTAC
  SETERR(s, 44, 20);   // "Sexo=%d\n"
  SETERR(s, 58, P1);   // "Intv=%s " then "%s=%1s\n"
  SETERR(s, 48, CE);   // "RegFin=%s\n"
  SETERR(s, 64, TGESTAC);
  CheckResult r = f.Collect();
  const std::string p = "123456       10/03/2005 ";
  EXPECT_EQ(r.errores,
            p + "E237 Parto Normal con tiempo de gestaci\xF3" "n <= 36 o >= 40 C1=486    TGESTAC=9 \r\n" +
            p + "E245 Diagn\xF3" "stico con sexo incorrecto C2=       Sexo=2\r\n" +
            p + "E273 Falta fecha de intervenci\xF3" "n P1= 47.0  Intv=99990909 TIPING=2\r\n" +
            p + "E254 M\xFAtua Tr\xE1" "fico, C\xF3" "digo E incorrecto CE=E880.9 RegFin=2\r\n" +
            p + "E291 Tiempo de gestaci\xF3" "n incorrecto TGESTAC=    9  \r\n");
  EXPECT_EQ(r.entries[2].related1, static_cast<std::uint32_t>(FEINTV));
  EXPECT_EQ(r.entries[2].related2, static_cast<std::uint32_t>(TIPING));
  EXPECT_EQ(r.entries[4].related1, static_cast<std::uint32_t>(C1));
}

TEST(SeterrTest, NotInVersionMarkOnlyForTheNotInCatalogueErrors) {
  CheckFixture f;
  f.WriteTable({CleanEpisode().Set("C1", "279.9")});
  f.BeginRecord(1);
  CheckContext& s = f.checks();
  s.run.NotInVersionMark = 1;
  SETERR(s, 33, C1);
  SETERR(s, 34, C1);
  CheckResult r = f.Collect();
  ASSERT_EQ(r.entries.size(), 2u);
  EXPECT_EQ(r.raw[0].substr(28, 4), Le32(1));
  EXPECT_EQ(r.raw[1].substr(28, 4), Le32(0));
  EXPECT_EQ(r.errores,
            "123456       10/03/2005 E231 Diagn\xF3" "stico principal no es CIE-9-MC C1=279.9  "
            "No CIE9MC'2002 \r\n"
            "123456       10/03/2005 E232 Diagn\xF3" "stico principal no v\xE1" "lido C1=279.9  \r\n");
}

TEST(SeterrTest, OptionOffWritesTheEntryButNoLine) {
  CheckFixture f;
  f.WriteTable({CleanEpisode().Set("SEXO", "4")});
  f.BeginRecord(1);
  f.session().run.ErrorsFileOption = false;
  CheckAdministrative(f.checks());
  CheckResult r = f.Collect();
  EXPECT_EQ(r.Errors(), std::vector<int>{13});
  EXPECT_EQ(r.errores, "");
}

TEST(SeterrTest, FailedLogWriteShowsTheMessageStopsAndStillCounts) {
  CheckFixture f;
  f.WriteTable({CleanEpisode(), CleanEpisode().Set("SEXO", "4").Set("TIPALT", "0")});
  f.BeginRecord(2);
  // Room for entry 1 only: the file may not grow past 64 bytes.
  f.faulty().SetFileSizeLimit(64);
  CheckAdministrative(f.checks());
  const DetectionRun& run = f.session().run;
  EXPECT_EQ(f.feedback().Texts(), std::vector<std::string>{"SETERR: Error de escritura"});
  EXPECT_TRUE(run.StopFlag);
  EXPECT_EQ(run.ErrorCount, 2);
  EXPECT_EQ(run.ErrorCounts[29], 1);
  f.faulty().Heal();
  CheckResult r = f.Collect();
  ASSERT_EQ(r.entries.size(), 1u) << "the second entry was never stored";
  EXPECT_EQ(r.entries[0].error, 13);
  EXPECT_EQ(r.entries[0].record, 2u);
  EXPECT_EQ(r.status, "2:2");
}

TEST(SeterrTest, EveryLostEntryIsReported) {
  CheckFixture f;
  f.WriteTable({CleanEpisode().Set("SEXO", "4").Set("TIPALT", "0")});
  f.BeginRecord(1);
  f.faulty().FailWritesFrom(1);
  CheckAdministrative(f.checks());
  EXPECT_EQ(f.feedback().Texts(),
            (std::vector<std::string>{"SETERR: Error de escritura", "SETERR: Error de escritura"}));
  EXPECT_TRUE(f.session().run.StopFlag);
  EXPECT_EQ(f.session().run.ErrorCount, 2);
  f.faulty().Heal();
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
  EXPECT_EQ(EntryBytes(sink[0]), std::string("13\0\0", 4) + Le32(SEXO) + Le32(0) + Le32(0) +
                                     Le32(0) + Le32(1) + std::string(" \0\0\0", 4) + Le32(0));
  EXPECT_TRUE(f.Collect().entries.empty());
  EXPECT_EQ(s.run.ErrorCount, 1);
}

TEST(SeterrTest, NumbersOutsideTheCatalogueOrLayoutAreIgnored) {
  CheckFixture f;
  f.WriteTable({CleanEpisode()});
  f.BeginRecord(1);
  CheckContext& s = f.checks();
  for (auto [e, k] : {std::pair{0, 8}, {72, 8}, {-3, 8}, {13, 0}, {13, 64}, {13, -1}}) SETERR(s, e, k);
  EXPECT_TRUE(f.Collect().entries.empty());
  EXPECT_EQ(s.run.ErrorCount, 0);
}

TEST(SeterrTest, HistoryWithAZeroByteIsPrintedUpToIt) {
  CheckFixture f;
  f.WriteTable({CleanEpisode().Set("HISTORIA", std::string("12\0" "45", 5)).Set("SEXO", "4")});
  CheckResult r = f.Check(1);
  // The history ends at the zero byte: "12" is a valid history.
  ASSERT_EQ(r.Errors(), (std::vector<int>{13}));
  EXPECT_EQ(r.errores.substr(0, 14), "12 10/03/2005 ");
}

}  // namespace
}  // namespace quirovel::testing
