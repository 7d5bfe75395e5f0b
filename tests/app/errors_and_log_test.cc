// quirovel errors, the catalogue as a reference card, and quirovel log, the
// errors of the last run as rows that other tools read back.
#include <gtest/gtest.h>

#include <regex>

#include "app/cli_installation.h"

namespace quirovel::testing {
namespace {

TEST(LogCommandTest, OneRowPerErrorThatCsvJsonAndGdalReadersCountAlike) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init().exit_code, 0);  // two blank episodes, histories 0 and 1
  CliRun run = inst.Run("detect --test mensual");
  std::smatch m;
  ASSERT_TRUE(std::regex_search(run.out, m, std::regex(R"(Errs=(\d+) )"))) << run.out;
  const std::string errors = m[1];

  CliRun csv = inst.Run("log --csv");
  ASSERT_EQ(csv.exit_code, 0) << csv.err;
  // The first error of a blank episode: no origin, shown with the admission type.
  EXPECT_EQ(csv.out.substr(0, csv.out.find("\r\n", 70) + 2),
            "registro,historia,fecalt,servalt,error,texto,campos,detalle\r\n"
            "1,0,,,E11,Procedencia incorrecta,PROCEDEN TIPING,PROCEDEN=       TIPING=\r\n");
  inst.Put("log.csv", csv.out);
  inst.Put("log.json", inst.Run("log --json").out);
  const std::string dir = ShellQuote(inst.dir.path());
  EXPECT_EQ(RunCommand("cd " + dir +
                       " && python3 -c 'import csv; print(sum(1 for _ in "
                       "csv.DictReader(open(\"log.csv\", newline=\"\"))))'"),
            errors + "\n");
  EXPECT_EQ(RunCommand("cd " + dir +
                       " && python3 -c 'import json; print(len(json.load("
                       "open(\"log.json\"))))'"),
            errors + "\n");
  EXPECT_NE(RunCommand("cd " + dir + " && ogrinfo -ro -al -so log.csv")
                .find("Feature Count: " + errors + "\n"),
            std::string::npos);
  EXPECT_EQ(inst.Run("log --csv --json").exit_code, 2);
}

TEST(ErrorsCommandTest, ListsFieldsTestTypesAndSwitches) {
  CliInstallation inst;
  ASSERT_EQ(inst.Init().exit_code, 0);
  ASSERT_EQ(inst.Run("config set errors.E12.cma off").exit_code, 0);
  CliRun run = inst.Run("errors --test cma");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, run.out.find("\nE21 ") + 1),
            "Error" + std::string(48, ' ') + "Campos" + std::string(19, ' ') + "Tests  Activos\n" +
                "E12  Procedencia incorrecta (CMA)" + std::string(20, ' ') + "PROCEDEN" +
                std::string(17, ' ') + "- - C  M T -\n");
  EXPECT_NE(run.out.find("\nE303 Peso inespec\u00EDfico" + std::string(31, ' ') +
                         "PESO1N,PESO2N,PESO3N     M T C  M T C\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(run.out.find("\nE11 "), std::string::npos) << "E11 is not checked in CMA";
}

}  // namespace
}  // namespace quirovel::testing
