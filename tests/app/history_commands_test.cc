// The analysis commands as a user runs them: readmissions, out-of-range,
// discharge-range and history, on the small kit's two episodes (histories 0
// and 1, every date blank).
#include <gtest/gtest.h>

#include "app/cli_installation.h"

namespace quirovel::testing {
namespace {

TEST(PeriodCommandsTest, ReadmissionsOutOfRangeAndDischargeRange) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init().exit_code, 0);
  const std::string work = inst.root() + "/QUIROVEL/trabajo/";
  CliRun run = inst.Run("readmissions --from 01/01/2005 --to 31/12/2005 --mode service --days 7");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out,
            "Duplicadas:      0 +       0 números de asistencia duplicados,      Reingresos:      "
            "0 en    7 dias, de los cuales 0 son no programados. Solapamiento de fechas:     0\n"
            "Informes:\n  " +
                work + "reingr.txt\n  " + work + "reingrserv.txt\n  " + work +
                "reingrservnoprog.txt\n");
  EXPECT_NE(inst.Read("root/QUIROVEL/trabajo/reingr.txt").find("[0 -> 0]  en 7 dias"),
            std::string::npos);
  EXPECT_EQ(inst.Run("readmissions").exit_code, 0);  // today's period
  for (const char* bad :
       {"readmissions --mode c2", "readmissions --days -1", "readmissions --from 31/02/2005",
        "out-of-range --from 01/01/2005", "discharge-range now"})
    EXPECT_EQ(inst.Run(bad).exit_code, 2) << bad;

  run = inst.Run("out-of-range --from 01/01/2005 --to 31/12/2005");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "Altas:      2   Fuera de Rango:      2\nPeriodo (aaaammdd): 0 -> 0\n" + work +
                         "fuerango.txt\n");
  run = inst.Run("discharge-range");
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, "20500101 -> 1\n");
  EXPECT_EQ(run.err,
            "Alta: fuera de rango 1/1/1970 - 31/12/2019\nAlta: Fuera de rango 1/1/1970 - "
            "31/12/2019\n");
}

TEST(PeriodCommandsTest, HistoryAppendsOnlyAfterAYes) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init().exit_code, 0);
  const std::string history = "root/QUIROVEL/trabajo/hist.dbf";
  const std::string before =
      DbfBytes({{"HISTORIA", 'C', 12}, {"FECALT", 'D', 8}}, {{"9", "20040101"}});
  inst.Put(history, before);
  ASSERT_EQ(inst.Run("config set history 'C:\\Quirovel\\trabajo\\HIST.DBF'").exit_code, 0);

  CliRun run = inst.Run("history append </dev/null");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("(sin terminal: responda con --yes o --no)"), std::string::npos);
  run = inst.Run("history append --no");
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, "Nada añadido al histórico\n");
  EXPECT_EQ(inst.Read(history), before);
  EXPECT_EQ(inst.Run("history append --yes --no").exit_code, 2);

  run = inst.Run("history append --yes");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err,
            "ATENCION: Puede duplicar episodios: Rango fechas de altas histórico: 01/01/2004 --> "
            "01/01/2004\n\n¿Desea añadir al histórico el CMBD actual? [si]\n");
  EXPECT_EQ(Le32At(inst.Read(history), 4), 3u);
  run = inst.Run("history show");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "Histórico: " + inst.root() +
                         "/QUIROVEL/trabajo/hist.dbf [C:\\Quirovel\\trabajo\\HIST.DBF]\n"
                         "Registros: 3\nAltas:            -> 01/01/2004\n");
}

}  // namespace
}  // namespace quirovel::testing
