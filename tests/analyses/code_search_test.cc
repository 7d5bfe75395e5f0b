// The search over small tables: "busqueda.txt" and "busqueda2.txt" against
// bytes written by hand from their line formats, every condition at its
// boundaries, a table without C1 or SERVALT, an empty table.
#include "analyses/code_search.h"

#include <gtest/gtest.h>

#include "platform/cp1252.h"
#include "support/detection_fixture.h"

namespace quirovel::testing {
namespace {

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

Episode Admitted(const std::string& historia) {
  return CleanEpisode().Set("HISTORIA", historia).Set("FECING", "20050301");
}

// Admitted 01/03/2005, aged 34 (born 15/03/1970), woman, urgent, home,
// service 70100, residence 02001, C1 486.
std::vector<Episode> ConditionEpisodes() {
  return {
      Admitted("1001").Set("C2", "250.00").Set("P1", "47.0"),  // at the lower bounds
      Admitted("1002").Set("FECALT", "20050321"),              // after the discharge period
      Admitted("1003").Set("FECALT", "20050320").Set("RESIDE", "0200"),  // short residence
      Admitted("1004").Set("FECNAC", "19650302").Set("TIPALT", "2"),     // discharge type
      Admitted("1005").Set("FECNAC", "19640301"),                        // aged 41
      Admitted("1006").Set("C1", "250.00"),                              // no code found
      Admitted("1007").Set("FECNAC", "19650302").Set("FECALT", "20050320").Set("CE2", "E812.0"),
  };
}

SearchConditions AllConditions() {
  SearchConditions c;
  c.discharge = true;
  c.discharge_from = "20050310";
  c.discharge_to = "20050320";
  c.service = true;
  c.service_value = 70100;
  c.sex = true;
  c.sex_value = 2;
  c.age = true;
  c.age_low = "34";
  c.age_high = "40";
  c.admission_type = true;
  c.admission_type_value = 1;
  c.residence = true;
  c.residence_text = "02001";
  c.discharge_type = true;
  c.discharge_type_value = 1;
  c.admission = true;
  c.admission_from = "20050301";
  c.admission_to = "20050301";
  return c;
}

const std::string kWideHeading =
    "NHC         Cod1    Cod2    Cod3    Cod4    Cod5    Cod6    Cod7    Cod8    Cod9   Cod10  "
    "Cod11   Cod12   Cod13   Cod14   Cod15   CodE    CodE2   Proc1  Proc2  Proc3  Proc4  Proc5  "
    "Proc6  Proc7  Proc8  Proc9  Proc10 Proc11 Proc12 Proc13 Proc14 Proc15 Ser   F.Ingreso   "
    "F.Alta    Sex Edad";
const std::string kWideDashes = "-------   " + [] {
  std::string d;
  for (int i = 0; i < 17; ++i) d += "------- ";
  for (int i = 0; i < 15; ++i) d += "------ ";
  return d;
}() + "----- ---------- ---------- --- ----";
const std::string kWideClosing = "-------   " + [] {
  std::string d;
  for (int i = 0; i < 12; ++i) d += "------- ";
  for (int i = 0; i < 10; ++i) d += "------ ";
  return d;
}() + "--- ---------- ---------- --- ----";
const std::string kNarrowHeading =
    "NHC      C1/P1   C2/P2   C3/P3   C4/P4   C5/P5   C6/P6   C7/P7   C8/P8   C9/P9  C10/P10   "
    "CodE   CodE2  Ser   F.Ingres  F.Alta  Sex Edad";
const std::string kNarrowDashes = [] {
  std::string d;
  for (int i = 0; i < 13; ++i) d += "------- ";
  return d + "----- -------- -------- --- ----";
}();

std::string Crlf(std::string text) {
  std::string out;
  for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

class CodeSearchTest : public ::testing::Test {
 protected:
  SearchResult Search(const std::string& text, const SearchConditions& c = {}) {
    SearchRequest request;
    request.text = text;
    request.conditions = c;
    request.keep_episodes = true;
    return SearchEpisodes(f.session(), request);
  }
  DetectionFixture f;
};

TEST_F(CodeSearchTest, EveryConditionAtItsBoundariesWithBothReports) {
  f.WriteTable(ConditionEpisodes());
  const SearchResult r = Search("486, 47.0, E8*", AllConditions());
  EXPECT_EQ(r.end, SearchEnd::kCompleted);
  EXPECT_EQ(r.matches, 2);
  EXPECT_EQ(r.kept, (std::vector<std::int64_t>{1, 7}));
  EXPECT_EQ(f.feedback().messages.size(), 0u);

  const std::string conditions =
      "  Alta  : 10/03/05 -> 20/03/05\n  Servic: 70100\n  Sexo  : 2\n"
      "  Edad  :  34 ->  40  a\xf1os\n  TipIng: 1\n  Reside: 02001\n"
      "  Ingres: 01/03/05 -> 01/03/05\n  TipAlt: 1\n\n";
  const std::string start =
      "[C:\\Quirovel\\trabajo\\episodios.dbf] HOSPITAL DE PRUEBAS\n\nB\xfasqueda: "
      "486, 47.0, E8*\n\n\n" +
      conditions;
  const std::string empty_diagnosis = " " + Blanks(6) + " ";
  const std::string empty_procedure = " " + Blanks(5) + " ";
  // Record 1: *486 in C1, *47.0 in P1.
  std::string wide1 = "1001        : *486     250.00 ";
  for (int i = 0; i < 17; ++i) wide1 += empty_diagnosis;  // C3..C15, CE..CE4
  wide1 += "*47.0  ";
  for (int i = 0; i < 14; ++i) wide1 += empty_procedure;
  wide1 += "70100 01/03/2005 10/03/2005  2   34\n";
  // Record 7: *486 in C1, *E812.0 in CE2, aged 39.
  std::string wide7 = "1007        : *486    ";
  for (int i = 0; i < 15; ++i) wide7 += empty_diagnosis;  // C2..C15, CE
  wide7 += "*E812.0 " + empty_diagnosis + empty_diagnosis;
  for (int i = 0; i < 15; ++i) wide7 += empty_procedure;
  wide7 += "70100 01/03/2005 20/03/2005  2   39\n";
  const std::string totals =
      "Episodios:     2 de     7\n\nCodigos:              total episodios\n"
      "-------------------- ------ ---------\n"
      "  486               :     2         2\n"
      "  47.0              :     1         1\n"
      "  E8*               :     1         1\n";
  EXPECT_EQ(f.Work("busqueda.txt"), Crlf(start + "\n" + kWideHeading + "\n\n" + kWideDashes + "\n" +
                                         wide1 + wide7 + kWideClosing + "\n" + totals));

  const std::string blank8 = Blanks(8);
  std::string narrow1 = "1001        *486     250.00 ";
  for (int i = 0; i < 15; ++i) narrow1 += blank8;  // C3..C15, CE, CE2
  narrow1 += "70100 01/03/05 10/03/05  2   34\n        " + blank8 + blank8 + "* 47.0  ";
  for (int i = 0; i < 14; ++i) narrow1 += blank8;
  narrow1 += "\n";
  std::string narrow7 = "1007        *486    ";
  for (int i = 0; i < 15; ++i) narrow7 += blank8;
  narrow7 += "*E812.0 70100 01/03/05 20/03/05  2   39\n        ";
  for (int i = 0; i < 17; ++i) narrow7 += blank8;  // CE3, CE4, P1..P15
  narrow7 += "\n";
  EXPECT_EQ(f.Work("busqueda2.txt"),
            Crlf(start + "\n" + kNarrowHeading + "\n\n" + kNarrowDashes + "\n" + narrow1 + narrow7 +
                 kNarrowDashes + "\n" + totals));
}

TEST_F(CodeSearchTest, ATableWithoutC1OrServaltAndAnEmptyTable) {
  f.WriteTable({Admitted("2001").Set("C2", "250.00").Set("C3", "250.01"), Admitted("2002")},
               CheckFixture::LayoutWithout({"C1", "SERVALT"}));
  SearchResult r = Search("250*, 250.00");
  EXPECT_EQ(r.matches, 1);
  // The same code found by two patterns counts for both, and is marked once.
  EXPECT_EQ(r.patterns[0].frequency, 2);
  EXPECT_EQ(r.patterns[1].frequency, 1);
  std::string line = "2001        :   *250.00 *250.01 ";
  for (int i = 0; i < 16; ++i) line += Blanks(8);  // C4..C15, CE..CE4
  for (int i = 0; i < 15; ++i) line += Blanks(7);
  line += Blanks(5) + " 01/03/2005 10/03/2005  2   34\r\n";
  const std::string wide = f.Work("busqueda.txt");
  EXPECT_NE(wide.find("\r\n" + line), std::string::npos) << wide;
  EXPECT_EQ(wide.substr(wide.find("Episodios:")),
            Crlf("Episodios:     1 de     2\n\nCodigos:              total episodios\n"
                 "-------------------- ------ ---------\n"
                 "  250*              :     2         1\n"
                 "  250.00            :     1         1\n"
                 "\n\nPeriodo analizado: 20050310 -> 20050310"));

  f.WriteTable({});
  r = Search("*");
  EXPECT_EQ(r.matches, 0);
  const std::string empty = f.Work("busqueda2.txt");
  EXPECT_EQ(empty.substr(empty.find("Episodios:")),
            Crlf("Episodios:     0 de     0\n\nCodigos:              total episodios\n"
                 "-------------------- ------ ---------\n"
                 "  *                 :     0         0\n"
                 "\n\nPeriodo analizado: 20500101 -> 1"));
}

TEST_F(CodeSearchTest, WarningsAndTextsWithoutPatterns) {
  f.WriteTable({Admitted("3001")});
  SearchConditions c;
  c.discharge = true;
  c.discharge_from = "29991231";
  c.discharge_to = "29991230";
  Search("486", c);
  EXPECT_EQ(f.feedback().Texts(),
            (std::vector<std::string>{"Rango de fechas incorrecto",
                                      "Fecha hasta incorrecta: mayor a hoy"}));
  const std::string before = f.Work("busqueda.txt");
  EXPECT_EQ(Search("hola").end, SearchEnd::kNoPatterns);
  EXPECT_EQ(f.Work("busqueda.txt"), before);  // nothing searched, nothing written
}

}  // namespace
}  // namespace quirovel::testing
