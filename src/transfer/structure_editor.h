// "Crear Estructura DBF" without its widgets: the list of fields built from
// the boxes or from the CMBD-A / CMA templates, and "Crear", which makes an
// empty table of those fields that the text import then copies.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/feedback.h"
#include "platform/file_system.h"

namespace quirovel {

struct StructureRow {
  std::string name;
  char type = 'C';
  int width = 0;
  int position = 0;  // "Posicion": the sum of the widths before it
  int number = 0;    // "Nº Campo", from 1
};

// The `StructureViewer` ("Estructura con la que se va a crear el fichero a
// importar"): one row per field of the table at path, with its decimals;
// empty after the table's own message when it cannot be opened.
struct ViewerRow {
  StructureRow row;
  int decimals = 0;
};
std::vector<ViewerRow> StructureViewerRows(FileSystem& fs, Feedback& feedback,
                                           const std::string& path);

// A row from the boxes: the name cut to 11 characters, "N" for "Numero", "D"
// for "Fecha" (width 8), "C" for anything else, the width from at most two digits.
StructureRow RowFromBoxes(std::string_view name, std::string_view type_choice,
                          std::string_view length);

class StructureEditor {
 public:
  // The 63 CMBD-A fields or the 27 CMA fields.
  void LoadTemplate(bool cma);
  void Select(int index) { selected_ = index >= 0 && index < size() ? index : -1; }
  int selected() const { return selected_; }
  // "Inserta", "Añade", "Modifica", "Borra"; all but "Añade" need a selected row.
  void Insert(const StructureRow& row);
  void Add(const StructureRow& row);
  void Modify(const StructureRow& row);
  void Delete();
  const std::vector<StructureRow>& rows() const { return rows_; }
  int size() const { return static_cast<int>(rows_.size()); }
  // The rows as field definition texts ("NAME#C5").
  std::vector<std::string> Definitions() const;

 private:
  void Renumber();
  std::vector<StructureRow> rows_;
  int selected_ = -1;
};

// The definitions a table can be made of: names of 1 to 10 characters, not
// repeated; types C, N, D (and H, F, I); widths of 1 to 99; at most 149
// fields and 637 bytes of fields. False after a message naming the first
// that is not.
bool CheckDefinitions(const std::vector<std::string>& definitions, Feedback& feedback);

enum class CreateOutcome { kCreated, kNoName, kExists, kFailed };

// "Crear": the name (at most 49 characters) with ".DBF" appended as the
// import dialog does, the table created in directory (a host path) unless a
// file of that name is there. *created_name is the file's name.
CreateOutcome CreateStructureTable(FileSystem& fs, Feedback& feedback, std::string_view name_box,
                                   const std::string& directory,
                                   const std::vector<std::string>& definitions,
                                   std::string* created_name);

}  // namespace quirovel
