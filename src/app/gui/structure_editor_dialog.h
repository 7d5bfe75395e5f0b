// "Crear Estructura DBF": a list of fields edited with the name, type and
// length boxes (or loaded from the CMBD-A and CMA templates), and "Crear",
// which makes an empty table of them for the text import to copy.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTableWidget>

#include "app/gui/window_context.h"
#include "transfer/structure_editor.h"

namespace quirovel {

class StructureEditorDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit StructureEditorDialog(WindowContext& window, QWidget* parent = nullptr);

  StructureEditor& editor() { return editor_; }
  QLineEdit* field_name() const { return name_; }
  QComboBox* field_type() const { return type_; }
  QLineEdit* field_length() const { return length_; }
  QLineEdit* table_name() const { return table_; }
  // "Añade" and "Crear".
  void AddRow();
  bool Create();
  // The list shown again from the editor's rows.
  void ShowRows();

 private:
  WindowContext& window_;
  StructureEditor editor_;
  QTableWidget* rows_;
  QLineEdit* name_;
  QComboBox* type_;
  QLineEdit* length_;
  QLineEdit* table_;
};

}  // namespace quirovel
