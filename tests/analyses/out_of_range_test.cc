// Out-of-range discharges and the discharge range: blank and boundary dates,
// an empty file, dates outside the window of the page's date fields.
#include "analyses/out_of_range.h"

#include <gtest/gtest.h>

#include "analyses/readmissions_report_text.h"
#include "support/detection_fixture.h"

namespace quirovel::testing {
namespace {

const std::string& kHeading = kAnalysisHeading;

Episode Stay(const std::string& historia, const std::string& in, const std::string& out) {
  return Episode().Set("HISTORIA", historia).Set("FECING", in).Set("FECALT", out);
}

const char* const kMarch[] = {"20050301", "20050331"};

TEST(OutOfRangeTest, BlankAndBoundaryDischarges) {
  DetectionFixture f;
  f.WriteTable({Stay("100", "20050301", "20050301"), Stay("200", "20050325", "20050331"),
                Stay("300", "20050220", "20050228"), Stay("400", "20050330", ""),
                Stay("500", "20050331", "20050401")});
  const OutOfRangeResult r =
      ListOutOfRangeDischarges(f.session(), PeriodOf(kMarch[0], kMarch[1]), "20070101");
  ASSERT_TRUE(r.completed);
  EXPECT_EQ(
      WithoutTimes(f.Work("fuerango.txt")),
      kHeading +
          Lines({"ALTAS FUERA DE RANGO (01/03/2005 -> 31/03/2005)", "",
                 "Historia     Ingreso       Alta", "------------ ----------    ----------",
                 "300          20/02/2005 -> 28/02/2005", "400          30/03/2005 ->           ",
                 "500          31/03/2005 -> 01/04/2005", std::string(65, '-'),
                 "Altas:      5   Fuera de Rango:      3", "",
                 "Periodo (aaaammdd): 0 -> 20050401"}));
  EXPECT_EQ(f.feedback().info, "0 -> 20050401");
  EXPECT_EQ(f.feedback().status, "Fuera de rango      3");
  EXPECT_EQ(r.result_text, "Altas:      5   Fuera de Rango:      3");
  EXPECT_TRUE(f.feedback().messages.empty());

  const DischargeRange range = FindDischargeRange(f.session());
  EXPECT_TRUE(range.start_set && range.end_set);
  EXPECT_EQ(range.start_date(), "20050228");
  EXPECT_EQ(range.end_date(), "20050401");
  EXPECT_EQ(f.feedback().info, "20050228 -> 20050401");
  EXPECT_TRUE(f.feedback().messages.empty());
}

TEST(OutOfRangeTest, EmptyFile) {
  DetectionFixture f;
  f.WriteTable({});
  const OutOfRangeResult r =
      ListOutOfRangeDischarges(f.session(), PeriodOf(kMarch[1], kMarch[0]), "20050101");
  ASSERT_TRUE(r.completed);
  EXPECT_EQ(f.feedback().Texts(),
            std::vector<std::string>({"Rango de fechas incorrecto", "Fecha hasta incorrecta"}));
  EXPECT_EQ(
      WithoutTimes(f.Work("fuerango.txt")),
      kHeading + Lines({"ALTAS FUERA DE RANGO (31/03/2005 -> 01/03/2005)", "",
                        "Historia     Ingreso       Alta", "------------ ----------    ----------",
                        std::string(65, '-'), "Altas:      0   Fuera de Rango:      0", "",
                        "Periodo (aaaammdd): 20500101 -> 0"}));
  f.feedback().Clear();
  const DischargeRange range = FindDischargeRange(f.session());
  EXPECT_EQ(range.info_text, "20500101 -> 1");
  EXPECT_FALSE(range.start_set || range.end_set);
  EXPECT_EQ(f.feedback().Texts(),
            std::vector<std::string>({"Alta: fuera de rango 1/1/1970 - 31/12/2019",
                                      "Alta: Fuera de rango 1/1/1970 - 31/12/2019"}));
}

TEST(OutOfRangeTest, DischargeRangeKeepsToTheDateFieldsWindow) {
  DetectionFixture f;
  // 19700101 itself, an earlier date and a blank never become the smallest;
  // a mistyped date far ahead becomes the largest and is refused.
  f.WriteTable({Stay("1", "", "19700101"), Stay("2", "", "19650101"), Stay("3", "", ""),
                Stay("4", "", "20991231"), Stay("5", "", "20050505")});
  const DischargeRange range = FindDischargeRange(f.session());
  EXPECT_EQ(range.info_text, "20050505 -> 20991231");
  EXPECT_TRUE(range.start_set);
  EXPECT_FALSE(range.end_set);
  EXPECT_EQ(f.feedback().Texts(),
            std::vector<std::string>({"Alta: Fuera de rango 1/1/1970 - 31/12/2019"}));
}

}  // namespace
}  // namespace quirovel::testing
