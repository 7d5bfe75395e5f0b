// A table written here is read field for field by an independent dBase reader
// (Python's dbfread), and a table written by GDAL is read here. The external
// programs are Debian's python3-dbfread and gdal-bin; a test whose program is
// missing is skipped and says which package it needs.
#include <gtest/gtest.h>

#include "platform/cp1252.h"
#include "platform/file_system.h"
#include "platform/recording_feedback.h"
#include "storage/dbf_table.h"
#include "storage/table_files.h"
#include "support/temp_dir.h"

namespace quirovel {
namespace {

using testing::CommandWorks;
using testing::RunCommand;
using testing::ShellQuote;
using testing::TempDir;

TEST(DbfInterop, DbfreadReadsATableWrittenByCreateAndAppend) {
  const std::string python = testing::DbfreadPython();
  if (python.empty())
    GTEST_SKIP() << "python3 with dbfread is missing (apt-get install python3-dbfread)";
  TempDir dir;
  const std::string path = dir.Path("t.dbf");
  // Every type the program writes, Windows-1252 text, a blank record and decimals.
  RecordingFeedback feedback;
  ASSERT_TRUE(Create(
      RealFileSystem(), feedback,
      {"HISTORIA#C12", "FECALT#D8", "SEXO#N1", "PESO1N#N4", "NOMBRE#C20", "IMPORTE#H"}, path));
  {
    DbfTable table(RealFileSystem(), feedback);
    ASSERT_EQ(table.Open(path), 1);
    for (const std::vector<std::string>& row :
         {std::vector<std::string>{"123456", "20060315", "2", "3250", "MUÑOZ PEÑA"_cp, "12.50"},
          std::vector<std::string>(6, ""),
          std::vector<std::string>{"A", "20061231", "9", " 800", "José €"_cp, " 0.75"}}) {
      for (int i = 1; i <= 6; ++i) table.SetFieldText(i, row[static_cast<std::size_t>(i - 1)]);
      ASSERT_TRUE(table.Append());
    }
    table.Close();
  }
  ASSERT_TRUE(feedback.messages.empty());
  testing::WriteFileBytes(
      dir.Path("read.py"),
      "import sys, dbfread\n"
      "t = dbfread.DBF(sys.argv[1], encoding='cp1252', char_decode_errors='strict')\n"
      "out = ['%s %s %d %d' % (f.name, f.type, f.length, f.decimal_count) for f in t.fields]\n"
      "out += [' '.join('%s=%r' % kv for kv in r.items()) for r in t]\n"
      "out.append('records %d' % t.header.numrecords)\n"
      "sys.stdout.buffer.write(('\\n'.join(out) + '\\n').encode('utf-8'))\n");
  int status = 0;
  const std::string out =
      RunCommand(python + " " + ShellQuote(dir.Path("read.py")) + " " + ShellQuote(path), &status);
  ASSERT_EQ(status, 0) << out;
  EXPECT_EQ(
      out,
      "HISTORIA C 12 0\nFECALT D 8 0\nSEXO N 1 0\nPESO1N N 4 0\nNOMBRE C 20 0\nIMPORTE N 5 2\n"
      "HISTORIA='123456' FECALT=datetime.date(2006, 3, 15) SEXO=2 PESO1N=3250 "
      "NOMBRE='MUÑOZ PEÑA' IMPORTE=12.5\n"
      "HISTORIA='' FECALT=None SEXO=None PESO1N=None NOMBRE='' IMPORTE=None\n"
      "HISTORIA='A' FECALT=datetime.date(2006, 12, 31) SEXO=9 PESO1N=800 "
      "NOMBRE='José €' IMPORTE=0.75\n"
      "records 3\n");
}

TEST(DbfInterop, ReadsATableWrittenByGdal) {
  if (!CommandWorks("ogr2ogr --version"))
    GTEST_SKIP() << "ogr2ogr is missing (apt-get install gdal-bin)";
  TempDir dir;
  testing::WriteFileBytes(dir.Path("t.csv"),
                          "NOMBRE,PESO1N,FECALT,IMPORTE\nniño,3250,2006-03-15,12.5\n,,,\n");
  testing::WriteFileBytes(dir.Path("t.csvt"),
                          "\"String(10)\",\"Integer(4)\",\"Date\",\"Real(5.2)\"\n");
  int status = 0;
  const std::string ogr2ogr =
      "ogr2ogr -f 'ESRI Shapefile' -lco ENCODING=CP1252 " + ShellQuote(dir.Path("t.dbf"));
  const std::string log =
      RunCommand(ogr2ogr + " " + ShellQuote(dir.Path("t.csv")) + " 2>&1", &status);
  ASSERT_EQ(status, 0) << log;

  RecordingFeedback feedback;
  DbfTable table(RealFileSystem(), feedback);
  ASSERT_EQ(table.Open(dir.Path("t.dbf")), 1) << ::testing::PrintToString(feedback.Texts());
  std::string fields;
  for (int i = 1; i <= table.field_count(); ++i) {
    const FieldDescriptor d = table.Descriptor(i);
    fields +=
        d.name + " " + d.type + std::to_string(d.width) + "." + std::to_string(d.decimals) + " ";
  }
  EXPECT_EQ(fields, "NOMBRE C10.0 PESO1N N4.0 FECALT D8.0 IMPORTE N5.2 ");
  EXPECT_EQ(table.record_count(), 2u);
  ASSERT_EQ(table.ReadRecord(1), 0);
  EXPECT_EQ(table.Record(), " ni\xF1o      32502006031512.50");
  // GDAL writes empty values as asterisks in numbers and zeros in dates.
  ASSERT_EQ(table.ReadRecord(2), 0);
  EXPECT_EQ(table.Record(), " " + std::string(10, ' ') + "****" + "00000000" + "*****");
  EXPECT_TRUE(feedback.messages.empty());
}

}  // namespace
}  // namespace quirovel
