// Builds the reference files and the CIE-9-MC tables of every edition of the
// sample installation from the public lists under data/.
//   kit_builder --data DATA_DIR --out INSTALL_DIR
#include <cstdio>
#include <string>

#include "catalogue_codes.h"
#include "catalogue_tables.h"
#include "platform/file_system.h"
#include "reference_files.h"
#include "tool_feedback.h"

using namespace quirovel;
using namespace quirovel::kit;

int main(int argc, char** argv) {
  std::string data_dir, install_dir;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string opt = argv[i];
    if (opt == "--data")
      data_dir = argv[i + 1];
    else if (opt == "--out")
      install_dir = argv[i + 1];
  }
  if (data_dir.empty() || install_dir.empty() || argc % 2 == 0) {
    std::fprintf(stderr, "usage: kit_builder --data DATA_DIR --out INSTALL_DIR\n");
    return 2;
  }
  if (!RealFileSystem().MakeDirectories(install_dir + "/trabajo")) {
    std::fprintf(stderr, "kit_builder: cannot create %s/trabajo\n", install_dir.c_str());
    return 1;
  }
  std::string error;
  std::vector<CatalogueCode> codes;
  ToolFeedback feedback;
  if (!WriteServices(data_dir, install_dir, &error) ||
      !WriteHospitalFiles(data_dir, install_dir, &error) ||
      !WriteOccupations(data_dir, install_dir, &error) ||
      !WritePostalCodes(data_dir, install_dir, &error) ||
      !LoadCatalogueCodes(data_dir, &codes, &error)) {
    std::fprintf(stderr, "kit_builder: %s\n", error.c_str());
    return 1;
  }
  if (!WriteCatalogueTables(codes, install_dir, feedback)) {
    std::fprintf(stderr, "kit_builder: the catalogue tables could not be written\n");
    return 1;
  }
  return 0;
}
