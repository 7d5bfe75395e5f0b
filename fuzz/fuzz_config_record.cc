// Feeds arbitrary bytes to start-up as "Quirovel.dat": loading the record,
// the configuration page filled from it and stored back, and every path the
// record names must never crash, and no path on drive C: may leave the root.
#include <cstdint>
#include <string>

#include "fuzz_installation.h"
#include "reference/config_page.h"
#include "session/config_file.h"
#include "session/startup.h"

using namespace quirovel;

namespace {

// A path on drive C: lands under the root, whatever ".." it holds; any other
// text is the user's own host path.
bool InsideRoot(const std::string& stored, const std::string& host) {
  if (!HasDriveLetter(stored) || (stored[0] != 'C' && stored[0] != 'c')) return true;
  return host == "/r" || host.rfind("/r/", 0) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::Installation inst;
  const std::string input(reinterpret_cast<const char*>(data), size);
  inst.PutStored(kConfigFile, input);
  Session& s = inst.session;
  LoadConfig(s);
  const ConfigRecord& r = s.config;

  for (const std::string& stored : {r.CurrentPath(), r.WorkDirectory(), r.EditorPath(),
                                    r.HistoryFile(), r.RecentStructure(0), r.RecentStructure(4)})
    FUZZ_CHECK(InsideRoot(stored, s.paths.ToHost(stored)));
  FUZZ_CHECK(InsideRoot(OutputPath(s, "errores.txt"), OutputHostPath(s, "errores.txt")));
  for (ImportLayout layout :
       {ImportLayout::kCurrent, ImportLayout::kSavedCma, ImportLayout::kSavedCmbd}) {
    const ImportSettings settings = r.Import(layout);
    for (const std::string& stored : {settings.text_file, settings.target_table})
      FUZZ_CHECK(InsideRoot(stored, s.paths.ToHost(stored)));
  }
  for (int e = 0; e <= 72; ++e)
    for (int t = -1; t <= 3; ++t) r.ErrorEnabled(e, t);
  for (int k = -1; k <= 65; ++k) r.FieldMarked(k);
  r.PrinterScale();

  // The page shows the record and stores it back: a record that went through
  // the page once goes through it again unchanged.
  ConfigRecord once = r;
  ApplyControls(FillControls(r), &once);
  StoreErrorMarks(FillControls(r), &once);
  ConfigRecord twice = once;
  ApplyControls(FillControls(once), &twice);
  StoreErrorMarks(FillControls(once), &twice);
  FUZZ_CHECK(twice == once);

  // A save writes the whole record, whatever was read.
  if (SaveConfig(s)) {
    const std::string* saved = inst.fs.Contents(s.paths.ToHost(kConfigFile));
    FUZZ_CHECK(saved != nullptr && saved->size() >= ConfigRecord::kSize);
  }
  CloseConfig(s);
  return 0;
}
