// `quirovel detect`, `group`, `counts` and `report` run as the real binary on
// an installation made by `quirovel init` from the sample kit: what a user
// types, with the exit codes and the UTF-8 output they get.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstring>
#include <regex>
#include <sstream>

#include "platform/file_system.h"
#include "reference/config_record.h"
#include "support/temp_dir.h"

namespace quirovel {
namespace {

using testing::ReadFileBytes;
using testing::ShellQuote;
using testing::TempDir;

struct CliRun {
  int exit_code;
  std::string out;
  std::string err;
};

class DetectCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Quirovel("init --kit " + ShellQuote(std::string(QUIROVEL_KIT_DIR))).exit_code, 0);
  }

  CliRun Quirovel(const std::string& arguments) const {
    const std::string err_path = dir_.Path("stderr.txt");
    int status = 0;
    std::string out = testing::RunCommand(ShellQuote(QUIROVEL_BINARY) + " --root " +
                                              ShellQuote(dir_.path()) + " " + arguments + " 2>" +
                                              ShellQuote(err_path),
                                          &status);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, ReadFileBytes(err_path)};
  }

  std::string Work(const std::string& name) const {
    return ReadFileBytes(dir_.Path("QUIROVEL/trabajo/" + name));
  }

  ConfigRecord SavedConfig() const {
    ConfigRecord record;
    std::string bytes = ReadFileBytes(dir_.Path("QUIROVEL/Quirovel.dat"));
    std::memcpy(record.bytes().data(), bytes.data(), std::min(bytes.size(), ConfigRecord::kSize));
    return record;
  }

  TempDir dir_;
};

TEST_F(DetectCommandTest, DetectLeavesTheReportsTheLogAndTheCount) {
  CliRun run = Quirovel("detect --test mensual");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  std::smatch m;
  ASSERT_TRUE(std::regex_match(run.out, m, std::regex(R"(Errs=(\d+) \(\d+"\) FR=0\n)"))) << run.out;
  const long errors = std::stol(m[1]);
  EXPECT_GT(errors, 0);

  const ConfigRecord saved = SavedConfig();
  EXPECT_EQ(saved.ErrorCount(), errors);
  EXPECT_TRUE(std::regex_match(saved.LastRunDate(), std::regex(R"(\d\d/\d\d/\d{4} \d\d:\d\d)")));
  EXPECT_GE(Work("fallos.dat").size(), 32u * static_cast<std::size_t>(errors + 1));
  EXPECT_NE(Work("errores.txt").find("Test: Mensual         Versi\xF3n: 2002\r\n"), std::string::npos);
  EXPECT_NE(Work("resumen.txt").find("\r\nTotal errores: " + std::to_string(errors) + "    "),
            std::string::npos);
  const std::string processed =
      " TOTAL Errores procesados = " + std::to_string(std::min(errors, 30000L)) + "\r\n";
  for (const char* name : {"erragr.txt", "erragrserv.txt"}) {
    const std::string report = Work(name);
    ASSERT_GE(report.size(), processed.size()) << name;
    EXPECT_EQ(report.substr(report.size() - processed.size()), processed) << name;
  }

  // The counts rebuilt from the log: one row per catalogue entry, adding up to the run's count.
  CliRun counts = Quirovel("counts");
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
  // Rows as the page draws them: the count in "%6d ", then the error's text.
  EXPECT_TRUE(std::regex_search(counts.out, std::regex(R"(^[ \d]{5}\d E11  Procedencia incorrecta\n)")));
}

TEST_F(DetectCommandTest, ReportPrintsUtf8OrTheRawBytes) {
  ASSERT_EQ(Quirovel("detect").exit_code, 0);
  const std::string bytes = Work("resumen.txt");
  CliRun raw = Quirovel("report resumen.txt --raw");
  EXPECT_EQ(raw.exit_code, 0);
  EXPECT_EQ(raw.out, bytes);

  CliRun text = Quirovel("report resumen.txt");
  EXPECT_EQ(text.exit_code, 0);
  EXPECT_EQ(text.out.find('\r'), std::string::npos);
  EXPECT_NE(text.out.find("Registros fuera de rango versi\xC3\xB3n CMBD (2002)"), std::string::npos);
  EXPECT_NE(text.out.find("\f\n\nERRORES POR SERVICIO\n"), std::string::npos);
}

TEST_F(DetectCommandTest, ReportRefusesNamesOutsideTheWorkingDirectoryAndMissingOnes) {
  EXPECT_EQ(Quirovel("report ../Quirovel.dat").exit_code, 2);
  EXPECT_EQ(Quirovel("report ..").exit_code, 2);
  EXPECT_EQ(Quirovel("report").exit_code, 2);
  CliRun missing = Quirovel("report nada.txt");
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_EQ(missing.err, "No existe el informe C:\\quirovel\\trabajo\\nada.txt\n");
}

TEST_F(DetectCommandTest, GroupRewritesOneReportOnDemand) {
  ASSERT_EQ(Quirovel("detect").exit_code, 0);
  const std::string by_type = Work("erragr.txt");
  ASSERT_TRUE(RealFileSystem().Remove(dir_.Path("QUIROVEL/trabajo/erragr.txt")));
  CliRun group = Quirovel("group type");
  EXPECT_EQ(group.exit_code, 0) << group.err;
  EXPECT_EQ(group.out, "C:\\quirovel\\trabajo\\erragr.txt\n");
  const std::regex stamp(R"(\d\d/\d\d/\d{4} \d\d:\d\d\r\n)");
  EXPECT_EQ(std::regex_replace(Work("erragr.txt"), stamp, ""), std::regex_replace(by_type, stamp, ""));
  EXPECT_EQ(Quirovel("group service").exit_code, 0);
  EXPECT_EQ(Quirovel("group").exit_code, 2);
  EXPECT_EQ(Quirovel("group everything").exit_code, 2);
}

TEST_F(DetectCommandTest, DetectRefusesAnUnknownTestAndFailsOnAMissingFile) {
  EXPECT_EQ(Quirovel("detect --test semanal").exit_code, 2);
  EXPECT_EQ(Quirovel("detect extra").exit_code, 2);
  ASSERT_TRUE(RealFileSystem().Remove(dir_.Path("QUIROVEL/trabajo/Ctprueba.dbf")));
  CliRun run = Quirovel("detect");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out, "");  // no run, no "Errs=" line
  EXPECT_NE(run.err.find("Detecci\xC3\xB3n no realizada"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace quirovel
