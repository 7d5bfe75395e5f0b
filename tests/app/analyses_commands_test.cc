// The commands search, codes-by-description, uncoded, episodes and graph as a
// user runs them: what they print, the files they write, their refusals.
#include <gtest/gtest.h>

#include <map>

#include "app/cli_installation.h"

namespace quirovel::testing {
namespace {

class AnalysesCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(inst.Init().exit_code, 0);
    std::vector<std::vector<std::string>> rows;
    const std::vector<std::map<std::string, std::string>> episodes = {
        {{"HISTORIA", "11"},
         {"SERVALT", "70100"},
         {"C1", "486"},
         {"FECALT", "20050310"},
         {"FECING", "20050301"},
         {"SEXO", "2"}},
        {{"HISTORIA", "12"},
         {"SERVALT", "70100"},
         {"FECALT", "20050312"},
         {"FECING", "20050302"},
         {"SEXO", "1"}},
        {{"HISTORIA", "13"},
         {"SERVALT", "70200"},
         {"C1", "250.00"},
         {"P1", "45.13"},
         {"FECALT", "20050311"},
         {"FECING", "20050302"},
         {"SEXO", "2"}},
    };
    for (const auto& e : episodes) rows.push_back(RowFor(CmbdAFields(), e));
    inst.Put("root/QUIROVEL/trabajo/e.dbf", DbfBytes(CmbdAFields(), rows));
    ASSERT_EQ(inst.Run("open " + ShellQuote(inst.root() + "/QUIROVEL/trabajo/e.dbf")).exit_code, 0);
  }
  std::string Work(const std::string& name) const {
    return inst.Read("root/QUIROVEL/trabajo/" + name);
  }
  CliInstallation inst;
};

TEST_F(AnalysesCommandsTest, SearchPrintsThePatternTableAndWritesBothReports) {
  CliRun run = inst.Run("search '486, 25*, 45.13' --sex 2 --discharge 01/03/2005-31/03/2005");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, run.out.find("/")),
            "Rango Desde   Hasta   Frecuencia Episodios  Observaciones\n"
            "0     486                      1         1  \n"
            "1     25*                      1         1  \n"
            "2     45.13                    1         1  Procedimiento\n"
            "Episodios: 2 de 3\n");
  EXPECT_NE(Work("busqueda.txt").find("  Sexo  : 2\r\n"), std::string::npos);
  EXPECT_NE(Work("busqueda2.txt").find("Episodios:     2 de     3\r\n"), std::string::npos);

  // The kept episodes as a table, saved.
  run = inst.Run("search 486 --table --save");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("\t11\t"), std::string::npos) << run.out;
  EXPECT_NE(Work("TABLA.DBF"), "");

  // Values outside the dialog's lists, and texts without codes, are refused.
  for (const char* bad : {"search 486 --sex 4", "search 486 --admission-type 9",
                          "search 486 --discharge-type 0", "search 486 --service 99999",
                          "search 486 --age 10", "search 486 --discharge 31/02/2005-01/03/2005",
                          "search 486 --residence 123456", "search hola", "search"}) {
    run = inst.Run(bad);
    EXPECT_EQ(run.exit_code, 2) << bad;
    EXPECT_NE(run.err, "") << bad;
  }
  EXPECT_NE(inst.Run("search 486 --sex 4").err.find("1 Hombre, 2 Mujer, 3 Indeterminado"),
            std::string::npos);
}

TEST_F(AnalysesCommandsTest, CodesByDescriptionFillsASearchText) {
  CliRun run = inst.Run("codes-by-description NEUMO");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "486\n");
  run = inst.Run("codes-by-description neumo");
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err, "");
}

TEST_F(AnalysesCommandsTest, UncodedSummaryItsSortAndOneService) {
  ASSERT_EQ(inst.Run("detect --test mensual").exit_code, 0);
  CliRun run = inst.Run("uncoded --sort discharges:desc");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::size_t first = run.out.find("70100"), second = run.out.find("70200");
  EXPECT_LT(first, second) << run.out;  // 2 discharges before 1
  EXPECT_NE(run.out.find("Altas:      3   No Codificadas:      1   Codificadas:      2   66.667 %"),
            std::string::npos);
  EXPECT_NE(Work("altnocod.txt").find("12           12/03/2005 Medicina Interna\r\n"),
            std::string::npos);
  const std::string altas = Work("altas.txt");
  EXPECT_LT(altas.find("   70100 "), altas.find("   70200 "));

  run = inst.Run("uncoded --service 70100");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "Total no codificadas Medicina Interna = 1");
  EXPECT_NE(Work("altnocodserv.txt").find("12           12/03/2005      \r\n"), std::string::npos);
  EXPECT_EQ(inst.Run("uncoded --sort 7").exit_code, 2);
  EXPECT_EQ(inst.Run("uncoded --sort 1 --service 70100").exit_code, 2);
}

TEST_F(AnalysesCommandsTest, EpisodesAndGraph) {
  ASSERT_EQ(inst.Run("detect --test mensual").exit_code, 0);
  CliRun run = inst.Run("episodes --discharges 70100 --quiet");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "2\n");
  run = inst.Run("episodes --uncoded 70100");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, run.out.find('\t')), "Medicina Interna\nPROCEDEN");
  EXPECT_NE(run.out.find("\t@2\n"), std::string::npos);
  EXPECT_NE(run.out.find("Errores encontrados: 1\n"), std::string::npos);
  EXPECT_EQ(inst.Run("episodes").exit_code, 2);
  EXPECT_EQ(inst.Run("episodes --type 1 --service 70100").exit_code, 2);
  EXPECT_EQ(inst.Run("episodes --type E999").exit_code, 2);

  run = inst.Run("graph admissions --csv");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out,
            "dia,fecha,episodios\n0,2005-03-01,1\n1,2005-03-02,2\n2,2005-03-03,0\n"
            "3,2005-03-04,0\n");
  run = inst.Run("graph uncoded");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, run.out.find("Escala")),
            "Distribución altas no codificadas\n12/03/2005 -> 12/03/2005\n"
            "N=1, X=   1.00 Mo=1 Me=12/3/2005\n");
  EXPECT_EQ(inst.Run("graph").exit_code, 2);
  EXPECT_EQ(inst.Run("graph uncoded --type 1").exit_code, 2);
}

}  // namespace
}  // namespace quirovel::testing
