// The import dialog: the text file, the structure table (with the five
// recent ones), separator, delimiter, date format, header line and fixed
// length, and the new table's name, filled from the configuration's current
// import settings or a saved layout and stored back as the core does.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include "app/gui/window_context.h"
#include "transfer/text_import_settings.h"

namespace quirovel {

class ImportDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit ImportDialog(WindowContext& window, QWidget* parent = nullptr);

  // "Importar": the controls stored as the current settings and the import
  // run on the worker. The dialog closes when the import has started.
  void Import();
  QLineEdit* text_file() const { return text_file_; }
  QComboBox* structure() const { return structure_; }
  QLineEdit* separator() const { return separator_; }
  QLineEdit* table_name() const { return table_name_; }
  QCheckBox* header_line() const { return header_; }
  QCheckBox* fixed_length() const { return fixed_; }

 private:
  void Fill(ImportLayout from);
  ImportControls Controls() const;
  bool Store(ImportLayout into);

  WindowContext& window_;
  QLineEdit* text_file_;
  QComboBox* structure_;
  QLineEdit* separator_;
  QLineEdit* delimiter_;
  QComboBox* date_format_;
  QCheckBox* header_;
  QCheckBox* fixed_;
  QLineEdit* table_name_;
};

}  // namespace quirovel
