// The labels of the coded values in both wordings, the tooltips of the error
// browser's field boxes and the episode description, against the label tables
// written out by hand.
#include "analyses/field_tooltip.h"

#include <gtest/gtest.h>

#include "analyses/episode_table_description.h"
#include "session/episode_walk.h"
#include "support/detection_fixture.h"
#include "validation/cmbd_layout.h"

namespace quirovel::testing {
namespace {

struct Row {
  long code;
  const char* description;  // the episode description's wording
  const char* tooltip;
};

void ExpectTable(int field, const std::vector<Row>& rows, const std::vector<long>& missing) {
  for (const Row& r : rows) {
    EXPECT_EQ(CodedValueLabel(field, r.code), r.description) << field << " " << r.code;
    EXPECT_EQ(CodedValueLabel(field, r.code, true), r.tooltip) << field << " " << r.code;
  }
  for (long code : missing) {
    EXPECT_EQ(CodedValueLabel(field, code), "") << field << " " << code;
    EXPECT_EQ(CodedValueLabel(field, code, true), "") << field << " " << code;
  }
}

TEST(CodedValueLabelTest, EveryTableInBothWordings) {
  ExpectTable(PROCEDEN,
              {{1, "Urgencias", "Urgencias"},
               {2, "Consultas Externas", "Consultas Externas"},
               {3, "Lista de Espera", "Lista de Espera"},
               {4,
                "Hospital de D\xed"
                "a M\xe9"
                "dico",
                "Hospital de D\xed"
                "a M\xe9"
                "dico"},
               {5,
                "Hospital de D\xed"
                "a Quir\xfa"
                "rgico",
                "Hospital de D\xed"
                "a Quir\xfa"
                "rgico"},
               {6, "Otros Centros", "Otros Centros"},
               {7, "Nacidos en el Hospital", "Nacidos Hospital"}},
              {0, 8, 9, -1});
  const std::vector<Row> sex = {{1, "Hombre", "Hombre"},
                                {2, "Mujer", "Mujer"},
                                {3, "Indeterminado", "Indeterminado"},
                                {9, "Desconocido", "Desconocido"}};
  for (int field : {SEXO, SEXO1N, SEXO2N, SEXO3N}) ExpectTable(field, sex, {0, 4, 8});
  ExpectTable(REGFIN,
              {{1, "Seguridad Social", "Seguridad Social"},
               {2,
                "Mutuas de Accidentes de Tr\xe1"
                "fico",
                "Mutuas de Accidentes de Tr\xe1"
                "fico"},
               {3, "Mutuas de Accidentes de Trabajo", "Mutuas de Accidentes de Trabajo"},
               {4,
                "Mutualidades P\xfa"
                "blicas",
                "Mutualidades P\xfa"
                "blicas"},
               {5, "Privado", "Privado"},
               {6, "Financiaci\xf3n Mixta", "financiaci\xf3n Mixta"},
               {7, "Convenio Internacional", "Convenio internacional"},
               {8, "Otros", "Otros"},
               {9, "Desconocido", "Desconocido"}},
              {0, 10});
  ExpectTable(TIPING,
              {{1, "Urgente", "Urgente"}, {2, "Programado", "Programado"}, {3, "C.M.A.", "C.M.A."}},
              {0, 4, 9});
  ExpectTable(TIPALT,
              {{1, "Destino al domicilio", "Destino al domicilio"},
               {2, "Traslado a otro hospital", "Traslado a otro hospital"},
               {3, "Traslado a Residencia Social", "Traslado a Residencia Social"},
               {4, "Alta voluntaria", "Alta voluntaria"},
               {5, "Defunci\xf3n", "Defunci\xf3n"},
               {6, "Hospitalizado a domicilio", "Hospitalizado a domicilio"},
               {7, "In Extremis", "In Extremis"},
               {8, "Fuga", "Fuga"},
               {9, "Desconocido", "Desconocido"}},
              {0, 10});
  for (int field : {HOSPITAL, RESIDE, ESTUCI}) EXPECT_EQ(CodedValueLabel(field, 1), "");
}

// Every field but those named.
std::vector<std::string> LayoutWithout(const std::vector<std::string>& names) {
  std::vector<std::string> layout;
  for (int k = 1; k <= kCmbdFieldCount; ++k)
    if (std::find(names.begin(), names.end(), std::string(CmbdFieldName(k))) == names.end())
      layout.emplace_back(kCmbdLayout[static_cast<std::size_t>(k - 1)]);
  return layout;
}

class FieldTooltipTest : public ::testing::Test {
 protected:
  void Load(const Episode& episode, const std::vector<std::string>& layout = {}) {
    f.WriteTable({episode}, layout);
    ASSERT_TRUE(ReopenCurrentTable(f.session()));
    ASSERT_EQ(f.session().table.ReadRecord(1), 0);
    DecodeRecord(f.session());
  }
  std::string Tip(int field) { return FieldTooltip(f.session(), field); }

  DetectionFixture f;
};

TEST_F(FieldTooltipTest, CodedFieldsServicesAndCodes) {
  Load(CleanEpisode()
           .Set("PROCEDEN", "7")
           .Set("REGFIN", "6")
           .Set("TIPING", "9")
           .Set("TIPALT", "7")
           .Set("SEXO1N", "3")
           .Set("SEXO2N", "9")
           .Set("SEXO3N", "5")
           .Set("SERVING", "70440")
           .Set("SERVALT", "80100")
           .Set("C1", "     ")
           .Set("C2", "250.00")
           .Set("C3", "999.99")
           .Set("CE2", "E880.9")
           .Set("P1", "47.0")
           .Set("P15", "00.00")
           .Set("ESTUCI", "3"));
  EXPECT_EQ(Tip(PROCEDEN), "Nacidos Hospital");
  EXPECT_EQ(Tip(REGFIN), "financiaci\xf3n Mixta");
  EXPECT_EQ(Tip(TIPING), "");  // no admission type 9
  EXPECT_EQ(Tip(TIPALT), "In Extremis");
  EXPECT_EQ(Tip(SEXO), "Mujer");
  EXPECT_EQ(Tip(SEXO1N), "Indeterminado");
  EXPECT_EQ(Tip(SEXO2N), "Desconocido");
  EXPECT_EQ(Tip(SEXO3N), "");
  EXPECT_EQ(Tip(SERVING), "PEDIATRIA");
  // A service the table knows whose code does not begin with "70".
  const std::string services = f.WorkPath("servicios.txt");
  ASSERT_TRUE(
      WriteWholeFile(f.fs(), services, "CODIGSERVICIO\r\n70440PEDIATRIA\r\n80100CIRUGIA\r\n"));
  f.session().references.services.Load(f.fs(), f.feedback(), services);
  ASSERT_EQ(f.session().references.services.ServiceName("80100"), "CIRUGIA");
  EXPECT_EQ(Tip(SERVALT), "");
  EXPECT_EQ(Tip(C1), "");  // five blanks
  EXPECT_EQ(Tip(C1 + 1), "Diabetes mellitus sin complicaciones");
  EXPECT_EQ(Tip(C1 + 2), "<< NO ES CIE9-MC >>");
  EXPECT_EQ(Tip(CE2), "Caida por escaleras");
  EXPECT_EQ(Tip(P1), "Codigo 47.0");
  EXPECT_EQ(Tip(P15), "<< NO ES CIE9-MC >>");
  for (int field : {HISTORIA, FECNAC, FECING, RESIDE, ESTUCI, TGESTAC})
    EXPECT_EQ(Tip(field), "") << CmbdFieldName(field);
}

TEST_F(FieldTooltipTest, FieldsTheTableLacksHaveNoTooltipNorLabel) {
  Load(CleanEpisode().Set("P1", "47.0"),
       LayoutWithout({"PROCEDEN", "TIPALT", "SERVING", "C1", "P1", "P2", "SEXO1N"}));
  for (int field : {PROCEDEN, TIPALT, SERVING, C1, P1, SEXO1N})
    EXPECT_EQ(Tip(field), "") << CmbdFieldName(field);
  EXPECT_EQ(CodeLabel(f.session(), PROCEDEN), "");
  EXPECT_EQ(CodeLabel(f.session(), SEXO), "Mujer");
  EXPECT_EQ(Tip(SERVALT), "MEDICINA INTERNA");
}

TEST_F(FieldTooltipTest, DescriptionOfAnEpisodeWithAbsentFieldsAndNoProcedures) {
  // Born 20/03/2004, admitted 01/03/2005: eleven months, one less than the
  // calendar months since the day of the month was not reached.
  Load(CleanEpisode()
           .Set("HISTORIA", "77")
           .Set("FECNAC", "20040320")
           .Set("SEXO", "1")
           .Set("REGFIN", "7")
           .Set("TIPING", "2")
           .Set("TIPALT", "5")
           .Set("SERVALT", "70552")
           .Set("FEINTV", "20050302")
           .Set("C1", "V27.0")
           .Set("CE", "E816.0")
           .Set("CE4", " 816"),
       LayoutWithout({"PROCEDEN", "C2", "FECPART"}));
  const EpisodeDescription d = DescribeEpisode(f.session(), 1);
  EXPECT_EQ(d.caption, "H\xaa 77            ");
  ASSERT_EQ(d.roots.size(), 3u);
  EXPECT_EQ(
      d.roots[0].children,
      (std::vector<std::string>{
          "Procedencia   :  ", "Tipo Ingreso   : Programado ",
          "Financiaci\xf3n   : Convenio Internacional ", "Sexo               : Hombre    11 meses ",
          "Ingreso            : 01/03/2005   MEDICINA INTERNA", "Intervenci\xf3n    : 02/03/2005 ",
          "Parto               :            ", "Alta                 : 10/03/2005   OBSTETRICIA",
          "Tipo Alta         : Defunci\xf3n "}));
  EXPECT_EQ(d.roots[1].children, (std::vector<std::string>{"C1   V27.0  Codigo V27.0",
                                                           "CE   E816.0 Accidente de trafico"}));
  EXPECT_EQ(d.roots[2].text, "Procedimientos");
  EXPECT_TRUE(d.roots[2].children.empty());
}

}  // namespace
}  // namespace quirovel::testing
