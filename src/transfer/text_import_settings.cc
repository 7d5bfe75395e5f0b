#include "transfer/text_import_settings.h"

#include <algorithm>
#include <cctype>

#include "output/output_path.h"

namespace quirovel {

ImportControls FillImportControls(const ConfigRecord& record, ImportLayout from) {
  const ImportSettings s = record.Import(from);
  ImportControls c;
  c.text_file = s.text_file;
  c.structure_file = s.structure_table;
  c.separator = s.fixed_length != 0 ? " " : s.separator;
  c.delimiter = s.delimiter;
  const int format = s.date_format.empty() ? 1 : s.date_format[0] - '0';
  c.date_format_position = format >= 1 && format <= 6 ? format - 1 : 0;
  c.header_line = s.header_line != 0;
  c.fixed_length = s.fixed_length != 0;
  const std::size_t slash = s.target_table.rfind('\\');
  c.table_name = slash == std::string::npos ? s.target_table : s.target_table.substr(slash + 1);
  return c;
}

std::string WithDbfExtension(std::string_view name) {
  std::string upper(name);
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  const bool has = upper.size() > 4 && upper.compare(upper.size() - 4, 4, ".DBF") == 0;
  return std::string(name) + (has ? "" : ".DBF");
}

bool StoreImportControls(const ImportControls& c, ConfigRecord* record, ImportLayout into) {
  ImportSettings s = record->Import(into);
  s.text_file = c.text_file;
  s.structure_table = c.structure_file;
  if (!c.separator.empty() && c.separator[0] != ' ') s.separator = c.separator.substr(0, 1);
  s.date_format = std::to_string(c.date_format_position + 1);
  s.delimiter = c.delimiter.substr(0, 1);
  s.header_line = c.header_line ? 1 : 0;
  s.fixed_length = c.fixed_length ? 1 : 0;
  s.target_table = OutputPath(*record, WithDbfExtension(c.table_name));
  if (!record->SetImport(into, s)) return false;
  RememberStructure(record, c.structure_file);
  return true;
}

bool RememberStructure(ConfigRecord* record, std::string_view path) {
  for (int slot = 0; slot < ConfigRecord::kRecentSlots; ++slot)
    if (record->RecentStructure(slot) == path) return false;
  int next = record->RecentNext();
  if (next < 0 || next >= ConfigRecord::kRecentSlots) next = 0;
  if (!record->SetRecentStructure(next, path)) return false;
  record->SetRecentNext((next + 1) % ConfigRecord::kRecentSlots);
  return true;
}

int SelectedRecentSlot(const ConfigRecord& record) {
  const int next = record.RecentNext();
  return next <= 0 || next >= ConfigRecord::kRecentSlots ? ConfigRecord::kRecentSlots - 1
                                                         : next - 1;
}

bool ChooseTextFile(ConfigRecord* record, std::string_view text_path) {
  ImportSettings s = record->Import(ImportLayout::kCurrent);
  s.text_file = text_path;
  s.target_table = std::string(text_path.substr(
                       0, text_path.size() - std::min<std::size_t>(3, text_path.size()))) +
                   "DBF";
  return record->SetImport(ImportLayout::kCurrent, s);
}

void RecallImportLayout(ConfigRecord* record, ImportLayout saved) {
  record->SetImport(ImportLayout::kCurrent, record->Import(saved));
}

}  // namespace quirovel
