// The `quirovel structure` and `quirovel dump` commands, run as the real
// binary so that arguments, exit codes and the UTF-8 output are what a user gets.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <sstream>

#include "app/cli/command.h"
#include "support/dbf_builder.h"
#include "support/temp_dir.h"

namespace quirovel {
namespace {

using testing::CmbdAFields;
using testing::DbfBytes;
using testing::TableField;
using testing::RowFor;
using testing::ShellQuote;
using testing::TempDir;

const std::string kAllNames =
    "PROCEDEN , PROCH , AFILISS , HOSPITAL , HISTORIA , ASISTENC , FECNAC , SEXO , RESIDE , "
    "OCUPACION , REGFIN , FECING , TIPING , SERVING , SERVALT , FECALT , TIPALT , TRASH , "
    "C1 , C2 , C3 , C4 , C5 , C6 , C7 , C8 , C9 , C10 , C11 , C12 , C13 , C14 , C15 , "
    "CE , CE2 , CE3 , CE4 , "
    "P1 , P2 , P3 , P4 , P5 , P6 , P7 , P8 , P9 , P10 , P11 , P12 , P13 , P14 , P15 , "
    "FEINTV , FECPART , TGESTAC , PESO1N , SEXO1N , PESO2N , SEXO2N , PESO3N , SEXO3N , "
    "ESTUCI , ESTURG , ";

struct CliRun {
  int exit_code;
  std::string out;
  std::string err;
};

CliRun Quirovel(const TempDir& dir, const std::string& arguments) {
  const std::string err_path = dir.Path("stderr.txt");
  int status = 0;
  std::string out = testing::RunCommand(
      ShellQuote(QUIROVEL_BINARY) + " " + arguments + " 2>" + ShellQuote(err_path), &status);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, testing::ReadFileBytes(err_path)};
}

std::vector<TableField> ProblemFields() {
  std::vector<TableField> fields;
  for (const auto& f : CmbdAFields()) {
    if (f.name == "FEINTV" || f.name == "FECPART") continue;
    fields.push_back(f.name == "FECALT" ? TableField{"FECALT", 'C', 8} : f);
  }
  fields.push_back({"OBSERV", 'C', 20});
  fields.push_back({"A\xD1O", 'N', 4});  // AÑO
  return fields;
}

TEST(CliStructure, PrintsTheAnalysisOfATableNamedByItsStoredPath) {
  TempDir dir;
  ASSERT_EQ(::mkdir(dir.Path("Quirovel").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir(dir.Path("Quirovel/Trabajo").c_str(), 0755), 0);
  testing::WriteFileBytes(dir.Path("Quirovel/Trabajo/Ct2006.dbf"), DbfBytes(ProblemFields()));
  CliRun run = Quirovel(dir, "--root " + ShellQuote(dir.path()) + " structure " +
                              ShellQuote("C:\\QUIROVEL\\trabajo\\CT2006.DBF"));
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "Analisis de la estructura CMBD\n"
            "C:\\QUIROVEL\\trabajo\\CT2006.DBF\n"
            "Campos del cmbda NO ENCONTRADOS\n"
            "FECALT ->(D8.0) , FEINTV , FECPART , \n"
            "Mal definidos: 1\n"
            "No pertenece al CMBDA\n"
            "OBSERV , A\u00D1O , \n"
            "Campos del CMBD que se reconocen\n" +
                kAllNames +
                "\n"
                "(C=caracter D=fecha N=numero  ancho.decimales)\n");
}

TEST(CliStructure, PrintsEmptyListsForACompleteTable) {
  TempDir dir;
  testing::WriteFileBytes(dir.Path("ok.dbf"), DbfBytes(CmbdAFields()));
  CliRun run = Quirovel(dir, "structure " + ShellQuote(dir.Path("ok.dbf")));
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out,
            "Analisis de la estructura CMBD\n" + dir.Path("ok.dbf") +
                "\n"
                "Campos del cmbda NO ENCONTRADOS\n"
                "\n"
                "Mal definidos: 0\n"
                "No pertenece al CMBDA\n"
                "\n"
                "Campos del CMBD que se reconocen\n"
                "\n"
                "(C=caracter D=fecha N=numero  ancho.decimales)\n");
}

TEST(CliStructure, FailsWithTheMessageOnATableItRefusesAndLeavesItAlone) {
  TempDir dir;
  testing::DbfShape lying;
  lying.header_length = 32 * 3 + 33;
  const std::string bytes = DbfBytes({{"A", 'C', 1}, {"B", 'C', 1}, {"C", 'C', 1}, {"D", 'C', 1}}, {}, lying);
  testing::WriteFileBytes(dir.Path("bad.dbf"), bytes);
  CliRun run = Quirovel(dir, "structure " + ShellQuote(dir.Path("bad.dbf")));
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "Numero de campos incorrecto: \u00BFEncontrados:4 = Especificados:3? MAX_CAMPOS=150, "
            "MAX_LONG_REG=640, longitud del resgistro=5\n");
  EXPECT_EQ(testing::ReadFileBytes(dir.Path("bad.dbf")), bytes);

  run = Quirovel(dir, "structure " + ShellQuote(dir.Path("none.dbf")));
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "Error al abril el fichero " + dir.Path("none.dbf") + "\n");

  run = Quirovel(dir, "structure a.dbf b.dbf");
  EXPECT_EQ(run.exit_code, 2);
}

TEST(CliStructure, FindsTheInstallationThroughTheEnvironment) {
  TempDir dir;
  testing::WriteFileBytes(dir.Path("Ct.dbf"), DbfBytes(CmbdAFields()));
  ::setenv("QUIROVEL_ROOT", dir.path().c_str(), 1);
  std::ostringstream out, err;
  int code = RunCli({"structure", "c:\\ct.DBF"}, out, err);
  ::unsetenv("QUIROVEL_ROOT");
  EXPECT_EQ(code, 0) << err.str();
  EXPECT_EQ(out.str().rfind("Analisis de la estructura CMBD\nc:\\ct.DBF\n", 0), 0u);
  EXPECT_NE(out.str().find("Mal definidos: 0\n"), std::string::npos);
  // --root wins over the environment.
  TempDir other;
  ::setenv("QUIROVEL_ROOT", other.path().c_str(), 1);
  std::ostringstream out2, err2;
  code = RunCli({"--root", dir.path(), "structure", "C:\\CT.dbf"}, out2, err2);
  ::unsetenv("QUIROVEL_ROOT");
  EXPECT_EQ(code, 0) << err2.str();
  EXPECT_NE(out2.str().find("Mal definidos: 0\n"), std::string::npos);
}

TEST(CliDump, PrintsEachEpisodesFieldsAndDerivedValues) {
  TempDir dir;
  auto fields = CmbdAFields();
  fields.erase(fields.begin() + 1);  // no PROCH
  testing::WriteFileBytes(
      dir.Path("d.dbf"),
      DbfBytes(fields, {RowFor(fields, {{"PROCEDEN", "1"}, {"FECNAC", "20051120"}, {"FECING", "20060310"},
                                        {"FECALT", "20060312"}, {"C1", "V30.0"}, {"OCUPACION", "n\xBA"}}),
                        RowFor(fields, {{"HISTORIA", "42"}, {"FECNAC", "19800315"}, {"FECING", "20060315"}})}));
  CliRun run = Quirovel(dir, "dump " + ShellQuote(dir.Path("d.dbf")) + " --from 1");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  const std::string& out = run.out;
  EXPECT_EQ(out.substr(0, 41), "Registro 1\nPROCEDEN=1\nPROCH=\nAFILISS=    ");
  EXPECT_NE(out.find("\nOCUPACION=n\u00BA \n"), std::string::npos);
  EXPECT_NE(out.find("\nC1=V30.0 \nC2=      \n"), std::string::npos);
  EXPECT_NE(out.find("AgeYears=0\nAgeMonths=3\nStayYears=0\n\nRegistro 2\n"), std::string::npos);
  EXPECT_NE(out.find("\nHISTORIA=42          \n"), std::string::npos);
  EXPECT_NE(out.find("AgeYears=26\nAgeMonths=3\nStayYears=-2006\n\n"), std::string::npos);

  run = Quirovel(dir, "dump " + ShellQuote(dir.Path("d.dbf")) + " --from 2 --count 5");
  EXPECT_EQ(run.out.substr(0, 11), "Registro 2\n");
  EXPECT_EQ(run.out.find("Registro 1\n"), std::string::npos);
  EXPECT_EQ(Quirovel(dir, "dump " + ShellQuote(dir.Path("d.dbf")) + " --from 0").exit_code, 2);
}

TEST(CliDump, StopsWithAMessageAtARecordItCannotRead) {
  TempDir dir;
  testing::DbfShape lying;
  lying.record_count = 3;
  testing::WriteFileBytes(dir.Path("short.dbf"), DbfBytes(CmbdAFields(), {RowFor(CmbdAFields(), {})}, lying));
  CliRun run = Quirovel(dir, "dump " + ShellQuote(dir.Path("short.dbf")));
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.out.find("Registro 1\n"), std::string::npos);
  EXPECT_EQ(run.out.find("Registro 2\n"), std::string::npos);
  EXPECT_EQ(run.err, "No se puede leer el registro 2\n");
}

}  // namespace
}  // namespace quirovel
