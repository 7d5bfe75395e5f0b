// "Búsqueda de Diagnósticos y Procedimientos": the search text of code
// patterns, the eight conditions with their check boxes, the pattern table
// with its counts, "Buscar códigos" over the CIE-9-MC descriptions, "Limpia",
// and the episodes kept for page "Errores por Tipo/Servicio".
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <array>
#include <cstdint>
#include <vector>

#include "analyses/code_search.h"
#include "analyses/episode_table_browse.h"
#include "app/gui/window_context.h"

namespace quirovel {

class CodeSearchDialog final : public QDialog {
  Q_OBJECT

 public:
  // The conditions in the order they are tested.
  enum Condition { kAlta, kServicio, kSexo, kEdad, kTiping, kResidencia, kTipoAlta, kIngreso };

  explicit CodeSearchDialog(WindowContext& window, QWidget* parent = nullptr);

  // Each time the dialog opens: no episodes kept yet.
  void Opened();
  // What "Buscar" reads from the dialog.
  SearchRequest Request() const;
  void Search();     // "Buscar"
  void FindCodes();  // "Buscar códigos"
  void Clear();      // "Limpia"
  void done(int result) override;

  // The record numbers kept by the last search with the box checked.
  const std::vector<std::int64_t>& kept() const { return kept_; }

  QPlainTextEdit* search_text() const { return text_; }
  QLineEdit* description() const { return description_; }
  QCheckBox* condition(Condition c) const { return boxes_[c]; }
  QDateEdit* discharge_from() const { return discharge_from_; }
  QDateEdit* discharge_to() const { return discharge_to_; }
  QDateEdit* admission_from() const { return admission_from_; }
  QDateEdit* admission_to() const { return admission_to_; }
  QComboBox* service_list() const { return service_; }
  QComboBox* sex_list() const { return sex_; }
  QComboBox* admission_type_list() const { return admission_type_; }
  QComboBox* discharge_type_list() const { return discharge_type_; }
  QLineEdit* age_low() const { return age_low_; }
  QLineEdit* age_high() const { return age_high_; }
  QLineEdit* residence() const { return residence_; }
  QCheckBox* keep_episodes() const { return keep_; }
  QTableWidget* pattern_table() const { return patterns_; }
  QLineEdit* episodes() const { return episodes_; }
  QPushButton* search_button() const { return search_; }

 private:
  void ShowPatterns(const PatternList& patterns);
  void SetBusy(bool busy);

  WindowContext& window_;
  std::vector<ServiceChoice> service_choices_;
  std::vector<std::int64_t> kept_;
  QPlainTextEdit* text_;
  QLineEdit* description_;
  std::array<QCheckBox*, 8> boxes_{};
  QDateEdit* discharge_from_;
  QDateEdit* discharge_to_;
  QDateEdit* admission_from_;
  QDateEdit* admission_to_;
  QComboBox* service_;
  QComboBox* sex_;
  QComboBox* admission_type_;
  QComboBox* discharge_type_;
  QLineEdit* age_low_;
  QLineEdit* age_high_;
  QLineEdit* residence_;
  QCheckBox* keep_;
  QTableWidget* patterns_;
  QLineEdit* episodes_;
  QPushButton* search_;
  QPushButton* find_codes_;
  QPushButton* clear_;
  QPushButton* stop_;
};

}  // namespace quirovel
