// The text import on hand-written text files: the tables it leaves, byte for
// byte, against tables built independently, and every message it shows.
#include "transfer/text_import.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/cp1252.h"
#include "platform/faulty_file_system.h"
#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"
#include "storage/table_files.h"
#include "support/dbf_builder.h"

namespace quirovel {
namespace {

using testing::DbfBytes;
using testing::TableField;

struct Case {
  const char* what;
  std::vector<TableField> fields;
  TextImportOptions options;
  bool header;
  std::string text;
  std::vector<std::vector<std::string>> rows;  // the records expected
  TextImportEnd end;
  std::vector<std::string> messages;  // after the import's own summary is taken out
};

TextImportOptions Separated(char separator, char delimiter = ' ', const char* format = "1") {
  return {false, separator, delimiter, format};
}

const std::vector<TableField> kCodes = {{"A", 'C', 5}, {"B", 'C', 3}};
const std::vector<TableField> kDated = {{"F", 'D', 8}, {"N", 'N', 2}};

struct Outcome {
  TextImportResult result;
  std::string table;
  std::vector<std::string> messages;
};

Outcome Import(const Case& c, FileSystem* through = nullptr) {
  MemoryFileSystem memory;
  memory.SetContents("/s.dbf", DbfBytes(c.fields));
  memory.SetContents("/t.txt", c.text);
  FileSystem& fs = through != nullptr ? *through : memory;
  RecordingFeedback feedback;
  TextImportJob job{"/t.txt", "/s.dbf", "/new.dbf", c.options, c.header};
  Outcome o;
  o.result = RunTextImport(through != nullptr ? *through : memory, feedback, job);
  (void)fs;
  if (const std::string* t = memory.Contents("/new.dbf")) o.table = *t;
  for (const auto& m : feedback.messages)
    if (m.text.find(" registros en /new.dbf") == std::string::npos) o.messages.push_back(m.text);
  return o;
}

TEST(TextImport, LaysOutEachLineAsTheRecordsBuiltByHand) {
  const std::string ntilde = "\xF1";
  const std::vector<Case> cases = {
      {"quoted values and separators",
       kCodes,
       Separated(',', '"'),
       false,
       "\"02012\",\"1\"\n\"\",\"x\"\n\"ab\"\"c\",\"d\"\n\"a,b\",\"c\"\n",
       {{"02012", "1"}, {"", "x"}, {"abc", "d"}, {"a,b", "c"}},
       TextImportEnd::kCompleted,
       {}},
      {"fewer values, more values, a blank line, CR LF, no last end",
       kCodes,
       Separated('|'),
       false,
       "A|B|C|D\r\nA\r\n\nX" + ntilde + "|\xE9\xFF",
       {{"A", "B"}, {"A", ""}, {"", ""}, {"X" + ntilde, "\xE9\xFF"}},
       TextImportEnd::kCompleted,
       {}},
      {"a header line is skipped",
       kCodes,
       Separated(';'),
       true,
       "A;B\n1;2\n",
       {{"1", "2"}},
       TextImportEnd::kCompleted,
       {}},
      {"the last field cut in separated mode",
       kCodes,
       Separated(','),
       false,
       "1,abcdefgh\n",
       {{"1", "abc"}},
       TextImportEnd::kCompleted,
       {}},
      {"fixed lengths, short and long lines, delimiters removed",
       kCodes,
       {true, '|', '"', "1"},
       false,
       "ABCDEFGHIJ\nAB\n\"QRSTUVW\n",
       {{"ABCDE", "FGH"}, {"AB", ""}, {"QRSTU", "VW"}},
       TextImportEnd::kCompleted,
       {}},
      {"a separator n means fixed lengths",
       kCodes,
       OptionsFrom({"", "1", "", " ", "n", "", 0, 0}),
       false,
       "12345678\n",
       {{"12345", "678"}},
       TextImportEnd::kCompleted,
       {}},
      {"an empty fixed value is told once",
       kCodes,
       {true, '|', '"', "1"},
       false,
       "\"\"\"\"\"\"\n\"\"\"\"\n",
       {{"", ""}, {"", ""}},
       TextImportEnd::kCompleted,
       {"ERROR: Campo 1 vacio. Reg #1"}},
      {"a value longer than its field stops before its record",
       kCodes,
       Separated(','),
       false,
       "1,2\n123456,2\n3,4\n",
       {{"1", "2"}},
       TextImportEnd::kMalformedLine,
       {"Linea 2 Error tama\xF1o campo 1 A=5: [123456]"}},
      {"no value holds more than 78 characters",
       {{"A", 'C', 100}},
       Separated(','),
       false,
       std::string(79, 'x') + "\n",
       {},
       TextImportEnd::kMalformedLine,
       {"Linea 1 Error tama\xF1o campo 1 A=100: [" + std::string(79, 'x') + "]"}},
      {"a line of more than 638 characters",
       kCodes,
       Separated(','),
       false,
       "1,2\n" + std::string(639, 'y') + "\r\n",
       {{"1", "2"}},
       TextImportEnd::kMalformedLine,
       {"Linea 2 del fichero de texto: m\xE1s de 638 caracteres"}},
      {"format 1",
       kDated,
       Separated(','),
       false,
       "12/05/2006,1\n1/5/06,2\n12/05/10,3\n123,4\n5/3/06,5\n31/02/2006,6\n",
       {{"20060512", "1"},
        {"20060501", "2"},
        {"19100512", "3"},
        {"", "4"},
        {"20060305", "5"},
        {"20060231", "6"}},
       TextImportEnd::kCompleted,
       {}},
      {"format 2 and 3",
       kDated,
       Separated(','),
       false,
       "05/12/2006,1\n",
       {{"20060512", "1"}},
       TextImportEnd::kCompleted,
       {}},
      {"format 4",
       kDated,
       Separated(',', ' ', "4"),
       false,
       "12052006,1\n120506,2\n",
       {{"20060512", "1"}, {"20060512", "2"}},
       TextImportEnd::kCompleted,
       {}},
      {"format 5",
       kDated,
       Separated(',', ' ', "5"),
       false,
       "03052006,1\n",
       {{"20060305", "1"}},
       TextImportEnd::kCompleted,
       {}},
      {"format 6 with a bad month stops after the line",
       kDated,
       Separated(',', ' ', "6"),
       false,
       "20060512,1\n20061301,2\n20060101,3\n",
       {{"20060512", "1"}},
       TextImportEnd::kMalformedLine,
       {"Fecha [20061301] erronea 1/13/2006", "Registro:2 Fecha = 20061301  Formato 6 campo=1"}},
      {"format 1 with a day 32",
       kDated,
       Separated(','),
       false,
       "32/01/2006,1\n",
       {},
       TextImportEnd::kMalformedLine,
       {"Fecha [32/01/2006] erronea 32/1/2006",
        "Registro:1 Fecha = 32/01/2006  Formato 1 campo=1"}},
  };
  Case format3 = cases[11];
  format3.what = "format 3";
  format3.options.date_format = "3";
  format3.text = "06/05/12,1\n2006/5/12,2\n";
  format3.rows = {{"20060512", "1"}, {"20060512", "2"}};
  std::vector<Case> all = cases;
  all[11].options.date_format = "2";
  all.push_back(format3);
  for (const Case& c : all) {
    SCOPED_TRACE(c.what);
    const Outcome o = Import(c);
    EXPECT_EQ(o.result.end, c.end);
    EXPECT_EQ(o.result.records, static_cast<long>(c.rows.size()));
    EXPECT_TRUE(o.result.table_written);
    EXPECT_EQ(o.table, DbfBytes(c.fields, c.rows));
    EXPECT_EQ(o.messages, c.messages);
  }
}

TEST(TextImport, NothingIsWrittenWhenTheTextOrTheStructureCannotBeOpened) {
  MemoryFileSystem fs;
  fs.SetContents("/new.dbf", "old");
  fs.SetContents("/t.txt", "1|2\n");
  RecordingFeedback feedback;
  TextImportResult r = RunTextImport(fs, feedback, {"/none.txt", "/s.dbf", "/new.dbf", {}, false});
  EXPECT_EQ(r.end, TextImportEnd::kNotStarted);
  EXPECT_TRUE(feedback.messages.empty());  // no message for a text that cannot be opened
  r = RunTextImport(fs, feedback, {"/t.txt", "/none.dbf", "/new.dbf", {}, false});
  EXPECT_EQ(r.end, TextImportEnd::kNotStarted);
  ASSERT_EQ(feedback.messages.size(), 2u);
  EXPECT_EQ(feedback.messages[0].text, "IMPORTAR:Error al abrir fichero con la estructura origen");
  EXPECT_EQ(feedback.messages[1].text, "Error al duplicar la estructura DBF");
  EXPECT_EQ(*fs.Contents("/new.dbf"), "old");
  EXPECT_EQ(fs.List("/").size(), 2u);  // no temporary file left
}

// A failure at every write in turn: the target is the old file or a table
// whose header counts exactly the records it holds, and the messages say how
// many records were written.
TEST(TextImport, AFailedWriteNeverLeavesATableWhoseHeaderLies) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += std::to_string(i) + "|x\n";
  const Case c{"", kCodes, Separated('|'), false, text, {}, TextImportEnd::kCompleted, {}};
  for (int n = 1; n <= 45; ++n) {
    SCOPED_TRACE(n);
    MemoryFileSystem memory;
    memory.SetContents("/s.dbf", DbfBytes(c.fields));
    memory.SetContents("/t.txt", c.text);
    memory.SetContents("/new.dbf", "old");
    FaultyFileSystem faulty(memory);
    faulty.FailWritesFrom(n);
    RecordingFeedback feedback;
    const TextImportResult r =
        RunTextImport(faulty, feedback, {"/t.txt", "/s.dbf", "/new.dbf", c.options, false});
    const std::string table = *memory.Contents("/new.dbf");
    EXPECT_EQ(memory.List("/").size(), 3u);
    if (!r.table_written) {
      EXPECT_EQ(table, "old");
      continue;
    }
    const std::uint32_t count = testing::Le32At(table, 4);
    EXPECT_EQ(count, static_cast<std::uint32_t>(r.records));
    EXPECT_EQ(table.size(), 32u * 2 + 33 + 9u * count);
    if (r.end == TextImportEnd::kCompleted) continue;
    EXPECT_EQ(r.end, TextImportEnd::kWriteFailed);
    EXPECT_EQ(feedback.messages.back().text,
              "Error de escritura: " + std::to_string(count) + " registros en /new.dbf");
  }
}

TEST(TextImport, LinesRunningOverTheReadBlocksOfTheFile) {
  std::string text;
  std::vector<std::vector<std::string>> rows;
  for (int i = 0; i < 10000; ++i) {
    text += std::to_string(10000 + i) + "|" + std::to_string(i % 1000) + "\n";
    rows.push_back({std::to_string(10000 + i), std::to_string(i % 1000)});
  }
  const Case all{"", kCodes, Separated('|'), false, text, rows, TextImportEnd::kCompleted, {}};
  Outcome o = Import(all);
  EXPECT_EQ(o.result.records, 10000);
  EXPECT_EQ(o.table, DbfBytes(kCodes, rows));
  // A line too long where it starts in one block and ends in the next.
  const Case longer{"",
                    kCodes,
                    Separated('|'),
                    false,
                    text.substr(0, 65530) + std::string(700, 'z') + "\n1|2\n",
                    {},
                    {},
                    {}};
  o = Import(longer);
  EXPECT_EQ(o.result.end, TextImportEnd::kMalformedLine);
  EXPECT_EQ(o.result.lines, std::count(text.begin(), text.begin() + 65530, '\n') + 1);
}

TEST(TextImport, AStopKeepsTheRecordsBeforeItAndSaysHowMany) {
  MemoryFileSystem fs;
  fs.SetContents("/s.dbf", DbfBytes(kCodes));
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "a|b\n";
  fs.SetContents("/t.txt", text);
  RecordingFeedback feedback;
  feedback.RequestStop();
  const TextImportResult r =
      RunTextImport(fs, feedback, {"/t.txt", "/s.dbf", "/new.dbf", Separated('|'), false});
  EXPECT_EQ(r.end, TextImportEnd::kStopped);
  EXPECT_EQ(r.records, 1023);
  EXPECT_EQ(testing::Le32At(*fs.Contents("/new.dbf"), 4), 1023u);
  EXPECT_EQ(feedback.messages.back().text,
            "Importaci\xF3n interrumpida en la l\xEDnea 1024: 1023 registros en /new.dbf");
}

}  // namespace
}  // namespace quirovel
