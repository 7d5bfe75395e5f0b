// The dialogs of page "Campos erroneos": the episode description
// ("Episodio", with "Siguiente"), the errors of one history number ("Errores
// en la historia") and the colours of the field boxes ("Colores de los
// campos").
#pragma once

#include <QDialog>
#include <QPushButton>
#include <QSlider>
#include <QTreeWidget>
#include <array>
#include <cstdint>
#include <vector>

#include "ui/error_browser_lists.h"

namespace quirovel {

struct Session;

class EpisodeDialog final : public QDialog {
  Q_OBJECT

 public:
  EpisodeDialog(Session& session, QWidget* parent = nullptr);
  // Fills the tree with the description of the record, the caption with its history number.
  void Describe(std::int64_t record);
  QTreeWidget* tree() const { return tree_; }
  QPushButton* next_button() const { return next_; }

 private:
  Session& session_;
  QTreeWidget* tree_;
  QPushButton* next_;
};

class HistoryErrorsDialog final : public QDialog {
  Q_OBJECT

 public:
  HistoryErrorsDialog(const QString& historia, const std::vector<HistoryErrorRow>& rows,
                      QWidget* parent = nullptr);
  QTreeWidget* table() const { return table_; }

 private:
  QTreeWidget* table_;
};

class FieldColoursDialog final : public QDialog {
  Q_OBJECT

 public:
  // The sliders change the configuration at once; closing the dialog saves it.
  FieldColoursDialog(Session& session, QWidget* parent = nullptr);
  // 0..2 the colour's red, green and blue; 3..5 the step's.
  QSlider* slider(int i) const { return sliders_[static_cast<std::size_t>(i)]; }

 signals:
  void changed();

 protected:
  void done(int result) override;

 private:
  Session& session_;
  std::array<QSlider*, 6> sliders_{};
};

}  // namespace quirovel
