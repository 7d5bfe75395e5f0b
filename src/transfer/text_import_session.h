// The text import as the program runs it: with the current settings of the
// configuration record, or with a saved import layout whose new table then
// becomes the current CMBD-A file.
#pragma once

#include <string>

#include "reference/config_record.h"
#include "transfer/text_import.h"

namespace quirovel {

struct Session;

// ImportTextFile(): saves the configuration, refuses a target that is the
// current CMBD-A file (or the text or the structure file), imports, and shows
// "Importado: %ld " in the status line.
TextImportResult ImportTextFile(Session& s);

// The settings stored as the current ones, the import, then the new table
// made the current file: "Importar con especificación CMBD" / "CMA" with the
// saved layout's settings, or a text file chosen as the current file.
TextImportResult ImportAndMakeCurrent(Session& s, const ImportSettings& settings);
TextImportResult ImportWithSavedLayout(Session& s, ImportLayout saved);

// "Guarda Especificación CMBD" / "CMA" for settings already stored as the
// current ones: copied whole into the saved layout and the record saved.
bool SaveImportLayout(Session& s, ImportLayout saved);

}  // namespace quirovel
