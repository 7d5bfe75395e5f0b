// Opening tables whose header or descriptors are damaged or lie: each is
// refused with its message or opened so that every read stays safe, and the
// file is never written.
#include <gtest/gtest.h>

#include "platform/cp1252.h"
#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"
#include "storage/dbf_table.h"
#include "support/dbf_builder.h"

namespace quirovel {
namespace {

using testing::DbfBytes;
using testing::DbfShape;
using testing::TableField;

const char* const kPath = "/t.dbf";

std::string CountMessage(int found, int n, int record_length) {
  // Written out from the message's format, not taken from the code.
  return std::string("Numero de campos incorrecto: ") + "\xBF" + "Encontrados:" +
         std::to_string(found) + " = Especificados:" + std::to_string(n) +
         "? MAX_CAMPOS=150, MAX_LONG_REG=640, longitud del resgistro=" +
         std::to_string(record_length) + "\n";
}

std::vector<TableField> NarrowFields(int count) {
  std::vector<TableField> fields;
  for (int i = 0; i < count; ++i) fields.push_back({"F" + std::to_string(i), 'C', 1});
  return fields;
}

struct OpenCase {
  const char* what;
  std::string bytes;
  int result;
  std::vector<std::string> messages;
};

std::vector<OpenCase> Cases() {
  const std::vector<TableField> three = {{"A", 'C', 3}, {"B", 'N', 2}, {"C", 'D', 8}};
  std::vector<OpenCase> cases;
  cases.push_back({"empty file", "", -1,
                   {"El fichero /t.dbf no es una tabla dBase: cabecera incompleta"}});
  cases.push_back({"header cut at 20 bytes", DbfBytes(three).substr(0, 20), -1,
                   {"El fichero /t.dbf no es una tabla dBase: cabecera incompleta"}});
  {
    DbfShape s;
    s.terminator = false;
    cases.push_back({"header alone", DbfBytes({}, {}, s), -1,
                     {"Num campos incorrecto 0  MAX=149\n", CountMessage(-1, 0, 1)}});
  }
  cases.push_back({"no fields at all", DbfBytes({}), 1, {"Num campos incorrecto 0  MAX=149\n"}});
  cases.push_back({"149 fields", DbfBytes(NarrowFields(149)), 1, {}});
  cases.push_back({"150 fields", DbfBytes(NarrowFields(150)), -1,
                   {"Num campos incorrecto 150  MAX=149\n", CountMessage(149, 150, 151)}});
  cases.push_back({"200 fields", DbfBytes(NarrowFields(200)), -1,
                   {"Num campos incorrecto 200  MAX=149\n", CountMessage(149, 200, 201)}});
  {
    // 149 descriptors and the 150th block is not a terminator.
    DbfShape s;
    s.terminator = false;
    std::string bytes = DbfBytes(NarrowFields(149), {}, s) + std::string(32, 'x');
    cases.push_back({"149 fields without terminator", bytes, -1,
                     {"El fichero /t.dbf no es una tabla dBase: falta el final de los descriptores"}});
  }
  {
    DbfShape s;
    s.terminator = false;
    cases.push_back({"no terminator, file ends", DbfBytes(three, {}, s), -1, {CountMessage(2, 3, 14)}});
    s.header_length = 32 * 2 + 33;  // header says 2 fields: the count agrees by chance
    cases.push_back({"no terminator, count agrees", DbfBytes(three, {}, s), -1,
                     {"El fichero /t.dbf no es una tabla dBase: falta el final de los descriptores"}});
  }
  {
    DbfShape s;
    s.header_length = 32 * 3 + 33;
    cases.push_back({"header says 3 fields, 4 descriptors",
                     DbfBytes({{"A", 'C', 1}, {"B", 'C', 1}, {"C", 'C', 1}, {"D", 'C', 1}}, {}, s), -1,
                     {CountMessage(4, 3, 5)}});
    s.header_length = 65535;
    cases.push_back({"header length far too big", DbfBytes(three, {}, s), -1,
                     {"Num campos incorrecto 2046  MAX=149\n", CountMessage(3, 2046, 14)}});
    s.header_length = 0;
    cases.push_back({"header length 0", DbfBytes(three, {}, s), -1, {CountMessage(3, -1, 14)}});
  }
  cases.push_back({"record length 638", DbfBytes({{"A", 'C', 127}, {"B", 'C', 127}, {"C", 'C', 127},
                                                  {"D", 'C', 127}, {"E", 'C', 127}, {"F", 'C', 2}}),
                   1, {}});
  cases.push_back({"record length 639", DbfBytes({{"A", 'C', 127}, {"B", 'C', 127}, {"C", 'C', 127},
                                                  {"D", 'C', 127}, {"E", 'C', 127}, {"F", 'C', 3}}),
                   -1, {CountMessage(6, 6, 639)}});
  {
    DbfShape s;
    s.record_length = 0;
    cases.push_back({"record length 0", DbfBytes(three, {}, s), -1,
                     {"ERROR: APERTURA FICHERO (longitud resgistro)",
                      "El fichero /t.dbf no es valido: sus campos ocupan 14 bytes y el registro solo 0"}});
    s.record_length = 5;
    cases.push_back({"record shorter than its fields", DbfBytes(three, {}, s), -1,
                     {"El fichero /t.dbf no es valido: sus campos ocupan 14 bytes y el registro solo 5"}});
    s.record_length = 60000;
    cases.push_back({"record length beyond the maximum", DbfBytes(three, {}, s), -1,
                     {CountMessage(3, 3, 60000)}});
  }
  cases.push_back({"width 128", DbfBytes({{"A", 'C', 3}, {"NOTAS", 'C', 128}}), -1,
                   {"El fichero /t.dbf tiene el campo NOTAS con una anchura no admitida (128)"}});
  cases.push_back({"width 200", DbfBytes({{"NOTAS", 'C', 200}}), -1,
                   {"El fichero /t.dbf tiene el campo NOTAS con una anchura no admitida (200)"}});
  cases.push_back({"width 0 between fields", DbfBytes({{"A", 'C', 2}, {"Z", 'C', 0}, {"B", 'C', 2}}), 1, {}});
  {
    DbfShape s;
    s.record_count = 0xFFFFFFFFu;
    cases.push_back({"record count lies", DbfBytes(three, {{"abc", "12", "20060315"}}, s), 1, {}});
  }
  return cases;
}

TEST(DbfTableOpen, RefusesOrOpensDamagedTablesWithTheirMessagesAndNeverWrites) {
  for (const OpenCase& c : Cases()) {
    SCOPED_TRACE(c.what);
    MemoryFileSystem fs;
    ASSERT_TRUE(fs.SetContents(kPath, c.bytes));
    RecordingFeedback feedback;
    {
      DbfTable table(fs, feedback);
      EXPECT_EQ(table.Open(kPath), c.result);
      EXPECT_EQ(table.is_open(), c.result == 1);
      EXPECT_EQ(feedback.Texts(), c.messages);
      // Whatever was opened or refused, reading every record and field is safe.
      const std::int64_t last = std::min<std::int64_t>(table.record_count(), 3);
      for (std::int64_t n = 0; n <= last + 1; ++n) {
        table.ReadRecord(n);
        for (int i = -1; i <= table.field_count() + 1; ++i) {
          std::string_view text = table.FieldText(i);
          EXPECT_LE(text.size(), 127u);
        }
      }
      if (c.result != 1) {
        EXPECT_EQ(table.record_count(), 0u);
        EXPECT_EQ(table.field_count(), 0);
        EXPECT_EQ(table.ReadRecord(1), 1);
      }
      table.Close();
    }
    EXPECT_EQ(*fs.Contents(kPath), c.bytes) << "the file was written";
  }
}

TEST(DbfTableOpen, ShowsTheOpenFailureWithThePath) {
  MemoryFileSystem fs;
  RecordingFeedback feedback;
  DbfTable table(fs, feedback);
  EXPECT_EQ(table.Open("/no/such.dbf"), -1);
  EXPECT_EQ(feedback.Texts(), std::vector<std::string>{"Error al abril el fichero /no/such.dbf"});
  EXPECT_FALSE(table.is_open());
}

TEST(DbfTableOpen, ReadsTheFieldsBesideAZeroWidthField) {
  MemoryFileSystem fs;
  fs.SetContents(kPath, DbfBytes({{"A", 'C', 2}, {"Z", 'C', 0}, {"B", 'C', 2}}, {{"ab", "", "cd"}}));
  RecordingFeedback feedback;
  DbfTable table(fs, feedback);
  ASSERT_EQ(table.Open(kPath), 1);
  ASSERT_EQ(table.ReadRecord(1), 0);
  EXPECT_EQ(table.FieldText(1), "ab");
  EXPECT_EQ(table.FieldText(2), "");
  EXPECT_EQ(table.FieldText(3), "cd");
}

TEST(DbfTableOpen, HasNoFieldsButReadsRecordsWhenTheTableHasNone) {
  MemoryFileSystem fs;
  DbfShape s;
  s.record_count = 2;
  fs.SetContents(kPath, DbfBytes({}, {}, s) + "  ");
  RecordingFeedback feedback;
  DbfTable table(fs, feedback);
  ASSERT_EQ(table.Open(kPath), 1);
  EXPECT_EQ(table.field_count(), 0);
  EXPECT_EQ(table.ReadRecord(2), 0);
  EXPECT_EQ(table.ReadRecord(3), 1);
  EXPECT_EQ(table.FieldText(1), "");
}

TEST(DbfTableOpen, ReadsTheLastOf149FieldsAtItsOffset) {
  std::vector<TableField> fields = NarrowFields(149);
  std::vector<std::string> row(149, "a");
  row[148] = "z";
  MemoryFileSystem fs;
  fs.SetContents(kPath, DbfBytes(fields, {row}));
  RecordingFeedback feedback;
  DbfTable table(fs, feedback);
  ASSERT_EQ(table.Open(kPath), 1);
  EXPECT_EQ(table.field_count(), 149);
  ASSERT_EQ(table.ReadRecord(1), 0);
  EXPECT_EQ(table.FieldText(148), "a");
  EXPECT_EQ(table.FieldText(149), "z");
  EXPECT_EQ(table.Descriptor(149).name, "F148");
}

TEST(DbfTableOpen, AFileShorterThanItsCountReadsWhatIsThereAndBlanksACutRecord) {
  const std::vector<TableField> fields = {{"A", 'C', 4}, {"B", 'C', 4}};
  DbfShape s;
  s.record_count = 5;
  std::string bytes = DbfBytes(fields, {{"aaaa", "bbbb"}, {"cccc", "dddd"}}, s);
  bytes.resize(bytes.size() - 3);  // record 2 ends after "cccc" and one "d"
  MemoryFileSystem fs;
  fs.SetContents(kPath, bytes);
  RecordingFeedback feedback;
  DbfTable table(fs, feedback);
  ASSERT_EQ(table.Open(kPath), 1);
  EXPECT_EQ(table.record_count(), 5u);
  ASSERT_EQ(table.ReadRecord(1), 0);
  EXPECT_EQ(table.FieldText(2), "bbbb");
  ASSERT_EQ(table.ReadRecord(2), 0);
  EXPECT_EQ(table.FieldText(1), "cccc");
  EXPECT_EQ(table.FieldText(2), "d   ");  // not the "bbb" of record 1
  EXPECT_EQ(table.ReadRecord(3), 1);
  EXPECT_EQ(table.status(), 1);
  EXPECT_EQ(table.ReadRecord(5), 1);
  // Jumping back after a failure reads again.
  EXPECT_EQ(table.ReadRecord(1), 0);
  EXPECT_EQ(table.FieldText(1), "aaaa");
  EXPECT_EQ(table.status(), 0);
}

TEST(DbfTableOpen, AcceptsA638ByteRecordAndReadsItsLastField) {
  std::vector<TableField> fields = {{"A", 'C', 127}, {"B", 'C', 127}, {"C", 'C', 127},
                                   {"D", 'C', 127}, {"E", 'C', 127}, {"F", 'C', 2}};
  MemoryFileSystem fs;
  fs.SetContents(kPath, DbfBytes(fields, {{"", "", "", "", std::string(127, 'e'), "ff"}}));
  RecordingFeedback feedback;
  DbfTable table(fs, feedback);
  ASSERT_EQ(table.Open(kPath), 1);
  EXPECT_EQ(table.record_length(), 638);
  ASSERT_EQ(table.ReadRecord(1), 0);
  EXPECT_EQ(table.FieldText(5), std::string(127, 'e'));
  EXPECT_EQ(table.FieldText(6), "ff");
}

}  // namespace
}  // namespace quirovel
