#include "app/gui/episode_table_model.h"

#include <QFont>

#include "analyses/episode_table_browse.h"
#include "app/gui/text_codec.h"
#include "session/session.h"

namespace quirovel {
namespace {

// Rows kept between reads: a few screens of a long table.
constexpr std::size_t kKeptRows = 2000;

}  // namespace

EpisodeTableModel::EpisodeTableModel(WindowContext& window, QObject* parent)
    : QAbstractTableModel(parent), window_(window) {
  connect(&window_.runner, &OperationRunner::finished, this, [this] {
    if (!table_.empty())
      emit dataChanged(index(0, 0), index(rowCount() - 1, EpisodeTable::kColumns - 1));
  });
}

void EpisodeTableModel::SetTable(EpisodeTable table) {
  beginResetModel();
  table_ = std::move(table);
  kept_.clear();
  endResetModel();
}

int EpisodeTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.size());
}

int EpisodeTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : EpisodeTable::kColumns;
}

const EpisodeTableModel::RowTexts* EpisodeTableModel::Row(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= table_.size()) return nullptr;
  if (auto found = kept_.find(row); found != kept_.end()) return &found->second;
  // The worker owns the session's table while it runs.
  if (window_.runner.busy()) return nullptr;
  Session& s = window_.session;
  const auto r = static_cast<std::size_t>(row);
  if (!LoadRow(s, table_, r)) return nullptr;
  if (kept_.size() >= kKeptRows) kept_.clear();
  RowTexts& texts = kept_[row];
  for (int c = 0; c < EpisodeTable::kColumns; ++c) texts[c] = ToQString(RowText(s, table_, r, c));
  return &texts;
}

QString EpisodeTableModel::Text(int row, int column) const {
  if (column < 0 || column >= EpisodeTable::kColumns) return {};
  if (column == EpisodeTable::kIdColumn && row >= 0 &&
      static_cast<std::size_t>(row) < table_.size())
    return QString::fromStdString(table_.Id(static_cast<std::size_t>(row)));
  const RowTexts* texts = Row(row);
  return texts == nullptr ? QString() : (*texts)[static_cast<std::size_t>(column)];
}

QVariant EpisodeTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole) return Text(index.row(), index.column());
  return {};
}

QVariant EpisodeTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= EpisodeTable::kColumns) return {};
  return ToQString(EpisodeTable::Header(section));
}

void EpisodeTableModel::sort(int column, Qt::SortOrder order) {
  if (table_.size() < 2 || window_.runner.busy()) return;
  auto sorted = std::make_shared<EpisodeTable>(table_);
  Session& s = window_.session;
  const bool descending = order == Qt::DescendingOrder;
  window_.runner.Start(
      QStringLiteral("Ordenar"),
      [&s, sorted, column, descending] {
        return SortEpisodeTable(s, column, descending, sorted.get());
      },
      [this, sorted](bool ok, bool) {
        if (!ok) return;
        emit layoutAboutToBeChanged();
        table_ = std::move(*sorted);
        kept_.clear();
        emit layoutChanged();
      });
}

}  // namespace quirovel
