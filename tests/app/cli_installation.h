// The real `quirovel` binary run in a temporary directory against the
// installation root "root", made from the small kit "kit" or the build's.
#pragma once

#include <sys/wait.h>

#include <string>
#include <vector>

#include "reference/cie_tables.h"
#include "support/dbf_builder.h"
#include "support/temp_dir.h"

namespace quirovel::testing {

struct CliRun {
  int exit_code;
  std::string out;
  std::string err;
};

class CliInstallation {
 public:
  CliInstallation() {
    Put("kit/QUIROVEL/servicios.txt", "CODIGONOMBRE\r\n70100Medicina Interna\r\n");
    Put("kit/QUIROVEL/hospitnosas.txt", "02001\r\n11005\r\n");
    Put("kit/QUIROVEL/ocupaciones.txt", "001\r\n");
    Put("kit/QUIROVEL/hospital.dat",
        "02012Hospital General de Quirovel\r\n11005Hospital del Mar\r\n");
    Put("kit/QUIROVEL/ZKCP.dat", std::string(8, '\0'));
    Put("kit/QUIROVEL/CIE02.dbf", CieAttributesBytes({{"250.00", "XXXXX", "  4  "},
                                                      {"45.13", "XXFFF", "    T"},
                                                      {"486", "XXXXX", "F2   "}}));
    Put("kit/QUIROVEL/CIEDE02.dbf",
        CieDescriptionsBytes({"250.00", "45.13", "486"}, {"DIABETES", "GASTROSCOPIA", "NEUMONIA"}));
    Put("kit/QUIROVEL/trabajo/Ctprueba.dbf", Cmbd(2));
  }

  static std::string Cmbd(int n) {  // a CMBD-A table of n episodes
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < n; ++i)
      rows.push_back(RowFor(CmbdAFields(), {{"HISTORIA", std::to_string(i)}}));
    return DbfBytes(CmbdAFields(), rows);
  }

  void Put(const std::string& relative, const std::string& bytes) const {
    std::string path = dir.Path(relative);
    RunCommand("mkdir -p " + ShellQuote(path.substr(0, path.find_last_of('/'))));
    WriteFileBytes(path, bytes);
  }
  std::string Read(const std::string& relative) const { return ReadFileBytes(dir.Path(relative)); }
  std::string root() const { return dir.Path("root"); }

  // quirovel ARGUMENTS (quoted for the shell), run from the temporary directory.
  CliRun RunBare(const std::string& arguments) const {
    const std::string err_path = dir.Path("stderr.txt");
    int status = 0;
    std::string out =
        RunCommand("cd " + ShellQuote(dir.path()) + " && " + ShellQuote(QUIROVEL_BINARY) + " " +
                       arguments + " 2>" + ShellQuote(err_path),
                   &status);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, ReadFileBytes(err_path)};
  }
  CliRun Run(const std::string& arguments) const {
    return RunBare("--root " + ShellQuote(root()) + " " + arguments);
  }
  CliRun Init(const std::string& kit = "") const {
    return Run("init --kit " + ShellQuote(kit.empty() ? dir.Path("kit") : kit));
  }

  TempDir dir;
};

}  // namespace quirovel::testing
