// The import dialog without its widgets: its controls filled from the
// current settings or a saved import layout ("CMBD", "CMA"), stored back as
// "Importar" and "Guarda Especificación" do, and the five recent structure
// files that rotate through their slot counter.
#pragma once

#include <string>
#include <string_view>

#include "reference/config_record.h"

namespace quirovel {

struct ImportControls {
  std::string text_file;
  std::string structure_file;
  std::string separator;         // one character; a blank keeps the stored separator
  std::string delimiter;         // one character
  int date_format_position = 0;  // 0..5 in the list of formats
  bool header_line = false;      // "Cabecera"
  bool fixed_length = false;     // "Campos de longitud fija"
  std::string table_name;        // the part of the target's path after the last "\"
};

// The six date formats in the order of the dialog's list.
inline constexpr const char* kImportDateFormats[6] = {
    "DD/MM/AA[AA]", "MM/DD/AA[AA]", "AA[AA]/MM/DD", "DDMMAAAA", "MMDDAAAA", "AAAAMMDD"};

// The controls as the dialog fills them from one of the three places.
ImportControls FillImportControls(const ConfigRecord& record, ImportLayout from);

// The controls stored into one of the three places, as "Importar" (the
// current settings) and "Guarda Especificación" (a saved layout) do; the
// table is made a ".DBF" in the working directory. Remembers the structure
// file among the recent ones. False, changing nothing, when a path does not
// fit its field.
bool StoreImportControls(const ImportControls& controls, ConfigRecord* record, ImportLayout into);

// ".DBF" appended unless the name is longer than four characters and ends,
// upper-cased, in ".DBF".
std::string WithDbfExtension(std::string_view name);

// The structure file into the slot named by the counter, the counter moved
// on (back to 0 after 4), unless the path is already in the list. False when
// the list did not change.
bool RememberStructure(ConfigRecord* record, std::string_view path);

// The slot the dialog's list shows selected: the one before the counter (4 when it is 0).
int SelectedRecentSlot(const ConfigRecord& record);

// A text file chosen as the current file in the main window: it becomes the
// text to import, and the same path with its last three characters replaced
// by "DBF" the table to create (which the dialog then shows). False, changing
// nothing, when a path does not fit.
bool ChooseTextFile(ConfigRecord* record, std::string_view text_path);

// "CMBD" / "CMA": the saved layout copied whole into the current settings.
void RecallImportLayout(ConfigRecord* record, ImportLayout saved);

}  // namespace quirovel
