// quirovel structure create, import, export and export-errors, and the import
// settings of `config set`, run as the real program.
#include <gtest/gtest.h>

#include "app/cli_installation.h"

namespace quirovel {
namespace {

using testing::CliInstallation;
using testing::CliRun;

TEST(TransferCommands, StructureImportAndTheSavedLayouts) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init().exit_code, 0);
  CliRun run = inst.Run("structure create est.dbf HISTORIA#C6 FECALT#D8");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, inst.dir.Path("est.dbf") + "\n");
  EXPECT_EQ(inst.Run("structure create est.dbf A#C1").exit_code, 1);  // never over a file

  inst.Put("altas.txt", "HIST;FECHA\r\n\"1\";12/05/2006\r\n\"2\";1/6/06\r\n");
  run = inst.Run(
      "import altas.txt --structure est.dbf --out nueva.dbf --separator ';' "
      "--delimiter '\"' --header --date-format 1");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "Importado: 2 \n" + inst.dir.Path("nueva.dbf") + "\n");
  const std::string table = inst.Read("nueva.dbf");
  EXPECT_EQ(table.substr(table.size() - 30), " 1     20060512 2     20060601");

  // The options stay in the configuration; `config set import.*` changes them.
  EXPECT_EQ(inst.Run("config set import.date-format 6").exit_code, 0);
  const std::string show = inst.Run("config show").out;
  EXPECT_NE(show.find("import.separator: \";\""), std::string::npos) << show;
  EXPECT_NE(show.find("import.date-format: 6"), std::string::npos);
  EXPECT_NE(show.find("recent-structure.1: " + inst.dir.Path("est.dbf")), std::string::npos);

  // A saved layout: kept whole, then imported, its table made the current file.
  inst.Put("altas.txt", "4;20060101\r\n");
  EXPECT_EQ(inst.Run("import --no-header --save-layout cmbd").exit_code, 0);  // nothing imported
  EXPECT_EQ(inst.Run("config set saved-cmbd.target-table otra.dbf").exit_code, 0);
  run = inst.Run("import --layout cmbd");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "Importado: 1 \n" + inst.dir.Path("otra.dbf") + "\n");
  EXPECT_NE(inst.Run("config show").out.find("current-path: " + inst.dir.Path("otra.dbf")),
            std::string::npos);

  // Never over the file it reads.
  run = inst.Run("import altas.txt --out altas.txt");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(inst.Read("altas.txt"), "4;20060101\r\n");
  EXPECT_EQ(inst.Run("import --date-format 7").exit_code, 2);
  EXPECT_EQ(inst.Run("config set import.delimiter '\"'").exit_code, 0);
  EXPECT_EQ(inst.Run("import --save-layout cma --delimiter ''").exit_code, 0);
  EXPECT_NE(inst.Run("config show").out.find("saved-cma.delimiter: \" \""), std::string::npos);
}

TEST(TransferCommands, ExportsByPeriodAndMonthAndTheErrorTable) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init().exit_code, 0);
  const std::string work = inst.root() + "/QUIROVEL/trabajo/";
  CliRun run = inst.Run("export --month 2 --year 2006 --test trimestral");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, 12), "Exportado 0 ");
  EXPECT_NE(run.out.find(work + "CT120106.TXT [C:\\quirovel\\trabajo\\CT120106.TXT]\n"),
            std::string::npos)
      << run.out;
  run = inst.Run("export --from 01/01/2006 --to 31/01/2006 --format dbf --name ENERO");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find(work + "ENERO.DBF"), std::string::npos);
  EXPECT_EQ(inst.Read("root/QUIROVEL/trabajo/ENERO.DBF").size(), 32u * 63 + 33 + 1);
  for (const char* refused : {"export --month 13", "export", "export --month 1 --name ../x"})
    EXPECT_EQ(inst.Run(refused).exit_code, 2) << refused;

  run = inst.Run("export-errors");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out,
            "0 -> errores.dbf\n" + work + "ERRORES.DBF [C:\\quirovel\\trabajo\\ERRORES.DBF]\n");
  ASSERT_EQ(inst.Run("detect").exit_code, 0);
  run = inst.Run("export-errors");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  const std::string errors = inst.Read("root/QUIROVEL/trabajo/ERRORES.DBF");
  EXPECT_GT(errors.size(), 32u * 8 + 33);
  EXPECT_EQ(static_cast<unsigned char>(errors[4]), (errors.size() - 289) / 234);
}

}  // namespace
}  // namespace quirovel
