#include "detection/sort_entry_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace quirovel {
namespace {

std::vector<std::int32_t> Identity(std::size_t n) {
  std::vector<std::int32_t> index(n);
  std::iota(index.begin(), index.end(), 0);
  return index;
}

TEST(SortEntryIndexTest, SmallCasesWorkedByHand) {
  struct Case {
    std::vector<std::string> keys;
    std::int64_t count;
    std::vector<std::int32_t> expected;
  } cases[] = {
      // Equal keys land where the partitions leave them: middle pivot, i and j
      // meeting, the right part pushed, the left part continued.
      {{"B", "A", "B", "A", "B", "A"}, 6, {3, 1, 5, 4, 0, 2}},
      // Short ranges and the tail beyond the count are left alone.
      {{"Z", "A", "M"}, 0, {0, 1, 2}},
      {{"Z", "A", "M"}, 1, {0, 1, 2}},
      {{"Z", "A", "M"}, 2, {1, 0, 2}},
      // The service keys of the grouping, "%5s%-2s%s", byte by byte with blanks first.
      {{"7010025        ", "701002520050101", "      720050101", "70100 720050101"},
       4,
       {2, 3, 0, 1}},
  };
  for (const Case& c : cases) {
    auto index = Identity(c.keys.size());
    SortEntryIndex(index, c.count, c.keys);
    EXPECT_EQ(index, c.expected) << c.keys[0] << " " << c.count;
  }
}

TEST(SortEntryIndexTest, SortsLargeInputsOfEveryShape) {
  std::mt19937 rng(7);
  const std::size_t n = 30000;
  std::vector<std::vector<std::string>> shapes(4, std::vector<std::string>(n));
  for (std::size_t i = 0; i < n; ++i) {
    shapes[0][i] = "K";                              // all equal
    shapes[1][i] = std::to_string(100000 + i);       // ascending
    shapes[2][i] = std::to_string(200000 - i);       // descending
    shapes[3][i] = std::to_string(10 + rng() % 71);  // few distinct, shuffled
  }
  for (const auto& keys : shapes) {
    auto index = Identity(n);
    SortEntryIndex(index, static_cast<std::int64_t>(n), keys);
    auto sorted = index;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, Identity(n)) << "not a permutation";
    for (std::size_t i = 1; i < n; ++i)
      ASSERT_LE(keys[static_cast<std::size_t>(index[i - 1])],
                keys[static_cast<std::size_t>(index[i])]);
  }
}

}  // namespace
}  // namespace quirovel
