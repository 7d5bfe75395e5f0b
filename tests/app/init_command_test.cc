// quirovel init: the installation from a kit, and the first start.
#include <gtest/gtest.h>

#include "app/cli_installation.h"
#include "reference/config_image.h"

namespace quirovel {
namespace {

using testing::CliInstallation;
using testing::CliRun;

TEST(InitCommandTest, FirstInitCopiesTheKitAndCreatesTheConfiguration) {
  CliInstallation inst;
  CliRun run = inst.Init();
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "Creando registro\n");  // every reference file is there: nothing else to say
  EXPECT_EQ(run.out, "Instalación en " + inst.root() + ": 8 ficheros copiados, 0 ya existían\n");
  EXPECT_EQ(inst.Read("root/QUIROVEL/Quirovel.dat"), testing::NewRecordImage());
  EXPECT_EQ(inst.Read("root/QUIROVEL/Quiroveldef.dat"), testing::NewRecordImage());
  EXPECT_EQ(inst.Read("root/QUIROVEL/CIE02.dbf"), inst.Read("kit/QUIROVEL/CIE02.dbf"));
  EXPECT_EQ(inst.Read("root/QUIROVEL/trabajo/Ctprueba.dbf"), CliInstallation::Cmbd(2));

  // Again: nothing copied, nothing created, the record read back unchanged.
  run = inst.Init();
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "Instalación en " + inst.root() + ": 0 ficheros copiados, 8 ya existían\n");
  EXPECT_EQ(inst.Read("root/QUIROVEL/Quirovel.dat"), testing::NewRecordImage());
}

TEST(InitCommandTest, NeverReplacesWhatTheInstallationHasAndFollowsItsSpelling) {
  CliInstallation inst;
  inst.Put("root/quirovel/servicios.txt", "propio\r\n");
  inst.Put("root/quirovel/Quirovel.dat", std::string(100, 'q'));
  CliRun run = inst.Init();
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err.find("Creando registro"), std::string::npos);
  EXPECT_EQ(inst.Read("root/quirovel/servicios.txt"), "propio\r\n");
  EXPECT_EQ(inst.Read("root/quirovel/Quirovel.dat"), std::string(100, 'q'));
  // The kit's files join the folder that is already there, whatever its case.
  EXPECT_EQ(inst.Read("root/quirovel/hospital.dat"), inst.Read("kit/QUIROVEL/hospital.dat"));
  EXPECT_EQ(testing::RunCommand("ls " + testing::ShellQuote(inst.root())), "quirovel\n");
}

TEST(InitCommandTest, MissingKitIsRefused) {
  CliInstallation inst;
  CliRun run = inst.Run("init --kit /no/such/kit");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "No existe el directorio del kit /no/such/kit\n");
  run = inst.Run("init extra");
  EXPECT_EQ(run.exit_code, 2);
}

}  // namespace
}  // namespace quirovel
