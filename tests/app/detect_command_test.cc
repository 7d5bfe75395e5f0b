// quirovel detect, counts, report and group on an installation made by
// `quirovel init` from the sample kit of the build.
#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <sstream>

#include "app/cli_installation.h"
#include "reference/config_record.h"

namespace quirovel {
namespace {

using testing::CliRun;

class DetectCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(inst.Init(QUIROVEL_KIT_DIR).exit_code, 0); }
  std::string Work(const std::string& name) const { return inst.Read("root/QUIROVEL/trabajo/" + name); }
  testing::CliInstallation inst;
};

TEST_F(DetectCommandTest, DetectLeavesTheReportsTheLogAndTheCount) {
  CliRun run = inst.Run("detect --test mensual");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  std::smatch m;
  ASSERT_TRUE(std::regex_match(run.out, m, std::regex(R"(Errs=(\d+) \(\d+"\) FR=0\n)"))) << run.out;
  const long errors = std::stol(m[1]);
  EXPECT_GT(errors, 0);

  ConfigRecord saved;
  const std::string bytes = inst.Read("root/QUIROVEL/Quirovel.dat");
  ASSERT_EQ(bytes.size(), ConfigRecord::kSize);
  std::memcpy(saved.bytes().data(), bytes.data(), bytes.size());
  EXPECT_EQ(saved.ErrorCount(), errors);
  EXPECT_TRUE(std::regex_match(saved.LastRunDate(), std::regex(R"(\d\d/\d\d/\d{4} \d\d:\d\d)")));
  // The reports' contents are the detection tests' business; here, that the run wrote them.
  EXPECT_NE(Work("errores.txt").find("Test: Mensual         Versi\xF3n: 2002\r\n"), std::string::npos);
  for (const char* name : {"resumen.txt", "erragr.txt", "erragrserv.txt"}) EXPECT_NE(Work(name), "") << name;

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
  EXPECT_TRUE(std::regex_search(counts.out, std::regex(R"(^[ \d]{5}\d E11  Procedencia incorrecta\n)")));  // "%6d "
}

TEST_F(DetectCommandTest, ReportPrintsUtf8OrTheRawBytesAndGroupRewritesOne) {
  ASSERT_EQ(inst.Run("detect").exit_code, 0);
  const std::string bytes = Work("resumen.txt");
  CliRun raw = inst.Run("report resumen.txt --raw");
  EXPECT_EQ(raw.exit_code, 0);
  EXPECT_EQ(raw.out, bytes);
  CliRun text = inst.Run("report resumen.txt");
  EXPECT_EQ(text.exit_code, 0);
  EXPECT_EQ(text.out.find('\r'), std::string::npos);
  EXPECT_NE(text.out.find("Registros fuera de rango versi\xC3\xB3n CMBD (2002)"), std::string::npos);
  EXPECT_NE(text.out.find("\f\n\nERRORES POR SERVICIO\n"), std::string::npos);

  const std::string by_type = Work("erragr.txt");
  testing::RunCommand("rm " + testing::ShellQuote(inst.root() + "/QUIROVEL/trabajo/erragr.txt"));
  CliRun group = inst.Run("group type");
  EXPECT_EQ(group.exit_code, 0) << group.err;
  EXPECT_EQ(group.out, "C:\\quirovel\\trabajo\\erragr.txt\n");
  const std::regex stamp(R"(\d\d/\d\d/\d{4} \d\d:\d\d\r\n)");
  EXPECT_EQ(std::regex_replace(Work("erragr.txt"), stamp, ""), std::regex_replace(by_type, stamp, ""));
}

TEST_F(DetectCommandTest, DetectFailsOnAnUnreadableFileAndReportOnAMissingOne) {
  inst.Put("root/QUIROVEL/trabajo/Ctprueba.dbf", "not a table");
  CliRun run = inst.Run("detect");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out, "");  // no run, no "Errs=" line
  EXPECT_NE(run.err.find("Detecci\xC3\xB3n no realizada"), std::string::npos) << run.err;
  run = inst.Run("report nada.txt");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "No existe el informe C:\\quirovel\\trabajo\\nada.txt\n");
}

}  // namespace
}  // namespace quirovel
