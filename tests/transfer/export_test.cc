// The exports: the period and name of the page, the text and dBase files of
// a period of the current table, and "ERRORES.DBF" from the log of a run,
// each against bytes built by hand.
#include <gtest/gtest.h>

#include <map>

#include "platform/cp1252.h"
#include "support/dbf_builder.h"
#include "support/detection_fixture.h"
#include "transfer/error_table_export.h"
#include "transfer/export_period.h"
#include "transfer/export_run.h"
#include "validation/cmbd_layout.h"
#include "validation/error_entry.h"

namespace quirovel {
namespace {

using testing::CleanEpisode;
using testing::DbfBytes;
using testing::DetectionFixture;
using testing::Episode;
using testing::TableField;

TEST(ExportPeriod, MonthButtonsSetThePeriodAndTheName) {
  struct Case {
    int test, month, year;
    bool accumulated;
    const char *from, *to, *name;
  };
  for (const Case& c : std::vector<Case>{
           {1, 2, 2006, false, "20060101", "20060331", "CT120106"},
           {0, 12, 2006, false, "20061201", "20061231", "CM121206"},
           {0, 5, 2006, false, "20060501", "20060531", "CM120506"},
           {0, 3, 2006, true, "20060101", "20060331", "CM120306"},
           {2, 11, 2006, true, "20060101", "20061231", "CA120406"},
           {2, 8, 2005, false, "20050701", "20050930", "CA120305"},
           {0, 2, 2004, false, "20040201", "20040229", "CM120204"},
           {1, 2, 2100, false, "21000101", "21000331", "CT120100"},
       }) {
    SCOPED_TRACE(c.name);
    ExportPage page;
    page.test = c.test;
    page.accumulated = c.accumulated;
    page.from = {c.year, 7, 14};
    PressMonthButton(&page, c.month, "02012");
    EXPECT_EQ(PeriodText(page.from), c.from);
    EXPECT_EQ(PeriodText(page.to), c.to);
    EXPECT_EQ(page.name, c.name);
  }
  // A changed date or type proposes the name again.
  ExportPage page;
  page.to = {2006, 8, 3};
  page.test = 1;
  RefreshExportName(&page, "0201");
  EXPECT_EQ(page.name, "CT 10306");  // "%2.2s" right-aligns a short code
}

// The widths of the 27 CMA fields, in order.
const std::vector<int> kCmaWidths = {1, 5, 12, 5, 12, 7, 8, 1, 5, 1, 8, 1, 6, 6,
                                     6, 6, 6,  6, 5,  5, 5, 5, 8, 8, 1, 5, 5};

// A line of fixed-width fields, each value right-aligned, from (field, value) pairs.
std::string Line(const std::vector<int>& widths, const std::map<int, std::string>& values) {
  std::string line;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const auto it = values.find(static_cast<int>(i + 1));
    const std::string v = it == values.end() ? "" : it->second;
    line += std::string(static_cast<std::size_t>(widths[i]) - v.size(), ' ') + v;
  }
  return line;
}

struct ExportFixture : ::testing::Test {
  ExportResult Export(int test, bool cma_only, bool text, const char* from, const char* to) {
    return RunExport(f.session(), {test, cma_only, text, from, to, "OUT", "20991231"});
  }
  DetectionFixture f;
};

TEST_F(ExportFixture, TextLinesOfThePeriodWithDatesDayFirst) {
  // HISTORIA is two characters narrower in this table: its values are right-aligned.
  std::vector<std::string> definitions(kCmbdLayout.begin(), kCmbdLayout.end());
  definitions[4] = "HISTORIA#C10";
  definitions.erase(definitions.begin() + 62);  // no ESTURG: blanks
  f.WriteTable({CleanEpisode()
                    .Set("FECALT", "20060512")
                    .Set("C2",
                         "\xF1"
                         "1"),
                CleanEpisode().Set("FECALT", "20060513"),
                CleanEpisode().Set("FECALT", "20060430").Set("HISTORIA", "9")},
               definitions);
  const ExportResult r = Export(0, true, true, "20060501", "20060512");
  ASSERT_TRUE(r.written);
  EXPECT_EQ(r.exported, 1);
  EXPECT_EQ(r.stored_path, "C:\\quirovel\\trabajo\\OUT.TXT");
  std::string line = "1" + std::string(5, ' ') + "281234567890" + "02012" + "  123456    " +
                     "0512345" + "15031970" + "2" + "02001" + "001" + "1" + "01032005" + "1" +
                     "70100" + "70100" + "12052006" + "1" + std::string(5, ' ') + "486   " +
                     "\xF1"
                     "1    " +
                     std::string(6 * 13 + 6 * 4 + 5 * 15, ' ') +
                     std::string(8 + 8 + 2 + 4 + 1 + 4 + 1 + 4 + 1 + 3 + 1, ' ');
  EXPECT_EQ(line.size(), 319u);
  EXPECT_EQ(f.Work("OUT.TXT"), line + "\r\n");
  EXPECT_EQ(f.feedback().status.substr(0, 12), "Exportado 1 ");
  EXPECT_EQ(f.feedback().info, "30/04/2006 -> 13/05/2006");
}

TEST_F(ExportFixture, CmaOnlyEpisodesAdmittedAsCmaAndTheSecondHospitalBlank) {
  Episode cma = CleanEpisode().Set("TIPING", "3").Set("P1", "47.0").Set("FEINTV", "20060301");
  f.WriteTable({cma.Set("FECALT", "20060301"), CleanEpisode().Set("FECALT", "20060331"),
                CleanEpisode().Set("FECALT", "20060401")});
  const std::map<int, std::string> common = {
      {1, "1"},       {3, "281234567890"}, {4, "02012"},   {5, "123456      "},
      {6, "0512345"}, {7, "19700315"},     {8, "2"},       {9, "02001"},
      {10, "1"},      {11, "20050301"},    {13, "486   "}, {25, "1"},
      {26, "70100"}};
  auto row = [&](const char* tiping, const char* fecalt, bool cma_row) {
    auto values = common;
    values[12] = tiping;
    values[24] = fecalt;
    if (cma_row) values[19] = "47.0 ", values[23] = "20060301";
    std::vector<std::string> out;
    for (int i = 1; i <= 27; ++i) out.push_back(values.count(i) != 0 ? values[i] : "");
    return out;
  };
  std::vector<TableField> fields;
  const char* names[] = {"PROCEDEN", "PROCH",   "AFILISS", "HOSPITAL", "HISTORIA", "ASISTENC",
                         "FECNAC",   "SEXO",    "RESIDE",  "REGFIN",   "FECING",   "TIPING",
                         "C1",       "C2",      "C3",      "C4",       "C5",       "CE",
                         "P1",       "P2",      "P3",      "P4",       "FEINTV",   "FECALT",
                         "TIPALT",   "SERVALT", "HOSPITAL"};
  const char types[] = "NCCCCCDNCNDNCCCCCCCCCCDDNCC";
  for (int i = 0; i < 27; ++i)
    fields.push_back({names[i], types[i], kCmaWidths[static_cast<std::size_t>(i)]});

  ExportResult r = Export(2, true, false, "20060301", "20060331");
  ASSERT_TRUE(r.written);
  std::string expected = DbfBytes(fields, {row("3", "20060301", true)});
  expected[1] = 96, expected[2] = 2, expected[3] = 24;  // the date Create writes
  EXPECT_EQ(f.Work("OUT.DBF"), expected);

  r = Export(2, false, true, "20060301", "20060331");
  auto text = [&](const char* tiping, const char* fecalt_dmy, bool cma_row) {
    auto values = common;
    values[7] = "15031970", values[11] = "01032005", values[12] = tiping, values[24] = fecalt_dmy;
    if (cma_row) values[19] = "47.0 ", values[23] = "01032006";
    return Line(kCmaWidths, values) + "\r\n";
  };
  EXPECT_EQ(f.Work("OUT.TXT"), text("3", "01032006", true) + text("1", "31032006", false));

  // An empty period writes an empty file and says so.
  r = Export(0, true, true, "20070101", "20070131");
  EXPECT_TRUE(r.written);
  EXPECT_EQ(f.Work("OUT.TXT"), "");
  EXPECT_EQ(f.feedback().status.substr(0, 12), "Exportado 0 ");
}

TEST_F(ExportFixture, WarningsAndATargetThatIsTheCurrentTable) {
  f.WriteTable({CleanEpisode()});
  RunExport(f.session(), {0, true, true, "20060201", "20060101", "OUT", "20051231"});
  ASSERT_EQ(f.feedback().messages.size(), 2u);
  EXPECT_EQ(f.feedback().messages[0].text, "Rango de fechas incorrecto");
  EXPECT_EQ(f.feedback().messages[1].text, "Fecha hasta incorrecta: mayor a hoy");
  f.feedback().messages.clear();
  const ExportResult r =
      RunExport(f.session(), {0, true, false, "20050101", "20051231", "EPISODIOS", ""});
  EXPECT_FALSE(r.written);
  ASSERT_EQ(f.feedback().messages.size(), 2u);
  EXPECT_EQ(f.feedback().messages[0].text, "El fichero coincide con el actual");
  EXPECT_EQ(f.feedback().messages[1].text,
            "C:\\quirovel\\trabajo\\EPISODIOS.DBF: Error al abrir el fichero de exportaci\xF3n");
}

// A failure at every write of the export: the old file stays whole, or the
// new one is whole; never a table whose header lies.
TEST_F(ExportFixture, AFailedWriteLeavesTheOldFile) {
  std::vector<Episode> episodes(300, CleanEpisode());
  f.WriteTable(episodes);
  for (bool text : {true, false}) {
    const std::string name = text ? "OUT.TXT" : "OUT.DBF";
    testing::WriteFileBytes(f.WorkPath(name), "old");
    for (int n = 1;; ++n) {
      SCOPED_TRACE(name + " " + std::to_string(n));
      f.fs().KeepFaultsTo("OUT");
      f.fs().FailWritesFrom(n);
      f.feedback().messages.clear();
      const ExportResult r = Export(0, true, text, "20050101", "20051231");
      f.fs().Heal();
      const std::string file = f.Work(name);
      if (r.written) {
        EXPECT_EQ(file.size(), text ? 300u * 321 : 32u * 63 + 33 + 300u * 320);
        break;
      }
      EXPECT_EQ(file, "old");
      ASSERT_FALSE(f.feedback().messages.empty());
      EXPECT_NE(f.feedback().messages.back().text.find("OUT"), std::string::npos);
    }
  }
}

TEST_F(ExportFixture, AStoppedExportReplacesNothing) {
  f.WriteTable(std::vector<Episode>(2000, CleanEpisode()));
  testing::WriteFileBytes(f.WorkPath("OUT.DBF"), "old");
  f.feedback().RequestStop();
  const ExportResult r = Export(0, true, false, "20050101", "20051231");
  EXPECT_TRUE(r.stopped);
  EXPECT_FALSE(r.written);
  EXPECT_EQ(f.Work("OUT.DBF"), "old");
  EXPECT_EQ(f.feedback().messages.back().text,
            "Exportaci\xF3n interrumpida: C:\\quirovel\\trabajo\\OUT.DBF no se ha escrito");
  EXPECT_FALSE(f.WorkExists("OUT.DBF.tmp"));
}

TEST_F(ExportFixture, ErrorTableFromTheLogOfTheLastRun) {
  f.WriteTable({CleanEpisode(), CleanEpisode().Set("HISTORIA", "777").Set("SERVALT", "70440"),
                CleanEpisode().Set("SERVALT", "99999")});
  // Errors of several types: E91 (SEXO), E181 (SERVALT), E122 (FECING with FECALT).
  ASSERT_TRUE(f.Run(0, testing::Scripted({{2, {{13, 8}, {24, 15}}}, {3, {{20, 12}}}})));
  const ErrorTableResult r = ExportErrors(f.session());
  ASSERT_TRUE(r.written);
  EXPECT_EQ(r.records, 3);
  EXPECT_EQ(f.feedback().status, "3 -> errores.dbf");
  const std::vector<TableField> fields = {
      {"HOSPITAL", 'C', 5}, {"CERR", 'C', 3},    {"ERROR", 'C', 80},    {"HISTORIA", 'C', 12},
      {"FECALT", 'D', 8},   {"SERVALT", 'C', 5}, {"SERVICIO", 'C', 40}, {"VALORES", 'C', 80}};
  std::string expected =
      DbfBytes(fields, {{"02012", " 13", "E91  Sexo incorrecto", "777", "20050310", "70440",
                         "PEDIATRIA", "SEXO  =     2 "},
                        {"02012", " 24", "E181 Servicio alta incorrecto", "777", "20050310",
                         "70440", "PEDIATRIA", "SERVALT= 70440 "},
                        {"02012", " 20", "E122 Fecha ingreso > alta", "123456", "20050310", "99999",
                         "Error", "FECING=20050301 , FECALT=20050310 "}});
  expected[1] = 96, expected[2] = 2, expected[3] = 24;
  EXPECT_EQ(f.Work("ERRORES.DBF"), expected);

  // Slots 2 and 3 only: the values start with ", "; an entry beyond the table is skipped.
  ErrorEntry only_related{13, 0, 8, 16, 0, 1, 0};
  ErrorEntry beyond{13, 8, 0, 0, 0, 9, 0};
  std::string log(32, '\0');
  for (const auto& e : {only_related, beyond}) {
    const auto bytes = e.Encode();
    log.append(bytes.begin(), bytes.end());
  }
  testing::WriteFileBytes(f.WorkPath("fallos.dat"), log);
  f.session().config.SetErrorCount(2);
  ASSERT_TRUE(ExportErrors(f.session()).written);
  expected =
      DbfBytes(fields, {{"02012", " 13", "E91  Sexo incorrecto", "123456", "20050310", "70100",
                         "MEDICINA INTERNA", ", SEXO  =     2 , FECALT=20050310 "}});
  expected[1] = 96, expected[2] = 2, expected[3] = 24;
  EXPECT_EQ(f.Work("ERRORES.DBF"), expected);
  EXPECT_EQ(f.feedback().status, "2 -> errores.dbf");

  // No errors: a table with no records.
  f.session().config.SetErrorCount(0);
  ASSERT_TRUE(ExportErrors(f.session()).written);
  expected = DbfBytes(fields);
  expected[1] = 96, expected[2] = 2, expected[3] = 24;
  EXPECT_EQ(f.Work("ERRORES.DBF"), expected + '\x1A');
  EXPECT_EQ(f.feedback().status, "0 -> errores.dbf");
}

}  // namespace
}  // namespace quirovel
