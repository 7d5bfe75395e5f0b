#include "validation/service_codes.h"

namespace quirovel {

const std::array<std::string_view, 41> kServiceCodeList = {
    "70100", "70150", "70190", "70210", "70220", "70230", "70240", "70250", "70260", "70270",
    "70271", "70276", "70310", "70320", "70330", "70340", "70350", "70360", "70370", "70380",
    "70390", "70391", "70392", "70393", "70420", "70430", "70440", "70441", "70460", "70480",
    "70490", "70500", "70530", "70531", "70540", "70551", "70552", "70560", "70580", "70600",
    "ZZZ"};

bool IsServiceCode(std::string_view code) {
  std::size_t i = 0;
  while (i + 1 < kServiceCodeList.size() && kServiceCodeList[i] < code) ++i;
  // The marker is never a service, even for a code that equals it.
  return i + 1 < kServiceCodeList.size() && kServiceCodeList[i] == code;
}

}  // namespace quirovel
