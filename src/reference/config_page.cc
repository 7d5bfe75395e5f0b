#include "reference/config_page.h"

#include <cstdlib>

#include "platform/format.h"
#include "reference/install_paths.h"

namespace quirovel {

std::string FormatPrinterScale(float scale) {
  std::string text = StrFormat("%.2f", static_cast<double>(scale));
  if (text.rfind("0.", 0) == 0)
    text.erase(0, 1);
  else if (text.rfind("-0.", 0) == 0)
    text.erase(1, 1);
  return text;
}

ConfigControls FillControls(const ConfigRecord& record) {
  ConfigControls c;
  c.current_path = record.CurrentPath();
  c.work_directory = record.WorkDirectory();
  c.editor_path = record.EditorPath();
  c.history_file = record.HistoryFile();
  c.printer_scale = FormatPrinterScale(record.PrinterScale());
  for (int e = 1; e <= 71; ++e)
    for (int t = 0; t < 3; ++t)
      c.error_marks[static_cast<std::size_t>(e - 1)][static_cast<std::size_t>(t)] =
          record.ErrorEnabled(e, t);
  c.hospital_name = record.HospitalName();
  c.hospital_code = record.HospitalCode();
  c.group_after_test = record.GroupAfterTest();
  c.version_button = -1;
  for (std::size_t i = 0; i < kVersionButtons.size(); ++i)
    if (kVersionButtons[i].value == record.VersionYear()) c.version_button = static_cast<int>(i);
  for (int i = 0; i < 63; ++i)
    c.completeness[static_cast<std::size_t>(i)] = record.CompletenessField(i);
  return c;
}

void ApplyControls(const ConfigControls& c, ConfigRecord* record) {
  record->SetHospitalName(c.hospital_name);
  if (c.version_button >= 0 && c.version_button < static_cast<int>(kVersionButtons.size()))
    record->SetVersionYear(kVersionButtons[static_cast<std::size_t>(c.version_button)].value);
  record->SetHospitalCode(c.hospital_code);
  // The box holds at most 5 characters; they are read as a decimal number.
  const std::string box = c.printer_scale.substr(0, 5);
  char* end = nullptr;
  double scale = std::strtod(box.c_str(), &end);
  if (end != box.c_str()) record->SetPrinterScale(static_cast<float>(scale));
  record->SetGroupAfterTest(c.group_after_test);
  record->SetWorkDirectory(kFixedWorkDirectory);
  for (int i = 0; i < 63; ++i)
    record->SetCompletenessField(i, c.completeness[static_cast<std::size_t>(i)]);
}

void StoreErrorMarks(const ConfigControls& c, ConfigRecord* record) {
  for (int e = 1; e <= 71; ++e)
    for (int t = 0; t < 3; ++t)
      record->SetErrorEnabled(
          e, t, c.error_marks[static_cast<std::size_t>(e - 1)][static_cast<std::size_t>(t)]);
}

bool ChooseEditor(std::string_view stored_path, ConfigRecord* record) {
  std::size_t slash = stored_path.find_last_of("\\/");
  std::string_view program =
      slash == std::string_view::npos ? stored_path : stored_path.substr(slash + 1);
  if (stored_path.size() >= ConfigRecord::kPathSize) return false;
  record->SetEditorPath(stored_path);
  record->SetEditorProgram(program);
  return true;
}

}  // namespace quirovel
