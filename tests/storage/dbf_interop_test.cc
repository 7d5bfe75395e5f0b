// Tables written here are read field for field by two independent dBase
// readers (Python's dbfread and GDAL), and a table written by GDAL, with the
// CMBD-A fields in another order among others, is read and decoded here.
// The external programs are Debian's python3-dbfread and gdal-bin; a test
// whose program is missing is skipped and says which package it needs.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/cp1252.h"
#include "platform/file_system.h"
#include "platform/recording_feedback.h"
#include "storage/dbf_table.h"
#include "storage/table_files.h"
#include "support/dbf_builder.h"
#include "support/temp_dir.h"
#include "validation/cmbd_record.h"
#include "validation/field_map.h"

namespace quirovel {
namespace {

using testing::RunCommand;
using testing::ShellQuote;
using testing::TempDir;

bool CommandWorks(const std::string& command) {
  int status = 0;
  RunCommand(command + " >/dev/null 2>&1", &status);
  return status == 0;
}

// Debian's interpreter first: another python3 earlier on PATH may lack the module.
std::string PythonWithDbfread() {
  for (const char* python : {"/usr/bin/python3", "python3"})
    if (CommandWorks(std::string(python) + " -c 'import dbfread'")) return python;
  return "";
}

// Writes the table that both readers check: every type the program writes,
// Windows-1252 text, a blank record and a number with decimals.
void WriteSampleTable(const std::string& path) {
  RecordingFeedback feedback;
  FileSystem& fs = RealFileSystem();
  ASSERT_TRUE(Create(fs, feedback,
                     {"HISTORIA#C12", "FECALT#D8", "SEXO#N1", "PESO1N#N4", "NOMBRE#C20", "IMPORTE#H"},
                     path));
  DbfTable table(fs, feedback);
  ASSERT_EQ(table.Open(path), 1);
  const std::vector<std::vector<std::string>> rows = {
      {"123456", "20060315", "2", "3250", "MUÑOZ PEÑA"_cp, "12.50"},
      {"", "", "", "", "", ""},
      {"A", "20061231", "9", " 800", "José €"_cp, " 0.75"},
  };
  for (const auto& row : rows) {
    for (int i = 1; i <= 6; ++i) table.SetFieldText(i, row[static_cast<std::size_t>(i - 1)]);
    ASSERT_TRUE(table.Append());
  }
  table.Close();
  ASSERT_TRUE(feedback.messages.empty());
}

TEST(DbfInterop, DbfreadReadsATableWrittenByCreateAndAppend) {
  const std::string python = PythonWithDbfread();
  if (python.empty()) GTEST_SKIP() << "python3 with dbfread is missing (apt-get install python3-dbfread)";
  TempDir dir;
  const std::string path = dir.Path("t.dbf");
  WriteSampleTable(path);
  const std::string before = testing::ReadFileBytes(path);
  testing::WriteFileBytes(dir.Path("read.py"),
                          "import sys, dbfread\n"
                          "t = dbfread.DBF(sys.argv[1], encoding='cp1252', char_decode_errors='strict')\n"
                          "out = []\n"
                          "for f in t.fields:\n"
                          "    out.append('%s %s %d %d' % (f.name, f.type, f.length, f.decimal_count))\n"
                          "for r in t:\n"
                          "    out.append(' '.join('%s=%r' % kv for kv in r.items()))\n"
                          "out.append('records %d' % len(t))\n"
                          "sys.stdout.buffer.write(('\\n'.join(out) + '\\n').encode('utf-8'))\n");
  int status = 0;
  const std::string out =
      RunCommand(python + " " + ShellQuote(dir.Path("read.py")) + " " + ShellQuote(path), &status);
  ASSERT_EQ(status, 0) << out;
  EXPECT_EQ(out,
            "HISTORIA C 12 0\n"
            "FECALT D 8 0\n"
            "SEXO N 1 0\n"
            "PESO1N N 4 0\n"
            "NOMBRE C 20 0\n"
            "IMPORTE N 5 2\n"
            "HISTORIA='123456' FECALT=datetime.date(2006, 3, 15) SEXO=2 PESO1N=3250 "
            "NOMBRE='MUÑOZ PEÑA' IMPORTE=12.5\n"
            "HISTORIA='' FECALT=None SEXO=None PESO1N=None NOMBRE='' IMPORTE=None\n"
            "HISTORIA='A' FECALT=datetime.date(2006, 12, 31) SEXO=9 PESO1N=800 "
            "NOMBRE='José €' IMPORTE=0.75\n"
            "records 3\n");
  EXPECT_EQ(testing::ReadFileBytes(path), before);
}

TEST(DbfInterop, GdalReadsATableWrittenByCreateAndAppend) {
  if (!CommandWorks("ogrinfo --version")) GTEST_SKIP() << "ogrinfo is missing (apt-get install gdal-bin)";
  TempDir dir;
  const std::string path = dir.Path("t.dbf");
  WriteSampleTable(path);
  const std::string before = testing::ReadFileBytes(path);
  int status = 0;
  const std::string out =
      RunCommand("ogrinfo -ro -al -oo ENCODING=CP1252 " + ShellQuote(path) + " 2>&1", &status);
  ASSERT_EQ(status, 0) << out;
  for (const char* expected : {
           "Feature Count: 3\n",
           "\nHISTORIA: String (12.0)\n"
           "FECALT: Date (10.0)\n"
           "SEXO: Integer (1.0)\n"
           "PESO1N: Integer (4.0)\n"
           "NOMBRE: String (20.0)\n"
           "IMPORTE: Real (5.2)\n",
           "OGRFeature(t):0\n"
           "  HISTORIA (String) = 123456\n"
           "  FECALT (Date) = 2006/03/15\n"
           "  SEXO (Integer) = 2\n"
           "  PESO1N (Integer) = 3250\n"
           "  NOMBRE (String) = MUÑOZ PEÑA\n"
           "  IMPORTE (Real) = 12.50\n",
           // GDAL leaves a blank date unset, and does not list it.
           "OGRFeature(t):1\n"
           "  HISTORIA (String) = (null)\n"
           "  SEXO (Integer) = (null)\n"
           "  PESO1N (Integer) = (null)\n"
           "  NOMBRE (String) = (null)\n"
           "  IMPORTE (Real) = (null)\n",
           "OGRFeature(t):2\n"
           "  HISTORIA (String) = A\n"
           "  FECALT (Date) = 2006/12/31\n"
           "  SEXO (Integer) = 9\n"
           "  PESO1N (Integer) = 800\n"
           "  NOMBRE (String) = José €\n"
           "  IMPORTE (Real) = 0.75\n",
       }) {
    EXPECT_NE(out.find(expected), std::string::npos) << "missing:\n" << expected << "\nin:\n" << out;
  }
  EXPECT_EQ(testing::ReadFileBytes(path), before);
}

// A CMBD-A file as another program would write it: the 63 fields backwards,
// with two fields the layout does not know, one of them first.
struct CsvField {
  std::string name;
  std::string csvt;   // the GDAL type of the column
  std::string value;  // of the first record (UTF-8)
  std::string raw;    // the field's text as it must be stored (Windows-1252)
};

std::vector<CsvField> GdalColumns() {
  std::vector<CsvField> columns;
  for (const auto& f : testing::CmbdAFields()) {
    CsvField c;
    c.name = f.name;
    const std::string width = std::to_string(f.width);
    if (f.type == 'C') {
      c.csvt = "String(" + width + ")";
      c.value = f.name.substr(0, static_cast<std::size_t>(std::min(f.width, 3)));
      c.raw = c.value + std::string(static_cast<std::size_t>(f.width) - c.value.size(), ' ');
    } else if (f.type == 'N') {
      c.csvt = "Integer(" + width + ")";
      c.value = std::to_string(f.width);  // a one-digit number, right-aligned in the field
      c.raw = std::string(static_cast<std::size_t>(f.width - 1), ' ') + c.value;
    } else {
      c.csvt = "Date";
      c.value = "2006-03-1" + std::to_string(columns.size() % 10);
      c.raw = "2006031" + std::to_string(columns.size() % 10);
    }
    columns.push_back(c);
  }
  for (auto& c : columns) {
    if (c.name == "HISTORIA") c.value = "Ñ123", c.raw = "Ñ123        "_cp;
    if (c.name == "PESO1N") c.value = "3250", c.raw = "3250";
    if (c.name == "FECNAC") c.value = "1980-03-15", c.raw = "19800315";
    if (c.name == "FECING") c.value = "2006-03-15", c.raw = "20060315";
  }
  std::reverse(columns.begin(), columns.end());
  columns.insert(columns.begin(), {"OBSERV", "String(30)", "niño", ""});
  columns.insert(columns.begin() + 30, {"NOTAS", "Integer(5)", "12345", ""});
  return columns;
}

TEST(DbfInterop, ReadsACmbdATableWrittenByGdal) {
  if (!CommandWorks("ogr2ogr --version")) GTEST_SKIP() << "ogr2ogr is missing (apt-get install gdal-bin)";
  TempDir dir;
  const auto columns = GdalColumns();
  std::string header, types, first, second;
  for (const auto& c : columns) {
    const std::string sep = header.empty() ? "" : ",";
    header += sep + c.name;
    types += sep + "\"" + c.csvt + "\"";
    first += sep + c.value;
    second += sep;
  }
  testing::WriteFileBytes(dir.Path("cmbd.csv"), header + "\n" + first + "\n" + second + "\n");
  testing::WriteFileBytes(dir.Path("cmbd.csvt"), types + "\n");
  const std::string table_path = dir.Path("cmbd.dbf");
  int status = 0;
  const std::string log = RunCommand("ogr2ogr -f 'ESRI Shapefile' -lco ENCODING=CP1252 " +
                                         ShellQuote(table_path) + " " + ShellQuote(dir.Path("cmbd.csv")) +
                                         " 2>&1",
                                     &status);
  ASSERT_EQ(status, 0) << log;

  RecordingFeedback feedback;
  DbfTable table(RealFileSystem(), feedback);
  ASSERT_EQ(table.Open(table_path), 1) << ::testing::PrintToString(feedback.Texts());
  EXPECT_EQ(table.field_count(), 65);
  EXPECT_EQ(table.record_count(), 2u);
  FieldMap map;
  StructureReport report;
  AnalyseStructure(table, &map, &report);
  EXPECT_EQ(report.problems, "");
  EXPECT_EQ(report.bad_field_count, 0);
  EXPECT_EQ(report.unknown, "OBSERV , NOTAS , ");
  EXPECT_EQ(report.layout, "");

  ASSERT_EQ(table.ReadRecord(1), 0);
  for (const auto& c : columns) {
    if (c.raw.empty()) continue;
    EXPECT_EQ(CmbdFieldText(table, map, CmbdFieldNumber(c.name)), c.raw) << c.name;
  }
  CmbdRecord record;
  DecodeRecord(table, map, &record);
  EXPECT_EQ(record.HISTORIA, "Ñ123        "_cp);
  EXPECT_EQ(record.PROCEDEN, 1);
  EXPECT_EQ(record.ESTUCI, 3);
  EXPECT_EQ(record.PESO1N, 3250);
  EXPECT_EQ(record.C[14], "C15   ");
  EXPECT_EQ(record.AgeYears, 26);
  EXPECT_EQ(table.FieldText(1), "ni\xF1o" + std::string(26, ' '));

  // GDAL writes empty values as blanks, asterisks in numbers and zeros in dates.
  ASSERT_EQ(table.ReadRecord(2), 0);
  DecodeRecord(table, map, &record);
  EXPECT_EQ(record.HISTORIA, std::string(12, ' '));
  EXPECT_EQ(record.PROCEDEN, 0);
  EXPECT_EQ(record.PESO1N, 0);
  EXPECT_EQ(record.FECALT, "00000000");
  table.Close();
}

}  // namespace
}  // namespace quirovel
