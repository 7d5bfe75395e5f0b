// The printed pages end to end: reports of a detection run over the sample
// installation written to PDF by the window program with no window, and read
// back with pdftotext (poppler-utils). Skipped when either is missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "platform/cp1252.h"
#include "support/temp_dir.h"

namespace quirovel::testing {
namespace {

#ifdef QUIROVEL_GUI_BINARY

class PrintPdfTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    root_ = dir_->Path("root");
    int status = -1;
    RunCommand(ShellQuote(QUIROVEL_BINARY) + " --root " + ShellQuote(root_) + " init --kit " +
                   ShellQuote(QUIROVEL_KIT_DIR) + " >/dev/null 2>&1 && " +
                   ShellQuote(QUIROVEL_BINARY) + " --root " + ShellQuote(root_) +
                   " detect >/dev/null 2>&1",
               &status);
    ASSERT_EQ(status, 0);
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  void SetUp() override {
    if (!CommandWorks("pdftotext -v")) GTEST_SKIP() << "pdftotext (poppler-utils) is missing";
  }

  // quirovel-gui ARGUMENTS --pdf OUT; the exit status.
  static int Print(const std::string& arguments, const std::string& pdf) {
    int status = -1;
    RunCommand("QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=" + ShellQuote(dir_->Path("config")) +
                   " " + ShellQuote(QUIROVEL_GUI_BINARY) + " --root " + ShellQuote(root_) + " " +
                   arguments + " --pdf " + ShellQuote(pdf) + " 2>/dev/null",
               &status);
    return status;
  }
  // The PDF's text, page by page, in UTF-8.
  static std::vector<std::string> PdfPages(const std::string& pdf) {
    std::string text = RunCommand("pdftotext -layout " + ShellQuote(pdf) + " -");
    std::vector<std::string> pages;
    std::size_t start = 0;
    for (std::size_t ff; (ff = text.find('\f', start)) != std::string::npos; start = ff + 1)
      pages.push_back(text.substr(start, ff - start));
    return pages;
  }
  static std::string Work(const std::string& name) {
    return ReadFileBytes(root_ + "/QUIROVEL/trabajo/" + name);
  }
  // The report's lines as printed: line ends and trailing blanks off, UTF-8.
  static std::vector<std::string> ReportLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
      while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
      lines.push_back(DisplayTextToUtf8(line));
    }
    return lines;
  }

  static TempDir* dir_;
  static std::string root_;
};

TempDir* PrintPdfTest::dir_ = nullptr;
std::string PrintPdfTest::root_;

// Blanks reduced to one, so that a text's words match whatever spacing the
// PDF's layout gives them.
std::string Squeezed(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    out.push_back(c);
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

TEST_F(PrintPdfTest, TheSummaryPrintsEveryLineUnderItsFrame) {
  const std::string pdf = dir_->Path("resumen.pdf");
  ASSERT_EQ(Print("--print resumen.txt", pdf), 0);
  const std::vector<std::string> pages = PdfPages(pdf);
  const std::vector<std::string> lines = ReportLines(Work("resumen.txt"));
  // 68 lines a page at the default printer scale; a form feed starts a page.
  std::size_t expected = 1, on_page = 0;
  for (const std::string& line : lines) {
    if (line.rfind("\f", 0) == 0) {
      ++expected;
      on_page = 0;
    } else if (++on_page > 68) {
      ++expected;
      on_page = 1;
    }
  }
  ASSERT_EQ(pages.size(), expected);
  std::string all;
  for (const std::string& page : pages) {
    EXPECT_NE(page.find("DETECCION de ERRORES del CMBDA: Resumen"), std::string::npos);
    EXPECT_NE(page.find("C:\\quirovel\\trabajo\\resumen.txt"), std::string::npos);
    EXPECT_NE(page.find("C:\\Quirovel\\trabajo\\Ctprueba.dbf"), std::string::npos);
    all += Squeezed(page) + "\n";
  }
  for (const std::string& line : lines) {
    if (line.rfind("\f", 0) == 0) continue;
    EXPECT_NE(all.find(Squeezed(line)), std::string::npos) << line;
  }
}

TEST_F(PrintPdfTest, TheReportByServiceStartsEachServiceOnANewPage) {
  const std::string pdf = dir_->Path("erragrserv.pdf");
  ASSERT_EQ(Print("--print erragrserv.txt --title 'Por servicio'", pdf), 0);
  const std::vector<std::string> pages = PdfPages(pdf);
  const std::string report = Work("erragrserv.txt");
  const long sections = std::count(report.begin(), report.end(), '\f') + 1;
  ASSERT_GE(pages.size(), static_cast<std::size_t>(sections));
  std::string all;
  for (const std::string& page : pages) {
    EXPECT_NE(page.find("Por servicio"), std::string::npos);
    EXPECT_NE(page.find("C:\\quirovel\\trabajo\\erragrserv.txt"), std::string::npos);
    all += Squeezed(page) + "\n";
  }
  for (std::string line : ReportLines(report)) {
    if (line.rfind("\f", 0) == 0) continue;               // form feeds end pages
    if (line.rfind("^N", 0) == 0) line = line.substr(2);  // service titles lose their mark
    EXPECT_NE(all.find(Squeezed(line)), std::string::npos) << line;
  }
  EXPECT_EQ(all.find("^N"), std::string::npos);
}

TEST_F(PrintPdfTest, NothingIsPrintedWithoutAReportOrAChoice) {
  EXPECT_NE(Print("--print altas.txt", dir_->Path("altas.pdf")), 0);
  EXPECT_NE(Print("--print-errors type 0", dir_->Path("t.pdf")), 0);
  EXPECT_NE(Print("--print resumen.txt --scale 0", dir_->Path("s.pdf")), 0);
}

#endif

}  // namespace
}  // namespace quirovel::testing
