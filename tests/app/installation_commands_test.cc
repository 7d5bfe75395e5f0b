// quirovel init, open, lookup and catalogue check on an installation made
// from a small kit; what every command does without one, and bad arguments.
#include <gtest/gtest.h>

#include "app/cli_installation.h"
#include "reference/config_image.h"

namespace quirovel {
namespace {

using testing::CliInstallation;
using testing::CliRun;
using testing::ShellQuote;

TEST(InitCommandTest, FirstInitCopiesTheKitAndCreatesTheConfigurationOnce) {
  CliInstallation inst;
  CliRun run = inst.Init();
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "Creando registro\n");  // every reference file is there: nothing else to say
  EXPECT_EQ(run.out, "Instalación en " + inst.root() + ": 8 ficheros copiados, 0 ya existían\n");
  EXPECT_EQ(inst.Read("root/QUIROVEL/Quirovel.dat"), testing::NewRecordImage());
  EXPECT_EQ(inst.Read("root/QUIROVEL/Quiroveldef.dat"), testing::NewRecordImage());
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
  EXPECT_EQ(testing::RunCommand("ls " + ShellQuote(inst.root())), "quirovel\n");
  run = inst.Run("init --kit /no/such/kit");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "No existe el directorio del kit /no/such/kit\n");
}

TEST(OpenCommandTest, ChosenTableBecomesCurrentAndForgetsTheLastRun) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init().exit_code, 0);
  std::string record = inst.Read("root/QUIROVEL/Quirovel.dat");
  record[700] = 7;  // a last run: 7 errors on 01/03/2006
  record.replace(1793, 17, std::string("01/03/2006 10:00\0", 17));
  inst.Put("root/QUIROVEL/Quirovel.dat", record);
  inst.Put("root/QUIROVEL/trabajo/Marzo.DBF", CliInstallation::Cmbd(3));
  CliRun run = inst.Run("open 'C:\\quirovel\\trabajo\\Marzo.DBF'");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "Fichero actual: C:\\quirovel\\trabajo\\Marzo.DBF\nRegistros: 3\n"
                     "Campos mal definidos o ausentes: 0\n");
  // Only the terminator follows the new text: the end of the old path stays
  // behind it, as a C string copy into the field leaves it.
  std::string expected = testing::NewRecordImage();
  expected.replace(4, 34, std::string("C:\\quirovel\\trabajo\\Marzo.DBF\0bf\0\0", 34));
  record = inst.Read("root/QUIROVEL/Quirovel.dat");
  EXPECT_EQ(record.substr(0, 704), expected.substr(0, 704));  // the error count is back to 0
  EXPECT_EQ(record.substr(1793, 4), std::string("...\0", 4));
  // A host path under the root is stored as drive C.
  ASSERT_EQ(inst.Run("open " + ShellQuote(inst.root() + "/QUIROVEL/trabajo/Marzo.DBF")).exit_code, 0);
  EXPECT_EQ(inst.Read("root/QUIROVEL/Quirovel.dat").substr(4, 30),
            std::string("C:\\QUIROVEL\\trabajo\\Marzo.DBF\0", 30));
}

TEST(OpenCommandTest, RefusalsLeaveTheConfigurationAlone) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init().exit_code, 0);
  const std::string before = inst.Read("root/QUIROVEL/Quirovel.dat");
  const std::string deep = "C:\\quirovel\\trabajo\\" + std::string(90, 'd') + ".dbf";
  inst.Put("root/QUIROVEL/trabajo/" + std::string(90, 'd') + ".dbf", CliInstallation::Cmbd(1));
  const std::tuple<std::string, int, std::string> cases[] = {
      {"C:\\quirovel\\trabajo\\NoEsta.dbf", 1, "No existe el fichero C:\\quirovel\\trabajo\\NoEsta.dbf\n"},
      {"C:\\quirovel\\trabajo\\datos.txt", 2,
       "Un fichero de texto se importa primero a una tabla dBase; luego se abre la tabla\n"},
      {"C:\\quirovel\\trabajo\\datos.csv", 2, "Solo se abren tablas dBase (.dbf)\n"},
      {deep, 1, "La ruta " + deep + " no cabe en la configuración (máximo 99 caracteres)\n"}};
  for (const auto& [argument, code, message] : cases) {
    CliRun run = inst.Run("open " + ShellQuote(argument));
    EXPECT_EQ(run.exit_code, code) << argument;
    EXPECT_EQ(run.err, message);
  }
  EXPECT_EQ(inst.Read("root/QUIROVEL/Quirovel.dat"), before);
}

TEST(CatalogueCommandsTest, LookupPrintsEachCodesRecordAndCheckTheTablesOrder) {
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
  // Forced the other way: a procedure is looked up on five characters.
  run = inst.Run("lookup --procedure 486");
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_NE(run.out.find("\n486: procedimiento, registro 3 "), std::string::npos) << run.out;
  run = inst.Run("lookup --diagnosis 45.1");
  EXPECT_NE(run.out.find("\n45.1: diagnóstico no encontrado\n  << NO ES CIE9-MC >>\n"), std::string::npos);

  // catalogue check: the order of the same table, then of one out of order.
  run = inst.Run("catalogue check");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "Tabla: " + inst.root() + "/QUIROVEL/CIE02.dbf\nRegs 3\nCódigos repetidos: 0\nOrden: correcto\n");
  inst.Put("root/QUIROVEL/CIE02.dbf",
           testing::CieAttributesBytes(testing::CieRows({"250.00", "250.00", "45.13", "44.0"})));
  run = inst.Run("catalogue check");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "Fichero CIE9MC desordenado: 45.13   > 44.0   \n1 códigos repetidos: 250.00 , \n");
  EXPECT_EQ(run.out, "Tabla: " + inst.root() + "/QUIROVEL/CIE02.dbf\nRegs 3\nCódigos repetidos: 1\n"
                     "Orden: desordenado\n");
}

TEST(CliFailures, WithoutAnInstallationCommandsFailAndSayWhy) {
  CliInstallation inst;  // no init: the root does not exist
  // Start-up says what it misses, in order, whatever the command.
  const std::string start = "Error al abrir fichero de servicios.txt\nError al abrir fichero de hospitnosas.txt\n"
                            "Error al abrir fichero de ocupaciones.txt\nCreando registro\n"
                            "Error al abril el fichero " + inst.root() + "/Quirovel/trabajo/Ctprueba.dbf\n"
                            "Error al abril el fichero " + inst.root() + "/QUIROVEL/CIE02.dbf\n"
                            "Error al abril el fichero " + inst.root() + "/QUIROVEL/CIEDE02.dbf\n"
                            "Error al abrir fichero de codigos postales\nError al Crear fichero de codigos postales\n";
  EXPECT_EQ(inst.Run("catalogue check").err, start);
  const std::pair<const char*, std::string> cases[] = {
      {"detect", "Detección no realizada: el fichero CMBD-A no se puede leer\n"},
      {"counts", "error al abrir fallos.dat\n"},
      {"group type", "Error al abrir erragr.txt\n"},
      {"config defaults", "Error al leer la configuración\n"},
      {"report resumen.txt", "No existe el informe C:\\quirovel\\trabajo\\resumen.txt\n"},
      {"structure", "Error al abril el fichero " + inst.root() + "/Quirovel/trabajo/Ctprueba.dbf\n"}};
  for (const auto& [command, last_line] : cases) {
    CliRun run = inst.Run(command);
    EXPECT_EQ(run.exit_code, 1) << command;
    EXPECT_EQ(run.out, "") << command;
    ASSERT_GE(run.err.size(), last_line.size()) << command;
    EXPECT_EQ(run.err.substr(run.err.size() - last_line.size()), last_line) << command;
  }
}

TEST(CliFailures, BadArgumentsAreRefusedWithUsage) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init().exit_code, 0);
  const std::string before = inst.Read("root/QUIROVEL/Quirovel.dat");
  for (const char* arguments :
       {"", "frob", "init extra", "open", "lookup", "lookup --diagnosis --procedure 486", "catalogue",
        "catalogue sort", "structure a.dbf b.dbf", "dump", "dump x.dbf --from 0", "dump x.dbf --count x",
        "config", "config set version", "config show extra", "detect extra", "detect --test semanal", "group",
        "group everything", "counts extra", "report", "report ..", "report ../Quirovel.dat", "report a/b"}) {
    CliRun run = inst.Run(arguments);
    EXPECT_EQ(run.exit_code, 2) << arguments;
    EXPECT_EQ(run.out, "") << arguments;
    EXPECT_NE(run.err, "") << arguments;
  }
  EXPECT_EQ(inst.Run("frob").err, "quirovel: orden desconocida 'frob' (vea quirovel --help)\n");
  EXPECT_EQ(inst.RunBare("--root").err, "quirovel: --root necesita un directorio\n");
  EXPECT_EQ(inst.Read("root/QUIROVEL/Quirovel.dat"), before);
}

}  // namespace
}  // namespace quirovel
