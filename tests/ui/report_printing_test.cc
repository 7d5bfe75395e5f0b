// The three print jobs over a detection run: which report, which frame and
// which layout; the error table's heading and rows written out by hand.
#include "ui/report_printing.h"

#include <gtest/gtest.h>

#include "support/detection_fixture.h"
#include "validation/cmbd_layout.h"
#include "validation/error_catalogue.h"

namespace quirovel::testing {
namespace {

Episode At(const std::string& historia, const std::string& service, const std::string& fecalt) {
  return Episode().Set("HISTORIA", historia).Set("SERVALT", service).Set("FECALT", fecalt);
}

const PageGeometry kPage{3000, 2100, 1};

struct Printed {
  std::vector<PrintedPage> pages;
  // The report's lines and headings of every page, with their fonts.
  std::vector<std::pair<std::string, PrintFont>> lines;
  std::string band;
};

Printed Take(PrintJob& job) {
  Printed printed;
  PrintedPage page;
  while (job.pages->Next(&page)) {
    for (const PageItem& item : page.items) {
      if (item.kind != PageItemKind::kText || item.font == PrintFont::kFooter) continue;
      if (item.top == 133) printed.band = item.text;
      if (item.top >= kFirstLine && item.top < 2900)
        printed.lines.push_back({item.text, item.font});
    }
    printed.pages.push_back(page);
  }
  return printed;
}

class ReportPrintingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.WriteTable({At("1001", "70100", "20050310").Set("C2", "ZZZ.1"),
                  At("1002", "70440", "20050315"),
                  At("1003", "70440", "20050402").Set("C2", "XX1")});
    ASSERT_TRUE(f.Run(
        kMensual,
        Scripted({{1, {{40, C1 + 1}}}, {2, {{7, HISTORIA}}}, {3, {{40, C1 + 1}, {7, HISTORIA}}}})));
    f.feedback().messages.clear();
  }
  DetectionFixture f;
};

TEST_F(ReportPrintingTest, TheGroupedReportByServiceSetsItsHeadingsApart) {
  Session& s = f.session();
  PrintJob job;
  ASSERT_TRUE(PrintReport(s, "erragrserv.txt",
                          "DETECCION de ERRORES del CMBDA: Errores por Servicio y tipo", 1.0, kPage,
                          &job));
  EXPECT_EQ(job.document_name, "DETECCION de ERRORES del CMBDA: Errores por Servicio y tipo");
  const Printed printed = Take(job);
  ASSERT_EQ(printed.pages.size(), 2u);  // the second service begins after a form feed
  EXPECT_EQ(printed.band, "C:\\quirovel\\trabajo\\erragrserv.txt");
  int services = 0, types = 0;
  for (const auto& [text, font] : printed.lines) {
    if (font == PrintFont::kServiceHeading) {
      EXPECT_TRUE(text == "MEDICINA INTERNA" || text == "PEDIATRIA") << text;
      ++services;
    }
    if (font == PrintFont::kTypeHeading) {
      EXPECT_EQ(text.substr(0, 3), "  E");
      ++types;
    }
  }
  EXPECT_EQ(services, 2);
  EXPECT_EQ(types, 3);  // E241 in both services, E61 in one

  // "erragr.txt" is grouped too, but its headings begin with the code itself.
  ASSERT_TRUE(PrintReport(s, "erragr.txt", "t", 1.0, kPage, &job));
  for (const auto& [text, font] : Take(job).lines) EXPECT_EQ(font, PrintFont::kBody) << text;
  // The same bytes under another name are not grouped.
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(s.fs, OutputHostPath(s, "erragrserv.txt"), &bytes));
  ASSERT_TRUE(WriteWholeFile(s.fs, OutputHostPath(s, "errores.txt"), bytes));
  ASSERT_TRUE(PrintReport(s, "errores.txt", "t", 1.0, kPage, &job));
  for (const auto& [text, font] : Take(job).lines) EXPECT_EQ(font, PrintFont::kBody) << text;
}

TEST_F(ReportPrintingTest, FactorsADamagedScaleAndAMissingReport) {
  Session& s = f.session();
  s.config.SetPrinterScale(0.5f);
  PrintJob job;
  ASSERT_TRUE(PrintReport(s, "resumen.txt", "R", 0.7, {3000, 2100, 1}, &job));
  EXPECT_DOUBLE_EQ(job.factors.unit, 0.5);
  EXPECT_DOUBLE_EQ(job.factors.font, 0.35);
  // A damaged printer scale counts as 1.
  s.config.SetPrinterScale(-3.0f);
  ASSERT_TRUE(PrintReport(s, "resumen.txt", "R", 1.0, kPage, &job));
  EXPECT_DOUBLE_EQ(job.factors.unit, 1.0);

  EXPECT_FALSE(PrintReport(s, "altas.txt", "A", 1.0, kPage, &job));
  EXPECT_EQ(f.feedback().Texts(),
            std::vector<std::string>{"Error al abrir C:\\quirovel\\trabajo\\altas.txt"});
}

TEST_F(ReportPrintingTest, TheServiceListHasItsOwnFactorsAndBand) {
  Session& s = f.session();
  PrintJob job;
  ASSERT_TRUE(PrintServiceReport(s, "erragrserv.txt", "PEDIATRIA", {1500, 1800, 2}, &job));
  EXPECT_EQ(job.document_name, "DETECCION de ERRORRES del CMBDA");
  EXPECT_DOUBLE_EQ(job.factors.unit, 1.0);
  EXPECT_DOUBLE_EQ(job.factors.font, 1.5);
  const Printed printed = Take(job);
  EXPECT_EQ(printed.band, "PEDIATRIA: Altas no codificadas");
  // Grouped only for "erragr.txt": these headings print as ordinary lines.
  for (const auto& [text, font] : printed.lines) EXPECT_EQ(font, PrintFont::kBody) << text;
}

TEST_F(ReportPrintingTest, TheErrorTableByTypeTakesItsColumnsFromTheFirstEntry) {
  Session& s = f.session();
  PrintJob job;
  ASSERT_TRUE(PrintErrorTable(s, ErrorTableMode::kByType, "40", kPage, &job));
  EXPECT_EQ(job.document_name, "Impresi\xF3n tipo error/servicio");
  Printed printed = Take(job);
  ASSERT_EQ(printed.pages.size(), 1u);
  EXPECT_EQ(printed.band, std::string(ErrorText(40)));
  std::vector<std::string> lines;
  for (const auto& [text, font] : printed.lines) lines.push_back(text);
  EXPECT_EQ(lines, (std::vector<std::string>{" HISTORIA   ALTA   Diagnost/Proc ",
                                             " 1001         10/03/05 C2    =ZZZ.1  ",
                                             " 1003         02/04/05 C2    =XX1    "}));

  // A type no entry has: the frame and the bare heading.
  ASSERT_TRUE(PrintErrorTable(s, ErrorTableMode::kByType, " 5", kPage, &job));
  printed = Take(job);
  ASSERT_EQ(printed.lines.size(), 1u);
  EXPECT_EQ(printed.lines[0].first, " HISTORIA   ALTA   ");
  // No type chosen: nothing is printed.
  EXPECT_FALSE(PrintErrorTable(s, ErrorTableMode::kByType, "", kPage, &job));
  EXPECT_FALSE(PrintErrorTable(s, ErrorTableMode::kByType, "72", kPage, &job));
  EXPECT_TRUE(f.feedback().messages.empty());
}

TEST_F(ReportPrintingTest, TheErrorTableByServiceShowsTheErrorTextAndTwoFields) {
  Session& s = f.session();
  PrintJob job;
  ASSERT_TRUE(PrintErrorTable(s, ErrorTableMode::kByService, "70440", kPage, &job));
  const Printed printed = Take(job);
  EXPECT_EQ(printed.band, "PEDIATRIA");
  std::vector<std::string> lines;
  for (const auto& [text, font] : printed.lines) lines.push_back(text);
  EXPECT_EQ(lines,
            (std::vector<std::string>{
                " HISTORIA   ALTA   ",
                " 1002         15/03/05 E61  Historia incorrecta                           "
                "HISTORIA=1002         ",
                " 1003         02/04/05 E241 Diagn\xF3stico secundario no es CIE-9-MC         "
                "C2=XX1    ",
                " 1003         02/04/05 E61  Historia incorrecta                           "
                "HISTORIA=1003         "}));
  EXPECT_FALSE(PrintErrorTable(s, ErrorTableMode::kByService, "", kPage, &job));

  // Without the log, the message and no job.
  f.fs().FailOpensOf("fallos.dat");
  EXPECT_FALSE(PrintErrorTable(s, ErrorTableMode::kByService, "70440", kPage, &job));
  EXPECT_EQ(f.feedback().Texts(), std::vector<std::string>{"error al abrir fallos.dat"});
}

}  // namespace
}  // namespace quirovel::testing
