// Writes a CMBD-A table of generated episodes, seeded so that the same
// arguments always give the same file.
//   cmbd_generator OUT.dbf [--episodes N] [--seed S]
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "platform/feedback.h"
#include "platform/file_system.h"
#include "platform/format.h"
#include "storage/dbf_table.h"
#include "storage/table_files.h"
#include "validation/cmbd_layout.h"

using namespace quirovel;

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "uso: cmbd_generator SALIDA.dbf [--episodes N] [--seed S]\n");
    return 2;
  }
  std::string out = argv[1];
  long episodes = 1000;
  unsigned seed = 2006;
  for (int i = 2; i + 1 < argc; i += 2) {
    std::string opt = argv[i];
    if (opt == "--episodes") episodes = std::atol(argv[i + 1]);
    if (opt == "--seed") seed = static_cast<unsigned>(std::atol(argv[i + 1]));
  }
  SilentFeedback quiet;
  FileSystem& fs = RealFileSystem();
  std::vector<std::string_view> defs(kCmbdLayout.begin(), kCmbdLayout.end());
  if (!Create(fs, quiet, defs, out)) return 1;
  DbfTable table(fs, quiet);
  if (table.Open(out) != 1) return 1;
  std::mt19937 rng(seed);
  const char* codes[] = {"650", "V27.0", "486", "428.0", "250.00", "401.9", "414.01", "585"};
  for (long n = 1; n <= episodes; ++n) {
    for (int f = 1; f <= table.field_count(); ++f) table.BlankField(f);
    auto set = [&](int k, const std::string& v) { table.SetFieldText(table.FieldNumber(CmbdFieldName(k)), v); };
    set(PROCEDEN, "1");
    set(HOSPITAL, "02012");
    set(HISTORIA, StrFormat("%ld", 100000 + n));
    set(ASISTENC, StrFormat("%ld", n));
    int year = 1940 + static_cast<int>(rng() % 60);
    set(FECNAC, StrFormat("%04d%02d%02d", year, 1 + static_cast<int>(rng() % 12), 1 + static_cast<int>(rng() % 28)));
    set(SEXO, std::to_string(1 + rng() % 2));
    set(RESIDE, "02001");
    set(REGFIN, "1");
    int month = 1 + static_cast<int>(rng() % 12), day = 1 + static_cast<int>(rng() % 20);
    set(FECING, StrFormat("2006%02d%02d", month, day));
    set(FECALT, StrFormat("2006%02d%02d", month, day + 1 + static_cast<int>(rng() % 7)));
    set(TIPING, "1");
    set(SERVING, "MIN");
    set(SERVALT, "MIN");
    set(TIPALT, "1");
    set(C1, codes[rng() % 8]);
    set(C1 + 1, codes[rng() % 8]);
    if (!table.Append()) return 1;
  }
  table.Close();
  return 0;
}
