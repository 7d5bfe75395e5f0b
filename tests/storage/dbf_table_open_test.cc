// Opening tables that are missing, cut short, or whose header or descriptors
// are damaged or lie: each is refused with its message or opened so that every
// read stays safe, and the file is never written.
#include <gtest/gtest.h>

#include <optional>

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
  return std::string("Numero de campos incorrecto: ") + "\xBF" +
         "Encontrados:" + std::to_string(found) + " = Especificados:" + std::to_string(n) +
         "? MAX_CAMPOS=150, MAX_LONG_REG=640, longitud del resgistro=" +
         std::to_string(record_length) + "\n";
}

std::vector<TableField> NarrowFields(int count) {
  std::vector<TableField> fields;
  for (int i = 0; i < count; ++i) fields.push_back({"F" + std::to_string(i), 'C', 1});
  return fields;
}

struct Case {
  Case(const char* what, std::optional<std::string> bytes, int result,
       std::vector<std::string> messages, std::int64_t readable = 0,
       std::vector<std::pair<int, std::string>> fields = {})
      : what(what),
        bytes(std::move(bytes)),
        result(result),
        messages(std::move(messages)),
        readable(readable),
        fields(std::move(fields)) {}
  const char* what;
  std::optional<std::string> bytes;  // none: no file at all
  int result;
  std::vector<std::string> messages;
  std::int64_t readable;                            // records that read; the next one does not
  std::vector<std::pair<int, std::string>> fields;  // texts of the last readable record
};

std::vector<Case> Cases() {
  const std::vector<TableField> three = {{"A", 'C', 3}, {"B", 'N', 2}, {"C", 'D', 8}};
  std::vector<TableField> wide = {{"A", 'C', 127}, {"B", 'C', 127}, {"C", 'C', 127},
                                  {"D", 'C', 127}, {"E", 'C', 127}, {"F", 'C', 2}};
  std::vector<std::string> row149(149, "a");
  row149[148] = "z";
  std::vector<Case> cases;
  cases.push_back(Case("no file", std::nullopt, -1, {"Error al abril el fichero /t.dbf"}));
  cases.push_back(Case("header cut at 20 bytes", DbfBytes(three).substr(0, 20), -1,
                       {"El fichero /t.dbf no es una tabla dBase: cabecera incompleta"}));
  DbfShape s;
  s.terminator = false;
  cases.push_back(Case("header alone", DbfBytes({}, {}, s), -1,
                       {"Num campos incorrecto 0  MAX=149\n", CountMessage(-1, 0, 1)}));
  cases.push_back(
      Case("no terminator, file ends", DbfBytes(three, {}, s), -1, {CountMessage(2, 3, 14)}));
  cases.push_back(Case(
      "149 fields without terminator", DbfBytes(NarrowFields(149), {}, s) + std::string(32, 'x'),
      -1, {"El fichero /t.dbf no es una tabla dBase: falta el final de los descriptores"}));
  s.header_length = 32 * 2 + 33;  // header says 2 fields: the count agrees by chance
  cases.push_back(
      Case("no terminator, count agrees", DbfBytes(three, {}, s), -1,
           {"El fichero /t.dbf no es una tabla dBase: falta el final de los descriptores"}));
  s = {};
  s.record_count = 2;
  cases.push_back(Case("no fields, two records", DbfBytes({}, {}, s) + "  ", 1,
                       {"Num campos incorrecto 0  MAX=149\n"}, 2));
  cases.push_back(Case("149 fields", DbfBytes(NarrowFields(149), {row149}), 1, {}, 1,
                       {{148, "a"}, {149, "z"}}));
  cases.push_back(Case("150 fields", DbfBytes(NarrowFields(150)), -1,
                       {"Num campos incorrecto 150  MAX=149\n", CountMessage(149, 150, 151)}));
  s = {};
  s.header_length = 32 * 3 + 33;
  cases.push_back(
      Case("header says 3 fields, 4 descriptors",
           DbfBytes({{"A", 'C', 1}, {"B", 'C', 1}, {"C", 'C', 1}, {"D", 'C', 1}}, {}, s), -1,
           {CountMessage(4, 3, 5)}));
  s.header_length = 65535;
  cases.push_back(Case("header length far too big", DbfBytes(three, {}, s), -1,
                       {"Num campos incorrecto 2046  MAX=149\n", CountMessage(3, 2046, 14)}));
  s.header_length = 0;
  cases.push_back(Case("header length 0", DbfBytes(three, {}, s), -1, {CountMessage(3, -1, 14)}));
  cases.push_back(Case("record length 638",
                       DbfBytes(wide, {{"", "", "", "", std::string(127, 'e'), "ff"}}), 1, {}, 1,
                       {{5, std::string(127, 'e')}, {6, "ff"}}));
  wide.back().width = 3;
  cases.push_back(Case("record length 639", DbfBytes(wide), -1, {CountMessage(6, 6, 639)}));
  s = {};
  s.record_length = 0;
  cases.push_back(
      Case("record length 0", DbfBytes(three, {}, s), -1,
           {"ERROR: APERTURA FICHERO (longitud resgistro)",
            "El fichero /t.dbf no es valido: sus campos ocupan 14 bytes y el registro solo 0"}));
  s.record_length = 5;
  cases.push_back(
      Case("record shorter than its fields", DbfBytes(three, {}, s), -1,
           {"El fichero /t.dbf no es valido: sus campos ocupan 14 bytes y el registro solo 5"}));
  s.record_length = 60000;
  cases.push_back(Case("record length beyond the maximum", DbfBytes(three, {}, s), -1,
                       {CountMessage(3, 3, 60000)}));
  cases.push_back(
      Case("width 128", DbfBytes({{"A", 'C', 3}, {"NOTAS", 'C', 128}}), -1,
           {"El fichero /t.dbf tiene el campo NOTAS con una anchura no admitida (128)"}));
  cases.push_back(Case("width 0 between fields",
                       DbfBytes({{"A", 'C', 2}, {"Z", 'C', 0}, {"B", 'C', 2}}, {{"ab", "", "cd"}}),
                       1, {}, 1, {{1, "ab"}, {2, ""}, {3, "cd"}}));
  s = {};
  s.record_count = 0xFFFFFFFFu;
  cases.push_back(Case("record count lies", DbfBytes(three, {{"abc", "12", "20060315"}}, s), 1,
                       {"El fichero /t.dbf est\xE1 incompleto: su cabecera dice 4294967295 "
                        "registros y solo contiene 1"},
                       1, {{3, "20060315"}}));
  s.record_count = 5;  // two records, and the second is cut after "cccc" and one "d"
  const std::string cut =
      DbfBytes({{"A", 'C', 4}, {"B", 'C', 4}}, {{"aaaa", "bbbb"}, {"cccc", "dddd"}}, s);
  cases.push_back(Case("file ends inside a record", cut.substr(0, cut.size() - 3), 1,
                       {"El fichero /t.dbf est\xE1 incompleto: su cabecera dice 5 registros y "
                        "solo contiene 2"},
                       2, {{1, "cccc"}, {2, "d   "}}));
  return cases;
}

TEST(DbfTableOpen, RefusesOrOpensDamagedTablesWithTheirMessagesAndNeverWrites) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.what);
    MemoryFileSystem fs;
    ASSERT_TRUE(!c.bytes || fs.SetContents(kPath, *c.bytes));
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
        for (int i = -1; i <= table.field_count() + 1; ++i)
          EXPECT_LE(table.FieldText(i).size(), 127u);
      }
      // Back to the start after failed reads, then the last record whole:
      // what the file lacks of it reads as blanks, not as the record before.
      if (c.readable > 0) {
        ASSERT_EQ(table.ReadRecord(1), 0);
        ASSERT_EQ(table.ReadRecord(c.readable), 0);
        EXPECT_EQ(table.status(), 0);
      }
      for (const auto& [field, text] : c.fields) EXPECT_EQ(table.FieldText(field), text) << field;
      EXPECT_EQ(table.ReadRecord(c.readable + 1), 1);
      if (c.result != 1) {
        EXPECT_EQ(table.record_count(), 0u);
        EXPECT_EQ(table.field_count(), 0);
      }
      table.Close();
    }
    const std::string* left = fs.Contents(kPath);
    EXPECT_EQ(left ? std::optional(*left) : std::nullopt, c.bytes) << "the file was written";
  }
}

}  // namespace
}  // namespace quirovel
