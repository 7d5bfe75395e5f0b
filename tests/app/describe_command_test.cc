// quirovel describe: the episode description and the field tooltips of one
// record of the current file, as a user reads them at a terminal.
#include <gtest/gtest.h>

#include <map>

#include "app/cli_installation.h"

namespace quirovel::testing {
namespace {

TEST(DescribeCommandTest, PrintsTheTreeAndTheTooltips) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init().exit_code, 0);
  const std::map<std::string, std::string> episode = {
      {"HISTORIA", "13"},   {"PROCEDEN", "5"},      {"TIPING", "3"},        {"REGFIN", "2"},
      {"SEXO", "2"},        {"FECNAC", "19700315"}, {"FECING", "20050302"}, {"SERVING", "70100"},
      {"SERVALT", "70200"}, {"FECALT", "20050311"}, {"TIPALT", "4"},        {"C1", "250.00"},
      {"C2", "999.9"},      {"P1", "45.13"}};
  inst.Put("root/QUIROVEL/trabajo/e.dbf",
           DbfBytes(CmbdAFields(), {RowFor(CmbdAFields(), episode)}));
  ASSERT_EQ(inst.Run("open " + ShellQuote(inst.root() + "/QUIROVEL/trabajo/e.dbf")).exit_code, 0);

  CliRun run = inst.Run("describe 1 --tooltips");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out,
            "Hª 13            \n"
            "Episodio                                                                "
            "Estancia : 9 \n"
            "  Procedencia   : Hospital de Día Quirúrgico \n"
            "  Tipo Ingreso   : C.M.A. \n"
            "  Financiación   : Mutuas de Accidentes de Tráfico \n"
            "  Sexo               : Mujer    34 años \n"
            "  Ingreso            : 02/03/2005   Medicina Interna\n"
            "  Intervención    :            \n"
            "  Parto               :            \n"
            "  Alta                 : 11/03/2005   Error\n"
            "  Tipo Alta         : Alta voluntaria \n"
            "Diagnosticos\n"
            "  C1   250.00 DIABETES\n"
            "  C2   999.9  << NO ES CIE9-MC >>\n"  // the code as stored, six wide
            "Procedimientos\n"
            "  P1    45.13 GASTROSCOPIA\n"
            "PROCEDEN: Hospital de Día Quirúrgico\n"
            "SEXO: Mujer\n"
            "REGFIN: Mutuas de Accidentes de Tráfico\n"
            "TIPING: C.M.A.\n"
            "SERVING: Medicina Interna\n"
            "SERVALT: Error\n"  // a "70" code the services list lacks
            "TIPALT: Alta voluntaria\n"
            "C1: DIABETES\n"
            "C2: << NO ES CIE9-MC >>\n"
            "P1: GASTROSCOPIA\n");

  EXPECT_EQ(inst.Run("describe 2").exit_code, 1);  // the file has one record
  EXPECT_EQ(inst.Run("describe").exit_code, 2);
  EXPECT_EQ(inst.Run("describe 0").exit_code, 2);
  EXPECT_EQ(inst.Run("describe x1").exit_code, 2);
}

}  // namespace
}  // namespace quirovel::testing
