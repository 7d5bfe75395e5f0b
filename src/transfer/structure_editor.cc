#include "transfer/structure_editor.h"

#include <set>

#include "platform/cp1252.h"
#include "platform/format.h"
#include "storage/dbf_table.h"
#include "storage/field_definition.h"
#include "storage/table_files.h"
#include "transfer/text_import_settings.h"
#include "transfer/transfer_staging.h"
#include "validation/cmbd_layout.h"

namespace quirovel {

std::vector<ViewerRow> StructureViewerRows(FileSystem& fs, Feedback& feedback,
                                           const std::string& path) {
  std::vector<ViewerRow> rows;
  DbfTable table(fs, feedback);
  if (table.Open(path) != 1) return rows;
  int position = 0;
  for (int i = 1; i <= table.field_count(); ++i) {
    const FieldDescriptor d = table.Descriptor(i);
    rows.push_back({{d.name, d.type, d.width, position, i}, d.decimals});
    position += d.width;
  }
  return rows;
}

StructureRow RowFromBoxes(std::string_view name, std::string_view type_choice,
                          std::string_view length) {
  StructureRow row;
  row.name = std::string(name.substr(0, 11));
  row.type = type_choice == "Numero" ? 'N' : type_choice == "Fecha" ? 'D' : 'C';
  int width = 0;
  for (std::size_t i = 0; i < length.size() && i < 2 && length[i] >= '0' && length[i] <= '9'; ++i)
    width = width * 10 + (length[i] - '0');
  row.width = row.type == 'D' ? 8 : width;
  return row;
}

void StructureEditor::LoadTemplate(bool cma) {
  rows_.clear();
  auto load = [&](const auto& layout) {
    for (std::string_view text : layout) {
      const FieldDefinition d = ParseFieldDefinition(text);
      rows_.push_back({d.name, d.type, d.width});
    }
  };
  if (cma)
    load(kCmaLayout);
  else
    load(kCmbdLayout);
  selected_ = -1;
  Renumber();
}

void StructureEditor::Insert(const StructureRow& row) {
  if (selected_ < 0) return;
  rows_.insert(rows_.begin() + selected_, row);
  Renumber();
}

void StructureEditor::Add(const StructureRow& row) {
  rows_.push_back(row);
  Renumber();
}

void StructureEditor::Modify(const StructureRow& row) {
  if (selected_ < 0) return;
  rows_[static_cast<std::size_t>(selected_)] = row;
  Renumber();
}

void StructureEditor::Delete() {
  if (selected_ < 0) return;
  rows_.erase(rows_.begin() + selected_);
  if (selected_ >= size()) selected_ = -1;
  Renumber();
}

void StructureEditor::Renumber() {
  int position = 0, number = 0;
  for (StructureRow& row : rows_) {
    row.position = position;
    row.number = ++number;
    position += row.width;
  }
}

std::vector<std::string> StructureEditor::Definitions() const {
  std::vector<std::string> texts;
  for (const StructureRow& row : rows_)
    texts.push_back(row.name + "#" + row.type + std::to_string(row.width));
  return texts;
}

bool CheckDefinitions(const std::vector<std::string>& definitions, Feedback& feedback) {
  std::set<std::string> names;
  int bytes = 0, number = 0;
  for (const std::string& text : definitions) {
    ++number;
    const FieldDefinition d = ParseFieldDefinition(text);
    std::string why;
    const std::size_t hash = text.find('#');
    const std::string digits =
        hash == std::string::npos || hash + 2 > text.size() ? "" : text.substr(hash + 2);
    const bool numeric =
        !digits.empty() && digits.find_first_not_of("0123456789.") == std::string::npos;
    if (hash == std::string::npos || d.name.empty() || d.name.size() > 10 ||
        d.name.find_first_of(" \t") != std::string::npos)
      why = "nombre de 1 a 10 caracteres sin blancos, '#', tipo y longitud (NOMBRE#C5)";
    else if (std::string("CNDHFI").find(d.type) == std::string::npos || d.type == '\0')
      why = "tipo C, N o D";
    else if (const char written = text[hash + 1]; !numeric && written != 'D' && written != 'H')
      why = "longitud en cifras";
    else if (d.width < 1 || d.width > 99 || d.decimals < 0 || d.decimals >= d.width)
      why = "longitud de 1 a 99 (y decimales menos que la longitud)";
    else if (!names.insert(d.name).second)
      why = "nombre repetido";
    if (!why.empty()) {
      feedback.Message(
          StrFormat("Campo %d [%s] no válido: %s"_cp, number, text.c_str(), why.c_str()));
      return false;
    }
    bytes += d.width;
  }
  if (definitions.empty() || number > 149 || bytes > 637) {
    feedback.Message(StrFormat(
        "Estructura no válida: %d campos de %d bytes (de 1 a 149 campos y hasta 637 bytes)"_cp,
        number, bytes));
    return false;
  }
  return true;
}

CreateOutcome CreateStructureTable(FileSystem& fs, Feedback& feedback, std::string_view name_box,
                                   const std::string& directory,
                                   const std::vector<std::string>& definitions,
                                   std::string* created_name) {
  const std::string name = WithDbfExtension(name_box.substr(0, 49));
  if (name == ".DBF") {
    feedback.Message("Introduzca nombre del fichero");
    return CreateOutcome::kNoName;
  }
  const std::string path = directory + "/" + name;
  if (fs.Exists(path)) {
    feedback.Message("Ya existe el fichero en el directorio de trabajo");
    return CreateOutcome::kExists;
  }
  const std::vector<std::string_view> texts(definitions.begin(), definitions.end());
  const std::string staged = FreshTemporaryName(fs, path);
  if (!Create(fs, feedback, texts, staged) || !CommitStagedTable(fs, staged, path, 0)) {
    fs.Remove(staged);
    feedback.Message("Error al crear el fichero");
    return CreateOutcome::kFailed;
  }
  *created_name = name;
  return CreateOutcome::kCreated;
}

}  // namespace quirovel
