#include "analyses/episode_table_browse.h"

#include <algorithm>
#include <numeric>

#include "reference/reference_tables.h"
#include "session/session.h"
#include "storage/dates.h"
#include "validation/error_catalogue.h"

namespace quirovel {

std::vector<ServiceChoice> ServiceChoices(const ServiceTable& services) {
  std::vector<ServiceChoice> list;
  for (int slot = 0; slot < ServiceTable::kSlots; ++slot) {
    const ServiceTable::Slot& s = services.slot(slot);
    if (s.name.empty()) continue;
    list.push_back({s.name, s.code, DecimalValue(s.code)});
  }
  return list;
}

int StepErrorNumber(int error_number, int step) {
  return std::clamp(error_number + step, 0, kCatalogueSize);
}

bool SortEpisodeTable(Session& s, int column, bool descending, EpisodeTable* table) {
  if (column < 0 || column >= EpisodeTable::kColumns) return false;
  const std::size_t n = table->size();
  std::vector<std::string> keys(column == EpisodeTable::kIdColumn ? 0 : n);
  if (column != EpisodeTable::kIdColumn) {
    for (std::size_t row = 0; row < n; ++row) {
      if ((row & 1023) == 1023 && s.feedback.StopRequested()) return false;
      if (!LoadRow(s, *table, row)) {
        s.feedback.Message("ERROR AL LEER FICHERO CMBD");
        return false;
      }
      keys[row].assign(RowField(s, column));
    }
  }
  // An error row is named by its log position, an episode row by its record.
  auto id = [table](std::size_t row) {
    return table->IsErrorRow(row) ? table->Entry(row) : table->Record(row);
  };
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (descending) std::swap(a, b);
    if (column == EpisodeTable::kIdColumn) return id(a) < id(b);
    return keys[a] < keys[b];
  });
  EpisodeTable sorted;
  for (std::size_t row : order) sorted.Add(table->Record(row), table->Entry(row));
  *table = std::move(sorted);
  return true;
}

long ChoiceValue(const std::vector<ChoiceEntry>& choices, int index) {
  if (index < 1 || static_cast<std::size_t>(index) > choices.size()) return 0;
  return choices[static_cast<std::size_t>(index - 1)].value;
}

long ChoiceValue(const std::vector<ServiceChoice>& choices, int index) {
  if (index < 1 || static_cast<std::size_t>(index) > choices.size()) return 0;
  return choices[static_cast<std::size_t>(index - 1)].value;
}

}  // namespace quirovel
