// The episode table of page "Errores por Tipo/Servicio" as a Qt model. Rows
// are the core's EpisodeTable (record numbers); their texts are read back from
// the current table when a row comes into view and kept for the rows seen
// last. While an operation owns the session the model shows only what it has
// kept, and repaints when the operation ends. Sorting by a column header runs
// the core's sort on the worker.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <memory>
#include <unordered_map>

#include "analyses/episode_table.h"
#include "app/gui/window_context.h"

namespace quirovel {

class EpisodeTableModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit EpisodeTableModel(WindowContext& window, QObject* parent = nullptr);

  void SetTable(EpisodeTable table);
  const EpisodeTable& table() const { return table_; }
  // The text of a cell as the table holds it (Id column included).
  QString Text(int row, int column) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void sort(int column, Qt::SortOrder order) override;

 private:
  using RowTexts = std::array<QString, EpisodeTable::kColumns>;
  const RowTexts* Row(int row) const;

  WindowContext& window_;
  EpisodeTable table_;
  mutable std::unordered_map<int, RowTexts> kept_;
};

}  // namespace quirovel
