// The cases that decide the layouts and the state a run leaves: empty table,
// no errors, repeated and shorter runs, the 30000 limit, a table without
// SERVALT, a table that cannot be opened, the automatic version choice.
#include <gtest/gtest.h>

#include <regex>

#include "detection/error_grouping.h"
#include "platform/cp1252.h"
#include "support/dbf_builder.h"
#include "support/detection_fixture.h"
#include "validation/cmbd_layout.h"

namespace quirovel::testing {
namespace {

// Report lines joined with the CR LF every report ends them with.
std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  return text;
}

std::string Rule(std::size_t n) { return std::string(n, '-'); }

const std::string kHeading =
    Lines({"HOSPITAL DE PRUEBAS                                     DD/MM/AAAA HH:MM", Rule(79),
           "[C:\\Quirovel\\trabajo\\episodios.dbf]", ""});
// The heading of the service table and the rule under it.
const std::string kMonths =
    "Servicio              ENE  FEB  MAR  ABR  MAY  JUN  JUL  AGO  SEP  OCT  NOV  DIC Errores";
const std::string kMonthsRule =
    Rule(20) + " ---- ---- ---- ---- ---- ---- ---- ---- ---- ---- ---- ---- -------";

const char* const kFiles[] = {"errores.txt", "resumen.txt", "erragr.txt", "erragrserv.txt",
                              "fallos.dat"};

TEST(DetectionEdgeTest, EmptyTableGivesEmptyReportsAndTheUntouchedPeriod) {
  DetectionFixture f;
  f.WriteTable({});
  ASSERT_TRUE(f.Run(kTrimestral, Scripted({})));
  EXPECT_TRUE(std::regex_match(f.feedback().status, std::regex(R"(Errs=0 \(\d+"\) FR=0)")))
      << f.feedback().status;
  EXPECT_EQ(f.feedback().info, "99/99/9999 ->           ");
  EXPECT_EQ(f.feedback().record_count, 0);
  EXPECT_EQ(
      WithoutTimes(f.Work("resumen.txt")),
      kHeading +
          Lines({Rule(79), "Total errores: 0    Registros fuera de rango versi\xF3n CMBD (2002): 0",
                 "", "               C\363digos no vigentes: 0", "",
                 "Periodo      : 99/99/9999 ->           ", ""}) +
          Lines({"Error                                                total", Rule(51) + " ------",
                 "\f", "", "ERRORES POR SERVICIO", Rule(88), ""}) +
          Lines({kMonths, kMonthsRule, kMonthsRule, std::string(86, ' ') + "0", "\f", ""}) +
          Lines({"CAMPOS AFECTADOS", "", "Campo           errores", Rule(15) + " -------"}));
  EXPECT_EQ(
      WithoutTimes(f.Work("errores.txt")),
      kHeading + Lines({"Test: Trimestral      Versi\xF3n: 2002", "",
                        "Historia     Alta       Error", Rule(12) + " " + Rule(10) + " " + Rule(74),
                        Rule(93), "Total errores: 0    Registros fuera de rango versi\xF3n CMBD: 0",
                        "", "               C\363digos no vigentes: 0", ""}));
  EXPECT_EQ(WithoutTimes(f.Work("erragr.txt")),
            kHeading + Lines({"", " TOTAL Errores procesados = 0"}));
  EXPECT_EQ(f.Work("erragrserv.txt"), Lines({"", " TOTAL Errores procesados = 0"}));
  EXPECT_EQ(f.SavedConfig().ErrorCount(), 0);

  // Without errors the period runs from the first to the last discharge date.
  f.WriteTable({CleanEpisode().Set("FECALT", "20050310"), CleanEpisode().Set("FECALT", "20050301"),
                CleanEpisode().Set("FECALT", "20050312")});
  ASSERT_TRUE(f.Run(kCma, Scripted({})));
  EXPECT_EQ(f.feedback().info, "01/03/2005 -> 12/03/2005");
  EXPECT_NE(f.Work("resumen.txt").find("\r\nPeriodo      : 01/03/2005 -> 12/03/2005\r\n\r\nError "),
            std::string::npos);
  EXPECT_NE(f.Work("errores.txt").find("Test: CMA             Versi\xF3n: 2002\r\n"),
            std::string::npos);
}

// The same run twice gives the same counts and reports; a shorter one then
// leaves the older entries behind the new ones and ignores them.
TEST(DetectionEdgeTest, RepeatedAndShorterRuns) {
  DetectionFixture f;
  f.WriteTable({CleanEpisode(), CleanEpisode(), CleanEpisode()});
  const ErrorScript script = {
      {1, {{13, SEXO}, {7, HISTORIA}}}, {2, {{24, SERVALT}, {25, FECALT}}}, {3, {{71, ESTURG}}}};
  ASSERT_TRUE(f.Run(kMensual, Scripted(script)));
  const auto counts = f.session().run.ErrorCounts;
  std::vector<std::string> first;
  for (const char* name : kFiles) first.push_back(WithoutTimes(f.Work(name)));
  ASSERT_TRUE(f.Run(kMensual, Scripted(script)));
  EXPECT_EQ(f.session().run.ErrorCount, 5);
  EXPECT_EQ(f.session().run.ErrorCounts, counts);
  for (std::size_t i = 0; i < first.size(); ++i)
    EXPECT_EQ(WithoutTimes(f.Work(kFiles[i])), first[i]) << kFiles[i];
  EXPECT_EQ(f.SavedConfig().ErrorCount(), 5);

  const std::string long_log = f.Work("fallos.dat");
  ASSERT_EQ(long_log.size(), 6u * 32);
  ASSERT_TRUE(f.Run(kMensual, Scripted({{2, {{7, HISTORIA}, {7, HISTORIA}}}})));
  const std::string short_log = f.Work("fallos.dat");
  ASSERT_EQ(short_log.size(), 6u * 32);
  EXPECT_EQ(short_log.substr(3 * 32), long_log.substr(3 * 32));  // entries 3 to 5 stay
  EXPECT_EQ(f.SavedConfig().ErrorCount(), 2);
  std::array<std::int32_t, 72> by_type{}, expected{};
  expected[7] = 2;
  ASSERT_TRUE(CountErrorsByType(f.session(), &by_type));
  EXPECT_EQ(by_type, expected);
  const std::string grouped = f.Work("erragr.txt");
  EXPECT_NE(grouped.find("\r\n TOTAL Errores procesados = 2\r\n"), std::string::npos);
  EXPECT_EQ(grouped.find("E331"), std::string::npos);
  EXPECT_EQ(f.Work("erragrserv.txt").find("E331"), std::string::npos);
}

TEST(DetectionEdgeTest, MoreThan30000ErrorsGroupOnlyTheFirst30000) {
  DetectionFixture f;
  std::vector<Episode> episodes(10001, CleanEpisode());
  f.WriteTable(episodes);
  ErrorScript script;
  for (std::int64_t r = 1; r <= 10000; ++r) script[r] = {{7, HISTORIA}, {13, SEXO}, {24, SERVALT}};
  script[10001] = {{7, HISTORIA}, {13, SEXO}, {71, ESTURG}};  // entries 30001..30003
  ASSERT_TRUE(f.Run(kMensual, Scripted(script)));

  const std::string limit =
      "Atenci\xF3n: El programa est\xE1 dise\361ado para ordenar un m\xE1ximo de 30000 errores";
  EXPECT_EQ(f.feedback().Texts(), (std::vector<std::string>{limit, limit}));
  EXPECT_EQ(f.SavedConfig().ErrorCount(), 30003);
  const std::string by_type = f.Work("erragr.txt");
  const std::string by_service = f.Work("erragrserv.txt");
  const std::string total = "\r\n TOTAL Errores procesados = 30000\r\n";
  EXPECT_EQ(by_type.substr(by_type.size() - total.size()), total);
  EXPECT_EQ(by_service.substr(by_service.size() - total.size()), total);
  EXPECT_EQ(by_type.find("E331"), std::string::npos);
  EXPECT_NE(by_type.find("     Total errores E61  Historia incorrecta=10000\r\n"),
            std::string::npos);
  EXPECT_NE(f.Work("resumen.txt").find("Total errores: 30003 "), std::string::npos);
  EXPECT_NE(
      f.Work("resumen.txt").find("E331 Estancia en urgencias prolongada                    1\r\n"),
      std::string::npos);
}

TEST(DetectionEdgeTest, TableWithoutServaltGroupsByTypeAndDateUnderNoSection) {
  DetectionFixture f;
  f.WriteTable({CleanEpisode().Set("HISTORIA", "1001").Set("FECALT", "20050310"),
                CleanEpisode().Set("HISTORIA", "1002").Set("FECALT", "20050301").Set("SEXO", "7"),
                CleanEpisode().Set("HISTORIA", "1003").Set("FECALT", "20050305")},
               CheckFixture::LayoutWithout({"SERVALT"}));
  ASSERT_TRUE(f.Run(kMensual, Scripted({{1, {{7, HISTORIA}}},
                                        {2, {{24, SERVALT}, {13, SEXO}}},  // SERVALT: dropped
                                        {3, {{7, HISTORIA}}}})));
  EXPECT_EQ(f.SavedConfig().ErrorCount(), 3);
  const std::string rule = "       " + Rule(72);
  std::string spaced = "       -";  // the dashes, a blank between each two
  for (int i = 1; i < 36; ++i) spaced += " -";
  EXPECT_EQ(
      f.Work("erragrserv.txt"),
      Lines({"  E61  Historia incorrecta", "       SERVICIO HISTORIA        ALTA        HISTORIA ",
             rule, "                1003         05/03/2005  1003         ",
             "                1001         10/03/2005  1001         ", spaced,
             "       Total errores E61  Historia incorrecta=2", "", "  E91  Sexo incorrecto",
             "       SERVICIO HISTORIA        ALTA            SEXO ", rule,
             "                1002         01/03/2005            7 ", spaced,
             "       Total errores E91  Sexo incorrecto=1", "", "",
             " TOTAL Errores procesados = 3"}));
  // No service row can match: the grand total alone counts the errors.
  const std::string summary = f.Work("resumen.txt");
  EXPECT_NE(
      summary.find("---- -------\r\n" + kMonthsRule + "\r\n" + std::string(86, ' ') + "3\r\n"),
      std::string::npos);
}

TEST(DetectionEdgeTest, TableThatCannotBeOpenedLeavesTheLastRunAsItWas) {
  DetectionFixture f;
  f.WriteTable({CleanEpisode(), CleanEpisode()});
  ASSERT_TRUE(f.Run(kMensual, Scripted({{2, {{7, HISTORIA}}}})));
  std::vector<std::string> before;
  for (const char* name : kFiles) before.push_back(f.Work(name));
  const ConfigRecord saved = f.SavedConfig();

  // Descriptors that disagree with the header: Open refuses the table.
  std::string bytes = DbfBytes({{"HISTORIA", 'C', 12}, {"FECALT", 'D', 8}}, {{"1", "20050101"}});
  PutLe16(&bytes, 8, 32 * 5 + 33);
  WriteFileBytes(f.WorkPath("episodios.dbf"), bytes);
  f.feedback().Clear();
  EXPECT_FALSE(f.Run(kMensual, Scripted({{1, {{7, HISTORIA}}}})));
  ASSERT_EQ(f.feedback().Texts().size(), 2u);
  EXPECT_EQ(f.feedback().Texts()[1],
            "Detecci\xF3n no realizada: el fichero CMBD-A no se puede leer");

  // A missing table is refused the same way.
  ASSERT_TRUE(RealFileSystem().Remove(f.WorkPath("episodios.dbf")));
  EXPECT_FALSE(f.Run(kMensual, Scripted({})));

  for (std::size_t i = 0; i < before.size(); ++i)
    EXPECT_EQ(f.Work(kFiles[i]), before[i]) << kFiles[i];
  EXPECT_TRUE(f.SavedConfig() == saved);
}

TEST(DetectionEdgeTest, BadlyDefinedFieldsGiveTheStructureWarningAndTheRunGoesOn) {
  DetectionFixture f;
  std::vector<std::string> layout = CheckFixture::LayoutWithout({});
  for (auto& d : layout)
    if (d == "FECALT#D8") d = "FECALT#C8";
  f.WriteTable({CleanEpisode()}, layout);
  ASSERT_TRUE(f.Run(kMensual, Scripted({{1, {{7, HISTORIA}}}})));
  EXPECT_EQ(
      f.feedback().Texts(),
      std::vector<std::string>{
          "Atenci\xF3n:\n\n     La estructura del CMBD es incorrecta\n\n"
          "     Analice la estructura en utilidades\n\n"
          "     Al importar TXT y eligiendo el fichero actual, puede ver su estructura\n\n"
          "     Nota: Este programa tiene definido los campos fechas como del tipo FECHA y\n"
          "     longitud 8 caracteres, aunque pueden estar como car\341cter y formato AAAAMMDD"});
  EXPECT_EQ(f.SavedConfig().ErrorCount(), 1);

  // A field missing altogether is no badly defined field.
  f.feedback().Clear();
  f.WriteTable({CleanEpisode()}, CheckFixture::LayoutWithout({"FECALT"}));
  ASSERT_TRUE(f.Run(kMensual, Scripted({})));
  EXPECT_TRUE(f.feedback().Texts().empty());
}

TEST(DetectionEdgeTest, AutomaticVersionFollowsTheDischargeDate) {
  DetectionFixture f;
  // The edition of each discharge date is the catalogue tests' business; here,
  // that the run takes it, and counts the dates before 1988 or unreadable.
  const std::vector<std::string> dates = {"19871231", "19880101", "19961231", "20031231", ""};
  std::vector<Episode> episodes;
  for (const auto& d : dates) episodes.push_back(CleanEpisode().Set("FECALT", d));
  f.WriteTable(episodes);
  f.session().config.SetVersionYear(50);
  std::vector<std::pair<std::string, int>> seen;
  auto record = [&](CheckContext& s) {
    seen.emplace_back(s.run.VersionLabel, s.run.VersionPosition);
  };
  ASSERT_TRUE(f.Run(kMensual, record));
  const std::pair<std::string, int> out = {"\xA8?", 4};
  EXPECT_EQ(seen, (std::vector<std::pair<std::string, int>>{
                      out, {"1988", 0}, {"1992", 1}, {"2002", 4}, out}));
  EXPECT_EQ(f.session().run.OutOfRangeCount, 2);
  EXPECT_TRUE(std::regex_match(f.feedback().status, std::regex(R"(Errs=0 \(\d+"\) FR=2)")));
  EXPECT_NE(f.Work("errores.txt").find("Test: Mensual         Versi\xF3n: 0050\r\n"),
            std::string::npos);
  EXPECT_NE(f.Work("errores.txt").find("Registros fuera de rango versi\xF3n CMBD: 2\r\n"),
            std::string::npos);
  EXPECT_NE(f.Work("resumen.txt").find("Registros fuera de rango versi\xF3n CMBD (0050): 2\r\n"),
            std::string::npos);
  EXPECT_EQ(f.feedback().info, "           -> 31/12/2003");

  // A fixed year is the label of every episode, and nothing is out of range.
  f.session().config.SetVersionYear(1999);
  seen.clear();
  ASSERT_TRUE(f.Run(kMensual, record));
  EXPECT_EQ(seen, (std::vector<std::pair<std::string, int>>(dates.size(), {"1999", 0})));
  EXPECT_EQ(f.session().run.OutOfRangeCount, 0);
}

}  // namespace
}  // namespace quirovel::testing
