// Tables the import and the exports write, read by independent readers
// (Python's dbfread, GDAL's ogrinfo and ogr2ogr), and a CSV that ogr2ogr
// writes from such a table imported back to the same records. A test whose
// program is missing is skipped and says which package it needs.
#include <gtest/gtest.h>

#include "app/cli_installation.h"
#include "platform/file_system.h"
#include "platform/recording_feedback.h"
#include "support/dbf_builder.h"
#include "support/temp_dir.h"
#include "transfer/text_import.h"

namespace quirovel {
namespace {

using testing::CommandWorks;
using testing::DbfreadPython;
using testing::RunCommand;
using testing::ShellQuote;
using testing::TempDir;

// Every record as "NAME=value ..." lines, as dbfread reads them.
std::string ReadWithDbfread(const std::string& python, const TempDir& dir,
                            const std::string& path) {
  testing::WriteFileBytes(
      dir.Path("read.py"),
      "import sys, dbfread\n"
      "t = dbfread.DBF(sys.argv[1], encoding='cp1252', char_decode_errors='strict')\n"
      "out = [' '.join('%s=%r' % kv for kv in r.items()) for r in t]\n"
      "out.append('records %d' % t.header.numrecords)\n"
      "sys.stdout.buffer.write(('\\n'.join(out) + '\\n').encode('utf-8'))\n");
  int status = 0;
  const std::string out =
      RunCommand(python + " " + ShellQuote(dir.Path("read.py")) + " " + ShellQuote(path), &status);
  EXPECT_EQ(status, 0) << out;
  return out;
}

TextImportResult Import(const std::string& text, const std::string& structure,
                        const std::string& target, TextImportOptions options, bool header) {
  RecordingFeedback feedback;
  return RunTextImport(RealFileSystem(), feedback, {text, structure, target, options, header});
}

// An imported table read by dbfread; then written to CSV by ogr2ogr and
// imported back with the separated-field settings: the same bytes.
TEST(TransferInterop, ImportedTableReadsInDbfreadAndComesBackThroughGdalCsv) {
  TempDir dir;
  testing::WriteFileBytes(
      dir.Path("est.dbf"),
      testing::DbfBytes(
          {{"HISTORIA", 'C', 12}, {"FECALT", 'D', 8}, {"SEXO", 'N', 1}, {"NOMBRE", 'C', 20}}));
  testing::WriteFileBytes(dir.Path("altas.txt"),
                          "123456|15/03/2006|2|MU\xD1OZ PE\xD1"
                          "A, JOS\xC9\r\n"
                          "|||\r\n"
                          "A-7|31/12/06|9|\"x\"\"y\"\r\n");
  ASSERT_EQ(Import(dir.Path("altas.txt"), dir.Path("est.dbf"), dir.Path("t.dbf"),
                   {false, '|', '"', "1"}, false)
                .records,
            3);
  if (const std::string python = DbfreadPython(); python.empty()) {
    std::cout << "dbfread not checked: apt-get install python3-dbfread\n";
  } else {
    EXPECT_EQ(ReadWithDbfread(python, dir, dir.Path("t.dbf")),
              "HISTORIA='123456' FECALT=datetime.date(2006, 3, 15) SEXO=2 "
              "NOMBRE='MUÑOZ PEÑA, JOSÉ'\n"
              "HISTORIA='' FECALT=None SEXO=None NOMBRE=''\n"
              "HISTORIA='A-7' FECALT=datetime.date(2006, 12, 31) SEXO=9 NOMBRE='xy'\n"
              "records 3\n");
  }
  if (!CommandWorks("ogr2ogr --version"))
    GTEST_SKIP() << "ogr2ogr is missing (apt-get install gdal-bin)";
  int status = 0;
  // The bytes as stored, without recoding, so the CSV is Windows-1252 too.
  const std::string log =
      RunCommand("ogr2ogr --config SHAPE_ENCODING '' -f CSV " + ShellQuote(dir.Path("t.csv")) +
                     " " + ShellQuote(dir.Path("t.dbf")) + " 2>&1",
                 &status);
  ASSERT_EQ(status, 0) << log;
  ASSERT_EQ(Import(dir.Path("t.csv"), dir.Path("est.dbf"), dir.Path("back.dbf"),
                   {false, ',', '"', "3"}, true)
                .records,
            3)
      << testing::ReadFileBytes(dir.Path("t.csv"));
  EXPECT_EQ(testing::ReadFileBytes(dir.Path("back.dbf")),
            testing::ReadFileBytes(dir.Path("t.dbf")));
}

// The exports of the command line: the CMBD-A table, the CMA table and
// ERRORES.DBF read by dbfread and by ogrinfo with their records.
TEST(TransferInterop, ExportedTablesReadInDbfreadAndOgrinfo) {
  testing::CliInstallation install;
  ASSERT_EQ(install.Init().exit_code, 0);
  install.Put(
      "root/QUIROVEL/trabajo/e.dbf",
      testing::DbfBytes(testing::CmbdAFields(),
                        {testing::RowFor(testing::CmbdAFields(), {{"HISTORIA", "12"},
                                                                  {"FECALT", "20060315"},
                                                                  {"TIPING", "3"},
                                                                  {"C1", "486"},
                                                                  {"HOSPITAL", "02012"}})}));
  ASSERT_EQ(install.Run("open root/QUIROVEL/trabajo/e.dbf").exit_code, 0);
  ASSERT_EQ(install.Run("export --format dbf --month 3 --year 2006").exit_code, 0);
  ASSERT_EQ(install.Run("export --format dbf --test cma --month 3 --year 2006").exit_code, 0);
  ASSERT_EQ(install.Run("detect").exit_code, 0);
  const testing::CliRun errors = install.Run("export-errors");
  ASSERT_EQ(errors.exit_code, 0) << errors.err;
  const std::string work = install.root() + "/QUIROVEL/trabajo/";
  if (const std::string python = DbfreadPython(); !python.empty()) {
    const std::string cmbd = ReadWithDbfread(python, install.dir, work + "CM120306.DBF");
    EXPECT_NE(cmbd.find("HISTORIA='12' ASISTENC='' FECNAC=None"), std::string::npos) << cmbd;
    EXPECT_NE(cmbd.find("FECALT=datetime.date(2006, 3, 15) TIPALT=None"), std::string::npos);
    EXPECT_NE(cmbd.find("records 1"), std::string::npos);
    const std::string cma = ReadWithDbfread(python, install.dir, work + "CA120106.DBF");
    EXPECT_NE(cma.find("TIPING=3 C1='486'"), std::string::npos) << cma;
    EXPECT_NE(cma.find("records 1"), std::string::npos);
    const std::string table = ReadWithDbfread(python, install.dir, work + "ERRORES.DBF");
    EXPECT_NE(table.find("HOSPITAL='02012' CERR="), std::string::npos) << table;
    EXPECT_NE(table.find("HISTORIA='12' FECALT=datetime.date(2006, 3, 15)"), std::string::npos);
  }
  if (!CommandWorks("ogrinfo --version"))
    GTEST_SKIP() << "ogrinfo is missing (apt-get install gdal-bin)";
  int status = 0;
  const std::string info =
      RunCommand("ogrinfo -ro -al " + ShellQuote(work + "CA120106.DBF") + " 2>&1", &status);
  ASSERT_EQ(status, 0) << info;
  EXPECT_NE(info.find("Feature Count: 1"), std::string::npos) << info;
  EXPECT_NE(info.find("FECALT (Date) = 2006/03/15"), std::string::npos) << info;
  EXPECT_NE(info.find("HOSPITAL (String) = 02012"), std::string::npos) << info;
  const std::string errs =
      RunCommand("ogrinfo -ro -so -al " + ShellQuote(work + "ERRORES.DBF") + " 2>&1", &status);
  EXPECT_NE(errs.find("VALORES: String (80.0)"), std::string::npos) << errs;
}

}  // namespace
}  // namespace quirovel
