// Page 6, "Configuración": the settings of the configuration record the
// page edits. It keeps one ConfigControls in step with its widgets and
// applies and saves them through the core, as `quirovel config` does, so the
// record's bytes are the same whichever front end changed them.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QWidget>
#include <vector>

#include "app/gui/window_context.h"
#include "reference/config_page.h"

namespace quirovel {

class ConfigurationPage final : public QWidget {
  Q_OBJECT

 public:
  explicit ConfigurationPage(WindowContext& window, QWidget* parent = nullptr);

  // The page comes to the front, or is left for another page (or an
  // operation starts while it is shown): the controls are applied without
  // writing, and the catalogue follows a new version year.
  void Shown();
  void Left();
  void SetBusy(bool busy) { setEnabled(!busy); }

  // "Guardar Personalización".
  void Save();
  QTableWidget* error_marks() const { return marks_; }
  QComboBox* hospitals() const { return hospitals_; }
  QPushButton* defaults_button() const { return defaults_; }
  QLineEdit* printer_scale() const { return scale_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fill();
  void TakeControls();  // widgets into controls_
  void ChooseEditorFile();
  void ChooseHistoryFile();

  WindowContext& window_;
  ConfigControls controls_;
  int year_when_shown_ = 0;
  bool filling_ = false;
  QTableWidget* marks_;
  QComboBox* hospitals_;
  QLineEdit* code_;
  std::vector<QRadioButton*> versions_;
  QLabel* editor_;
  QLabel* history_;
  QLineEdit* scale_;
  QListWidget* fields_;
  QPushButton* defaults_;
};

}  // namespace quirovel
