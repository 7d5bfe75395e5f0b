#include "detection/sort_entry_index.h"

#include <utility>

namespace quirovel {

void SortEntryIndex(std::vector<std::int32_t>& index, std::int64_t n,
                    const std::vector<std::string>& keys) {
  if (n < 2 || static_cast<std::size_t>(n) > index.size()) return;
  auto key = [&](std::int64_t at) -> const std::string& {
    return keys[static_cast<std::size_t>(index[static_cast<std::size_t>(at)])];
  };
  // Each pushed range is split off the one being partitioned, so the stack
  // never holds more ranges than there are entries.
  std::vector<std::pair<std::int64_t, std::int64_t>> pending;
  pending.emplace_back(0, n - 1);
  while (!pending.empty()) {
    auto [lo, hi] = pending.back();
    pending.pop_back();
    do {
      const std::string pivot = key((lo + hi) / 2);
      std::int64_t i = lo, j = hi;
      do {
        while (key(i) < pivot) ++i;
        while (pivot < key(j)) --j;
        if (i <= j) {
          std::swap(index[static_cast<std::size_t>(i)], index[static_cast<std::size_t>(j)]);
          ++i;
          --j;
        }
      } while (i <= j);
      if (i < hi) pending.emplace_back(i, hi);
      hi = j;
    } while (lo < hi);
  }
}

}  // namespace quirovel
