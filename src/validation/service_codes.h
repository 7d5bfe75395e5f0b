// The 40 service codes the checks accept, compiled in. The services file of
// the installation serves only for names in reports.
#pragma once

#include <array>
#include <string_view>

namespace quirovel {

// Ascending, closed by the end marker "ZZZ".
inline constexpr std::array<std::string_view, 41> kServiceCodeList = {
    "70100", "70150", "70190", "70210", "70220", "70230", "70240", "70250", "70260",
    "70270", "70271", "70276", "70310", "70320", "70330", "70340", "70350", "70360",
    "70370", "70380", "70390", "70391", "70392", "70393", "70420", "70430", "70440",
    "70441", "70460", "70480", "70490", "70500", "70530", "70531", "70540", "70551",
    "70552", "70560", "70580", "70600", "ZZZ"};

// True when the code is one of the list: the walk from the first code stops at
// the first code not smaller than it (the marker at the latest), and the code
// reached must equal it.
bool IsServiceCode(std::string_view code);

}  // namespace quirovel
