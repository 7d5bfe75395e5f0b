// quirovel structure and quirovel dump on tables written for each test.
#include <gtest/gtest.h>

#include "app/cli_installation.h"

namespace quirovel {
namespace {

using testing::CliInstallation;
using testing::CliRun;
using testing::CmbdAFields;
using testing::DbfBytes;
using testing::RowFor;
using testing::ShellQuote;
using testing::TableField;

TEST(StructureCommandTest, PrintsTheAnalysisOfATableNamedByItsStoredPath) {
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
  EXPECT_EQ(run.out,
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
}

TEST(StructureCommandTest, RefusesALyingHeaderAndAMissingFile) {
  CliInstallation inst;
  testing::DbfShape lying;
  lying.header_length = 32 * 3 + 33;
  const std::string bytes = DbfBytes({{"A", 'C', 1}, {"B", 'C', 1}, {"C", 'C', 1}, {"D", 'C', 1}}, {}, lying);
  inst.Put("bad.dbf", bytes);
  CliRun run = inst.Run("structure bad.dbf");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "Numero de campos incorrecto: \u00BFEncontrados:4 = Especificados:3? MAX_CAMPOS=150, "
            "MAX_LONG_REG=640, longitud del resgistro=5\n");
  EXPECT_EQ(inst.Read("bad.dbf"), bytes);
  run = inst.Run("structure none.dbf");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "Error al abril el fichero none.dbf\n");
}

TEST(DumpCommandTest, PrintsEachEpisodesFieldsAndStopsAtARecordItCannotRead) {
  CliInstallation inst;
  auto fields = CmbdAFields();
  fields.erase(fields.begin() + 1);  // no PROCH
  inst.Put("d.dbf", DbfBytes(fields, {RowFor(fields, {{"PROCEDEN", "1"}, {"FECNAC", "20051120"},
                                                      {"FECING", "20060310"}, {"FECALT", "20060312"},
                                                      {"C1", "V30.0"}, {"OCUPACION", "n\xBA"}}),
                                      RowFor(fields, {{"HISTORIA", "42"}, {"FECNAC", "19800315"},
                                                      {"FECING", "20060315"}})}));
  CliRun run = inst.RunBare("dump d.dbf --from 1");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  const std::string& out = run.out;
  EXPECT_EQ(out.substr(0, 41), "Registro 1\nPROCEDEN=1\nPROCH=\nAFILISS=    ");
  EXPECT_NE(out.find("\nOCUPACION=n\u00BA \n"), std::string::npos);
  EXPECT_NE(out.find("\nC1=V30.0 \nC2=      \n"), std::string::npos);
  EXPECT_NE(out.find("AgeYears=0\nAgeMonths=3\nStayYears=0\n\nRegistro 2\n"), std::string::npos);
  EXPECT_NE(out.find("\nHISTORIA=42          \n"), std::string::npos);
  EXPECT_NE(out.find("AgeYears=26\nAgeMonths=3\nStayYears=-2006\n\n"), std::string::npos);
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
}

}  // namespace
}  // namespace quirovel
