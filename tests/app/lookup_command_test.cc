// quirovel lookup and quirovel catalogue check on a small catalogue.
#include <gtest/gtest.h>

#include "app/cli_installation.h"

namespace quirovel {
namespace {

using testing::CliInstallation;
using testing::CliRun;

TEST(LookupCommandTest, EachCodeWithItsRecordColumnsAndDescription) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init().exit_code, 0);
  CliRun run = inst.Run("lookup 250.00 45.13 486 999.99");
  EXPECT_EQ(run.exit_code, 1);  // one code is not in the catalogue
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "Version CIE9MC 2002: " + inst.root() + "/QUIROVEL/CIE02.dbf\n"
            "250.00: diagnóstico, registro 1 3=\"XXXXX\" 4=\" \" 5=\" \" 6=\"4\" 7=\" \" 8=\" \"\n"
            "  DIABETES\n"
            "45.13: procedimiento, registro 2 3=\"XXFFF\" 4=\" \" 5=\" \" 6=\" \" 7=\" \" 8=\"T\"\n"
            "  GASTROSCOPIA\n"
            "486: diagnóstico, registro 3 3=\"XXXXX\" 4=\"F\" 5=\"2\" 6=\" \" 7=\" \" 8=\" \"\n"
            "  NEUMONIA\n"
            "999.99: diagnóstico no encontrado\n"
            "  << NO ES CIE9-MC >>\n");
  EXPECT_EQ(inst.Run("lookup 486").exit_code, 0);
  // Forced the other way: looked up on five characters, as a procedure field holds it.
  run = inst.Run("lookup --procedure 486");
  EXPECT_NE(run.out.find("\n486: procedimiento, registro 3 "), std::string::npos) << run.out;
  run = inst.Run("lookup --diagnosis 45.1");
  EXPECT_NE(run.out.find("\n45.1: diagnóstico no encontrado\n  << NO ES CIE9-MC >>\n"), std::string::npos);
  EXPECT_EQ(inst.Run("lookup").exit_code, 2);
}

TEST(CatalogueCommandTest, ChecksTheOrderOfTheConfiguredCatalogue) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init().exit_code, 0);
  CliRun run = inst.Run("catalogue check");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "Tabla: " + inst.root() + "/QUIROVEL/CIE02.dbf\nRegs 3\nCódigos repetidos: 0\n"
                     "Orden: correcto\n");
  EXPECT_EQ(run.err, "");

  inst.Put("root/QUIROVEL/CIE02.dbf",
           testing::CieAttributesBytes(testing::CieRows({"250.00", "250.00", "45.13", "44.0"})));
  run = inst.Run("catalogue check");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err,
            "Fichero CIE9MC desordenado: 45.13   > 44.0   \n"
            "1 códigos repetidos: 250.00 , \n");
  EXPECT_NE(run.out.find("Regs 3\n"), std::string::npos);
  EXPECT_NE(run.out.find("Orden: desordenado\n"), std::string::npos);
}

}  // namespace
}  // namespace quirovel
