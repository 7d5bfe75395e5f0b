// quirovel open FILE: "Fichero" with a dBase table.
#include <gtest/gtest.h>

#include "app/cli_installation.h"
#include "reference/config_image.h"

namespace quirovel {
namespace {

using testing::CliInstallation;
using testing::CliRun;
using testing::ShellQuote;

class OpenCommandTest : public ::testing::Test {
 protected:
  OpenCommandTest() {
    EXPECT_EQ(inst.Init().exit_code, 0);
    // A last run on the sample file: 7 errors on 01/03/2006.
    std::string record = inst.Read("root/QUIROVEL/Quirovel.dat");
    record[700] = 7;
    record.replace(1793, 17, std::string("01/03/2006 10:00\0", 17));
    inst.Put("root/QUIROVEL/Quirovel.dat", record);
    inst.Put("root/QUIROVEL/trabajo/Marzo.DBF", CliInstallation::Cmbd(3));
  }
  std::string Record() const { return inst.Read("root/QUIROVEL/Quirovel.dat"); }
  CliInstallation inst;
};

TEST_F(OpenCommandTest, ChosenTableBecomesCurrentAndForgetsTheLastRun) {
  CliRun run = inst.Run("open 'C:\\quirovel\\trabajo\\Marzo.DBF'");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "Fichero actual: C:\\quirovel\\trabajo\\Marzo.DBF\nRegistros: 3\n"
                     "Campos mal definidos o ausentes: 0\n");
  std::string expected = testing::NewRecordImage();
  // Only the terminator follows the new text: the end of the old path stays
  // behind it, as a C string copy into the field leaves it.
  expected.replace(4, 30, std::string("C:\\quirovel\\trabajo\\Marzo.DBF\0", 30));
  EXPECT_EQ(Record().substr(0, 100), expected.substr(0, 100));
  EXPECT_EQ(Record().substr(34, 4), std::string("bf\0\0", 4));
  EXPECT_EQ(Record().substr(700, 4), std::string(4, '\0'));
  EXPECT_EQ(Record().substr(1793, 4), std::string("...\0", 4));

  // The structure command now analyses the chosen file.
  run = inst.Run("structure");
  EXPECT_EQ(run.out.rfind("Analisis de la estructura CMBD\nC:\\quirovel\\trabajo\\Marzo.DBF\n", 0), 0u);
}

TEST_F(OpenCommandTest, HostPathsUnderTheRootAreStoredAsDriveC) {
  CliRun run = inst.Run("open " + ShellQuote(inst.root() + "/QUIROVEL/trabajo/Marzo.DBF"));
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(Record().substr(4, 30), std::string("C:\\QUIROVEL\\trabajo\\Marzo.DBF\0", 30));
  // Relative to the current directory.
  inst.Put("otra.dbf", CliInstallation::Cmbd(1));
  run = inst.Run("open otra.dbf");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(Record().substr(4, inst.dir.Path("otra.dbf").size()), inst.dir.Path("otra.dbf"));
}

TEST_F(OpenCommandTest, RefusalsLeaveTheConfigurationAlone) {
  const std::string before = Record();
  struct Case {
    std::string argument;
    int code;
    std::string message;
  } cases[] = {
      {"'C:\\quirovel\\trabajo\\NoEsta.dbf'", 1, "No existe el fichero C:\\quirovel\\trabajo\\NoEsta.dbf\n"},
      {"'C:\\quirovel\\trabajo\\datos.txt'", 2,
       "Un fichero de texto se importa primero a una tabla dBase; luego se abre la tabla\n"},
      {"'C:\\quirovel\\trabajo\\datos.csv'", 2, "Solo se abren tablas dBase (.dbf)\n"},
  };
  for (const Case& c : cases) {
    CliRun run = inst.Run("open " + c.argument);
    EXPECT_EQ(run.exit_code, c.code) << c.argument;
    EXPECT_EQ(run.err, c.message);
  }
  const std::string deep = "C:\\quirovel\\trabajo\\" + std::string(90, 'd') + ".dbf";
  inst.Put("root/QUIROVEL/trabajo/" + std::string(90, 'd') + ".dbf", CliInstallation::Cmbd(1));
  CliRun run = inst.Run("open " + ShellQuote(deep));
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "La ruta " + deep + " no cabe en la configuración (máximo 99 caracteres)\n");
  EXPECT_EQ(Record(), before);
}

}  // namespace
}  // namespace quirovel
