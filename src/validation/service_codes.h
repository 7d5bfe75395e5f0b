// The 40 service codes the checks accept, compiled in. The services file of
// the installation serves only for names in reports.
#pragma once

#include <array>
#include <string_view>

namespace quirovel {

// Ascending, closed by the end marker "ZZZ".
extern const std::array<std::string_view, 41> kServiceCodeList;

// True when the code is one of the list: the walk from the first code stops at
// the first code not smaller than it (the marker at the latest), and the code
// reached must equal it.
bool IsServiceCode(std::string_view code);

}  // namespace quirovel
