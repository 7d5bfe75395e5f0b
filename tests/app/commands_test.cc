// Each command but config, run as the real binary: exit codes and printed
// lines; what the commands do without an installation, and bad arguments.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "app/cli_installation.h"
#include "reference/config_image.h"

namespace quirovel {
namespace {

using testing::CliInstallation;
using testing::CliRun;
using testing::CmbdAFields;
using testing::DbfBytes;
using testing::RowFor;
using testing::ShellQuote;
using testing::TableField;

TEST(InitCommandTest, CopiesTheKitOnceIntoTheInstallationFolderWhateverItsCase) {
  CliInstallation inst;
  CliRun run = inst.Init();
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "Creando registro\n");  // every reference file is there: nothing else to say
  EXPECT_EQ(run.out, "Instalación en " + inst.root() + ": 8 ficheros copiados, 0 ya existían\n");
  EXPECT_EQ(inst.Read("root/QUIROVEL/Quirovel.dat"), testing::NewRecordImage());
  EXPECT_EQ(inst.Read("root/QUIROVEL/Quiroveldef.dat"), testing::NewRecordImage());
  EXPECT_EQ(inst.Read("root/QUIROVEL/trabajo/Ctprueba.dbf"), CliInstallation::Cmbd(2));
  inst.Put("root/QUIROVEL/servicios.txt", "propio\r\n");
  run = inst.Init();  // again: nothing replaced, nothing created
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "Instalación en " + inst.root() + ": 0 ficheros copiados, 8 ya existían\n");
  EXPECT_EQ(inst.Read("root/QUIROVEL/servicios.txt"), "propio\r\n");
  EXPECT_EQ(inst.Read("root/QUIROVEL/Quirovel.dat"), testing::NewRecordImage());
  run = inst.Run("init --kit /no/such/kit");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "No existe el directorio del kit /no/such/kit\n");

  // The kit files join an installation folder of another case.
  CliInstallation lower;
  lower.Put("root/quirovel/Quirovel.dat", std::string(100, 'q'));
  EXPECT_EQ(lower.Init().exit_code, 0);
  EXPECT_EQ(lower.Read("root/quirovel/Quirovel.dat"), std::string(100, 'q'));
  EXPECT_EQ(lower.Read("root/quirovel/hospital.dat"), lower.Read("kit/QUIROVEL/hospital.dat"));
  EXPECT_EQ(testing::RunCommand("ls " + ShellQuote(lower.root())), "quirovel\n");
}

TEST(OpenCommandTest, ChosenTableBecomesCurrentAndForgetsTheLastRunRefusalsChangeNothing) {
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
  EXPECT_EQ(run.out,
            "Fichero actual: " + inst.root() +
                "/QUIROVEL/trabajo/Marzo.DBF [C:\\quirovel\\trabajo\\Marzo.DBF]\nRegistros: 3\n"
                "Campos mal definidos o ausentes: 0\n");
  // As a C string copy leaves it: the end of the old path stays after the terminator.
  std::string expected = testing::NewRecordImage();
  expected.replace(4, 34, std::string("C:\\quirovel\\trabajo\\Marzo.DBF\0bf\0\0", 34));
  record = inst.Read("root/QUIROVEL/Quirovel.dat");
  EXPECT_EQ(record.substr(0, 704), expected.substr(0, 704));  // the error count is back to 0
  EXPECT_EQ(record.substr(1793, 4), std::string("...\0", 4));
  // A host path under the root is stored as drive C.
  ASSERT_EQ(inst.Run("open " + ShellQuote(inst.root() + "/QUIROVEL/trabajo/Marzo.DBF")).exit_code,
            0);
  EXPECT_EQ(inst.Read("root/QUIROVEL/Quirovel.dat").substr(4, 30),
            std::string("C:\\QUIROVEL\\trabajo\\Marzo.DBF\0", 30));

  // Refusals leave the configuration alone.
  const std::string before = inst.Read("root/QUIROVEL/Quirovel.dat");
  const std::string deep = "C:\\quirovel\\trabajo\\" + std::string(90, 'd') + ".dbf";
  inst.Put("root/QUIROVEL/trabajo/" + std::string(90, 'd') + ".dbf", CliInstallation::Cmbd(1));
  const std::tuple<std::string, int, std::string> cases[] = {
      {"C:\\quirovel\\trabajo\\NoEsta.dbf", 1,
       "No existe el fichero " + inst.root() +
           "/QUIROVEL/trabajo/NoEsta.dbf [C:\\quirovel\\trabajo\\NoEsta.dbf]\n"},
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
  EXPECT_EQ(
      run.out,
      "Version CIE9MC 2002: " + inst.root() +
          "/QUIROVEL/CIE02.dbf\n"
          "Columnas: 3 validez por version (blanco: no existe; F: no valida para codificar), 4 F: "
          "no puede ser principal, 5 unico sexo admitido, 6 edad (1 recien nacido, 2 menor de 25, "
          "3 de 13 a 49, 4 mayor de 50), 7 T: parto, 8 T: quirurgico\n"
          "250.00: diagnóstico, registro 1 3=\"XXXXX\" 4=\" \" 5=\" \" 6=\"4\" 7=\" \" 8=\" \"\n"
          "  DIABETES\n"
          "45.13: procedimiento, registro 2 3=\"XXFFF\" 4=\" \" 5=\" \" 6=\" \" 7=\" \" 8=\"T\"\n"
          "  GASTROSCOPIA\n"
          "486: diagnóstico, registro 3 3=\"XXXXX\" 4=\"F\" 5=\"2\" 6=\" \" 7=\" \" 8=\" \"\n"
          "  NEUMONIA\n"
          "999.99: diagnóstico no encontrado\n"
          "  << NO ES CIE9-MC >>\n");
  // Forced the other way: a procedure is looked up on five characters.
  EXPECT_NE(inst.Run("lookup --procedure 486").out.find("\n486: procedimiento, registro 3 "),
            std::string::npos);
  run = inst.Run("lookup --diagnosis 45.1");
  EXPECT_NE(run.out.find("\n45.1: diagnóstico no encontrado\n  << NO ES CIE9-MC >>\n"),
            std::string::npos);

  // catalogue check: the order of the same table, then of one out of order.
  run = inst.Run("catalogue check");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::string checked = "Tabla: " + inst.root() + "/QUIROVEL/CIE02.dbf\nRegs 3\n";
  EXPECT_EQ(run.out, checked + "Códigos repetidos: 0\nOrden: correcto\n");
  inst.Put("root/QUIROVEL/CIE02.dbf",
           testing::CieAttributesBytes(testing::CieRows({"250.00", "250.00", "45.13", "44.0"})));
  run = inst.Run("catalogue check");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err,
            "Fichero CIE9MC desordenado: 45.13   > 44.0   \n1 códigos repetidos: 250.00 , \n");
  EXPECT_EQ(run.out, checked + "Códigos repetidos: 1\nOrden: desordenado\n");
}

TEST(CliFailures, WithoutAnInstallationCommandsFailAndSayWhatToDo) {
  CliInstallation inst;  // no init: the root does not exist
  const std::string hint = "No hay instalación de Quirovel en " + inst.root() +
                           ": créela con quirovel --root " + inst.root() +
                           " init, o indique otra raíz con --root DIR o QUIROVEL_ROOT\n";
  for (const char* command :
       {"catalogue check", "detect", "counts", "group type", "config show", "config defaults",
        "report resumen.txt", "structure", "lookup 486", "open x.dbf", "check x.dbf --record 1"}) {
    CliRun run = inst.Run(command);
    EXPECT_EQ(run.exit_code, 1) << command;
    EXPECT_EQ(run.out, "") << command;
    EXPECT_EQ(run.err, hint) << command;
  }
  EXPECT_FALSE(std::filesystem::exists(inst.root())) << "nothing is created";
}

TEST(CliFailures, BadArgumentsAreRefusedWithUsage) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init().exit_code, 0);
  const std::string before = inst.Read("root/QUIROVEL/Quirovel.dat");
  // One refused command line after each '|', the first of them empty.
  std::istringstream lines(
      "|frob|init extra|open|lookup|lookup --diagnosis --procedure 486|catalogue|catalogue sort"
      "|structure a.dbf b.dbf|dump|dump x.dbf --from 0|dump x.dbf --count x|config"
      "|config set version|config show extra|detect extra|detect --test semanal|group"
      "|group everything|counts extra|report a b|report ..|report ../Quirovel.dat|report a/b");
  for (std::string arguments; std::getline(lines, arguments, '|');) {
    CliRun run = inst.Run(arguments);
    EXPECT_EQ(run.exit_code, 2) << arguments;
    EXPECT_EQ(run.out, "") << arguments;
    EXPECT_NE(run.err, "") << arguments;
  }
  EXPECT_EQ(inst.Run("frob").err, "quirovel: orden desconocida 'frob' (vea quirovel help)\n");
  EXPECT_EQ(
      inst.Run("detetc").err,
      "quirovel: orden desconocida 'detetc'; \u00BFquiso decir 'detect'? (vea quirovel help)\n");
  EXPECT_EQ(inst.Run("help frob").exit_code, 2);
  EXPECT_EQ(inst.RunBare("--root").err, "quirovel: --root necesita un directorio\n");
  EXPECT_EQ(inst.Read("root/QUIROVEL/Quirovel.dat"), before);
}

TEST(StructureCommandTest, AnalysesATableNamedByItsStoredPathAndRefusesBrokenOnes) {
  CliInstallation inst;
  std::vector<TableField> fields;
  for (const auto& f : CmbdAFields()) {
    if (f.name == "FEINTV" || f.name == "FECPART") continue;
    fields.push_back(f.name == "FECALT" ? TableField{"FECALT", 'C', 8} : f);
  }
  fields.push_back({"OBSERV", 'C', 20});
  fields.push_back({"A\xD1O", 'N', 4});  // AÑO
  inst.Put("root/Quirovel/Trabajo/Ct2006.dbf", DbfBytes(fields));
  CliRun run = inst.Run("structure " + ShellQuote("C:\\QUIROVEL\\trabajo\\CT2006.DBF"));
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(
      run.out,
      "Analisis de la estructura CMBD\n"
      "C:\\QUIROVEL\\trabajo\\CT2006.DBF\n"
      "Campos del cmbda NO ENCONTRADOS\n"
      "FECALT ->(D8.0) , FEINTV , FECPART , \n"
      "Mal definidos: 1\n"
      "No pertenece al CMBDA\n"
      "OBSERV , A\u00D1O , \n"
      "Campos del CMBD que se reconocen\n"
      "PROCEDEN , PROCH , AFILISS , HOSPITAL , HISTORIA , ASISTENC , FECNAC , SEXO , RESIDE , "
      "OCUPACION , REGFIN , FECING , TIPING , SERVING , SERVALT , FECALT , TIPALT , TRASH , "
      "C1 , C2 , C3 , C4 , C5 , C6 , C7 , C8 , C9 , C10 , C11 , C12 , C13 , C14 , C15 , "
      "CE , CE2 , CE3 , CE4 , "
      "P1 , P2 , P3 , P4 , P5 , P6 , P7 , P8 , P9 , P10 , P11 , P12 , P13 , P14 , P15 , "
      "FEINTV , FECPART , TGESTAC , PESO1N , SEXO1N , PESO2N , SEXO2N , PESO3N , SEXO3N , "
      "ESTUCI , ESTURG , \n"
      "(C=caracter D=fecha N=numero  ancho.decimales)\n");

  // A lying header is refused; a missing table is among the start-up failures.
  testing::DbfShape lying;
  lying.header_length = 32 * 3 + 33;
  const std::string bytes =
      DbfBytes({{"A", 'C', 1}, {"B", 'C', 1}, {"C", 'C', 1}, {"D", 'C', 1}}, {}, lying);
  inst.Put("bad.dbf", bytes);
  run = inst.Run("structure bad.dbf");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "Numero de campos incorrecto: \u00BFEncontrados:4 = Especificados:3? MAX_CAMPOS=150, "
            "MAX_LONG_REG=640, longitud del resgistro=5\n");
  EXPECT_EQ(inst.Read("bad.dbf"), bytes);
}

TEST(DumpCommandTest, PrintsEachEpisodesFieldsAndStopsAtARecordItCannotRead) {
  CliInstallation inst;
  auto fields = CmbdAFields();
  fields.erase(fields.begin() + 1);  // no PROCH
  inst.Put("d.dbf", DbfBytes(fields, {RowFor(fields, {{"PROCEDEN", "1"},
                                                      {"FECNAC", "20051120"},
                                                      {"FECING", "20060310"},
                                                      {"FECALT", "20060312"},
                                                      {"C1", "V30.0"},
                                                      {"OCUPACION", "n\xBA"}}),
                                      RowFor(fields, {{"HISTORIA", "42"},
                                                      {"FECNAC", "19800315"},
                                                      {"FECING", "20060315"}})}));
  CliRun run = inst.RunBare("dump d.dbf --from 1");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  const std::string& out = run.out;
  EXPECT_EQ(out.substr(0, 41), "Registro 1\nPROCEDEN=1\nPROCH=\nAFILISS=    ");
  EXPECT_NE(out.find("\nOCUPACION=n\u00BA \n"), std::string::npos);
  EXPECT_NE(out.find("\nC1=V30.0 \nC2=      \n"), std::string::npos);
  EXPECT_NE(out.find("AgeYears=0\nAgeMonths=3\nStayYears=0\n\nRegistro 2\n"), std::string::npos);
  EXPECT_EQ(out.substr(out.size() - 41), "AgeYears=26\nAgeMonths=3\nStayYears=-2006\n\n");
  run = inst.RunBare("dump d.dbf --from 2 --count 5");
  EXPECT_EQ(run.out.substr(0, 11), "Registro 2\n");
  EXPECT_EQ(run.out.find("Registro 1\n"), std::string::npos);
  // A header that promises more records than the file holds.
  testing::DbfShape lying;
  lying.record_count = 3;
  inst.Put("short.dbf", DbfBytes(CmbdAFields(), {RowFor(CmbdAFields(), {})}, lying));
  run = inst.RunBare("dump short.dbf");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out.rfind("Registro 1\n", 0), 0u);
  EXPECT_EQ(run.out.find("Registro 2\n"), std::string::npos);
  EXPECT_EQ(run.err, "No se puede leer el registro 2\n");
  // Counts at the edge of a long integer print nothing and overflow nothing.
  run = inst.RunBare("dump short.dbf --from 9223372036854775807 --count 9223372036854775807");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "");
}

TEST(DetectCommandTest, DetectThenCountsReportAndGroupOnItsLog) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init(QUIROVEL_KIT_DIR).exit_code, 0);
  auto work = [&](const std::string& name) { return inst.Read("root/QUIROVEL/trabajo/" + name); };
  CliRun run = inst.Run("detect --test mensual");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  std::smatch m;
  const std::string work_dir = inst.root() + "/QUIROVEL/trabajo/";
  const std::string status = run.out.substr(0, run.out.find('\n') + 1);
  ASSERT_TRUE(std::regex_match(status, m, std::regex(R"(Errs=(\d+) \(\d+"\) FR=0\n)"))) << run.out;
  // Then the files written, where a shell can open them.
  EXPECT_EQ(run.out.substr(run.out.find('\n') + 1),
            "Informes:\n  " + work_dir + "errores.txt\n  " + work_dir + "resumen.txt\n  " +
                work_dir + "erragr.txt\n  " + work_dir + "erragrserv.txt\n  " + work_dir +
                "fallos.dat\n");
  const long errors = std::stol(m[1]);
  EXPECT_GT(errors, 0);

  CliRun show = inst.Run("config show");
  EXPECT_NE(show.out.find("\nerror-count: " + std::to_string(errors) + "\n"), std::string::npos);
  EXPECT_TRUE(
      std::regex_search(show.out, std::regex(R"(\nlast-run: \d\d/\d\d/\d{4} \d\d:\d\d\n)")));
  // The reports' contents are the detection tests' business; here, that the run wrote them.
  EXPECT_NE(work("errores.txt").find("Test: Mensual         Versi\xF3n: 2002\r\n"),
            std::string::npos);
  EXPECT_NE(work("erragrserv.txt"), "");

  // The counts rebuilt from the log: one row per catalogue entry, adding up to the run's count.
  CliRun counts = inst.Run("counts");
  ASSERT_EQ(counts.exit_code, 0) << counts.err;
  std::istringstream rows(counts.out);
  std::string row;
  long rows_seen = 0, total = 0;
  while (std::getline(rows, row)) {
    ASSERT_TRUE(std::regex_match(row, m, std::regex(R"( *(\d+) E\d+ +.+)"))) << row;
    total += std::stol(m[1]);
    ++rows_seen;
  }
  EXPECT_EQ(rows_seen, 71);
  EXPECT_EQ(total, errors);
  EXPECT_TRUE(std::regex_search(
      counts.out, std::regex(R"(^[ \d]{5}\d E11  Procedencia incorrecta\n)")));  // "%6d "

  // report: the bytes on disk, or UTF-8 with plain line ends.
  CliRun raw = inst.Run("report resumen.txt --raw");
  EXPECT_EQ(raw.exit_code, 0);
  EXPECT_EQ(raw.out, work("resumen.txt"));
  CliRun text = inst.Run("report resumen.txt");
  EXPECT_EQ(text.exit_code, 0);
  EXPECT_EQ(text.out.find('\r'), std::string::npos);
  EXPECT_NE(text.out.find("Registros fuera de rango versi\xC3\xB3n CMBD (2002)"),
            std::string::npos);
  EXPECT_NE(text.out.find("\f\n\nERRORES POR SERVICIO\n"), std::string::npos);
  // group: one report rewritten on demand.
  const std::string by_type = work("erragr.txt");
  testing::RunCommand("rm " + testing::ShellQuote(inst.root() + "/QUIROVEL/trabajo/erragr.txt"));
  CliRun group = inst.Run("group type");
  EXPECT_EQ(group.exit_code, 0) << group.err;
  EXPECT_EQ(group.out, work_dir + "erragr.txt [C:\\quirovel\\trabajo\\erragr.txt]\n");
  const std::regex stamp(R"(\d\d/\d\d/\d{4} \d\d:\d\d\r\n)");
  EXPECT_EQ(std::regex_replace(work("erragr.txt"), stamp, ""),
            std::regex_replace(by_type, stamp, ""));
}

}  // namespace
}  // namespace quirovel

namespace quirovel::testing {
namespace {

TEST(DetectCommandTest, ChecksTheTableNamedAndSaysWhatTheReportsLeaveOut) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init(QUIROVEL_KIT_DIR).exit_code, 0);
  EXPECT_EQ(inst.Run("detect --test semanal").err,
            "Tipo de test desconocido 'semanal': mensual, trimestral o cma\n");

  // Dates kept as text of ten characters, as a spreadsheet export leaves them.
  std::vector<TableField> fields;
  for (const auto& f : CmbdAFields())
    fields.push_back(f.name == "FECALT" ? TableField{"FECALT", 'C', 10} : f);
  inst.Put("root/QUIROVEL/trabajo/csv.dbf", DbfBytes(fields, {RowFor(fields, {})}));
  CliRun run = inst.Run("detect 'C:\\QUIROVEL\\trabajo\\csv.dbf'");
  EXPECT_EQ(run.out.rfind("Fichero actual: " + inst.root() +
                              "/QUIROVEL/trabajo/csv.dbf [C:\\QUIROVEL\\trabajo\\csv.dbf]\nErrs=",
                          0),
            0u)
      << run.out;
  EXPECT_NE(run.err.find("1 campos mal definidos; vea quirovel structure "
                         "C:\\QUIROVEL\\trabajo\\csv.dbf\n  FECALT: esperado D8, encontrado C10\n"),
            std::string::npos)
      << run.err;

  // More errors than the groupings take: said on every run. A host path under
  // the root is made current in its stored form.
  const std::string big = inst.root() + "/QUIROVEL/trabajo/grande.dbf";
  RunCommand(ShellQuote(QUIROVEL_CMBD_GENERATOR) + " " + ShellQuote(big) + " --episodes 30000" +
             " --kit " + ShellQuote(std::string(QUIROVEL_KIT_DIR) + "/QUIROVEL") + " >/dev/null");
  run = inst.Run("detect " + ShellQuote(big));
  ASSERT_EQ(run.exit_code, 0) << run.err;
  std::smatch m;
  ASSERT_TRUE(std::regex_search(run.out, m, std::regex(R"(\nErrs=(\d+) )"))) << run.out;
  const long errors = std::stol(m[1]);
  ASSERT_GT(errors, 30000);
  EXPECT_NE(run.err.find("erragr.txt y erragrserv.txt agrupan los primeros 30000 de " +
                         std::to_string(errors) + " errores: faltan " +
                         std::to_string(errors - 30000) + "\n"),
            std::string::npos)
      << run.err;
}

TEST(ReportCommandTest, ListsStreamsAndRefusesBinaryFiles) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init().exit_code, 0);
  const std::string work = inst.root() + "/QUIROVEL/trabajo/";
  // A CR LF split by the end of the first block, and a lone CR at the end.
  const std::string a(65535, 'a');
  inst.Put("root/QUIROVEL/trabajo/grande.txt", a + "\r\n\xF3\r");
  inst.Put("root/QUIROVEL/trabajo/fallos.dat", std::string(64, '\0'));
  EXPECT_EQ(inst.Run("report").out,
            "Informes en " + work.substr(0, work.size() - 1) + ":\n  grande.txt\n");
  CliRun run = inst.Run("report grande");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, a + "\n\xC3\xB3\r");
  run = inst.Run("report fallos.dat");
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.err, "fallos.dat no es un informe de texto: use --raw para sus bytes\n");
  EXPECT_EQ(inst.Run("report fallos.dat --raw").out, std::string(64, '\0'));
}

TEST(HelpTest, EveryWayOfAskingGivesTheSameHelp) {
  CliInstallation inst;
  const std::string detect =
      "Uso: quirovel [--root DIR] detect [FICHERO.dbf] [--test mensual|trimestral|cma]\n\n"
      "Detecta los errores del fichero actual (Test) y escribe los informes\n";
  for (const char* asking : {"help detect", "detect -h", "detect --help"}) {
    CliRun run = inst.Run(asking);
    EXPECT_EQ(run.exit_code, 0) << asking;
    EXPECT_EQ(run.out, detect) << asking;
  }
  const std::string general = inst.Run("help").out;
  EXPECT_EQ(inst.Run("-h").out, general);
  // The names in one column as wide as the longest name needs.
  EXPECT_TRUE(std::regex_search(general, std::regex("\n  detect +Detecta los errores"))) << general;
  EXPECT_NE(general.find("130 cancelado"), std::string::npos);
  EXPECT_NE(inst.Run("help config").out.find("\n  version A\u00D1O "), std::string::npos);
}

TEST(HospitalListTest, HospitalsAreFoundByAnyPartOfTheirName) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init().exit_code, 0);
  EXPECT_EQ(inst.Run("config hospitals MAR").out, "11005  Hospital del Mar\n");
  EXPECT_EQ(inst.Run("config hospitals").out,
            "02012  Hospital General de Quirovel\n11005  Hospital del Mar\n");
  CliRun run = inst.Run("config set hospital 'Hospital X'");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err,
            "El hospital \"Hospital X\" no est\u00E1 en hospital.dat; vea quirovel config "
            "hospitals TEXTO\n");
}

TEST(HostNamesTest, FileNamesAreTheUsersBytes) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init().exit_code, 0);
  inst.Put(
      "tr\xC3\xA1"
      "bajo\xE2\x82\xAC.dbf",
      CliInstallation::Cmbd(1));
  CliRun run = inst.Run(
      "dump 'tr\xC3\xA1"
      "bajo\xE2\x82\xAC.dbf' --count 1");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out.rfind("Registro 1\n", 0), 0u);
  run = inst.Run(
      "open 'tr\xC3\xA1"
      "bajo\xE2\x82\xAC.dbf'");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  // A name the configuration cannot hold is refused, not mangled.
  inst.Put("\xE6\x96\x87.dbf", CliInstallation::Cmbd(1));
  run = inst.Run("open '\xE6\x96\x87.dbf'");
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(run.err.find("tiene caracteres que la configuraci\u00F3n no puede guardar"),
            std::string::npos)
      << run.err;
}

TEST(OddInputTest, ControlBytesAreEscapedAShortLogIsSaidAndLinkedReportsReplaced) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init().exit_code, 0);
  inst.Put("raro.dbf",
           DbfBytes(CmbdAFields(), {RowFor(CmbdAFields(), {{"HISTORIA", "\x1B[31m"}})}));
  CliRun run = inst.Run("dump raro.dbf");
  EXPECT_NE(run.out.find("\nHISTORIA=\\x1B[31m       \n"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find('\x1B'), std::string::npos);

  ASSERT_EQ(inst.Run("detect").exit_code, 0);
  inst.Put("root/QUIROVEL/trabajo/fallos.dat", std::string(64, '\0'));  // one entry of many
  run = inst.Run("counts");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "error lectura errores\n");
  // A report linked to a file elsewhere is replaced, not written through.
  inst.Put("ajeno.txt", "del usuario");
  const std::string linked = inst.root() + "/QUIROVEL/trabajo/resumen.txt";
  RunCommand("ln -sf " + ShellQuote(inst.dir.Path("ajeno.txt")) + " " + ShellQuote(linked));
  run = inst.Run("detect");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(inst.Read("ajeno.txt"), "del usuario");
  EXPECT_FALSE(std::filesystem::is_symlink(linked));
}

TEST(OddInputTest, AConfigurationThatCannotBeReadIsNotReplacedByTheDefaults) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init().exit_code, 0);
  const std::string record = inst.root() + "/QUIROVEL/Quirovel.dat";
  RunCommand("rm " + ShellQuote(record) + " && mkdir " + ShellQuote(record));
  CliRun run = inst.Run("detect");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("No se puede leer la configuraci\u00F3n C:\\QUIROVEL\\Quirovel.dat\n"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(run.err.find("Creando registro"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(inst.root() + "/QUIROVEL/trabajo/fallos.dat"));
}

}  // namespace
}  // namespace quirovel::testing
