// "Episodio" for the rows of the episode table ("Epi"): the description of
// one episode as a tree, and "Siguiente" for the episode of the next row.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <QTreeWidget>
#include <cstdint>
#include <vector>

#include "app/gui/window_context.h"

namespace quirovel {

class EpisodeTreeDialog final : public QDialog {
  Q_OBJECT

 public:
  // The records of the chosen row and of the rows after it.
  EpisodeTreeDialog(WindowContext& window, std::vector<std::int64_t> records,
                    QWidget* parent = nullptr);

  QTreeWidget* tree() const { return tree_; }
  QPushButton* next_button() const { return next_; }

 private:
  void Show(std::size_t i);

  WindowContext& window_;
  std::vector<std::int64_t> records_;
  std::size_t shown_ = 0;
  QTreeWidget* tree_;
  QPushButton* next_;
};

}  // namespace quirovel
