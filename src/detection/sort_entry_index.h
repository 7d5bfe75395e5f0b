// The in-place quicksort of error-log entry numbers by a text key, shared by
// the error grouping and the readmission analysis. Its partition scheme decides
// the order of entries with equal keys, and that order shows in the reports, so
// the algorithm is fixed: middle pivot, Hoare partition, an explicit stack of
// pending ranges.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quirovel {

// Sorts index[0..n-1] so that keys[index[i]] ascend, comparing keys byte by
// byte (the keys that occur, digits, blanks and capital letters, then sort by
// character code). Every index value must be a valid position of keys.
void SortEntryIndex(std::vector<std::int32_t>& index, std::int64_t n,
                    const std::vector<std::string>& keys);

}  // namespace quirovel
