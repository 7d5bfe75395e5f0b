#include "reference/config_defaults.h"

#include "reference/install_paths.h"

namespace quirovel {

ConfigRecord NewConfigRecord() {
  ConfigRecord r;
  r.SetInt(ConfigRecord::kFirstInt, 40);
  r.SetCurrentPath(kDefaultCurrentPath);
  for (int e = 1; e <= 71; ++e)
    for (int t = 0; t < 3; ++t) r.SetErrorEnabled(e, t, true);
  r.SetHospitalCode(kDefaultHospitalCode);
  r.SetHospitalName(kDefaultHospitalName);
  r.SetWorkDirectory(kFixedWorkDirectory);
  r.SetEditorPath(kDefaultEditorPath);
  r.SetEditorProgram(kDefaultEditorProgram);
  r.SetErrorCount(0);
  r.ClearFieldMarks();  // 64 blanks; the NUL after them is already there

  const ImportSettings import{"C:\\quirovel\\trabajo\\FICHERO.TXT",
                              "1",
                              "C:\\quirovel\\trabajo\\NUEVODBF.DBF",
                              " ",  // delimiter
                              "|",  // separator
                              "C:\\Quirovel\\trabajo\\Cmbd2000.dbf",
                              0,
                              0};
  r.SetImport(ImportLayout::kCurrent, import);

  r.SetHistoryFile(kDefaultHistoryFile);
  r.SetVersionYear(kDefaultVersionYear);
  r.SetRecentNext(0);
  const int colour[3] = {145, 162, 131}, step[3] = {4, 6, 7};
  for (int c = 0; c < 3; ++c) {
    r.SetFieldColour(c, colour[c]);
    r.SetColourStep(c, step[c]);
  }
  for (int i = 0; i < 64; ++i) r.SetCompletenessField(i, true);
  r.SetLastRunDate("?");
  r.SetGroupAfterTest(true);
  r.SetPrinterScale(1.0f);
  return r;
}

RecordFileState CompleteRecordFile(FileSystem& fs, const std::string& path,
                                   std::size_t* found_size) {
  std::string bytes;
  if (!fs.Exists(path) || !ReadWholeFile(fs, path, &bytes)) return RecordFileState::kWhole;
  *found_size = bytes.size();
  if (bytes.size() >= ConfigRecord::kSize) return RecordFileState::kWhole;
  const ConfigRecord record = NewConfigRecord();
  const auto& defaults = record.bytes();
  bytes.append(defaults.begin() + static_cast<long>(bytes.size()), defaults.end());
  return WriteWholeFile(fs, path, bytes) ? RecordFileState::kCompleted : RecordFileState::kFailed;
}

}  // namespace quirovel
