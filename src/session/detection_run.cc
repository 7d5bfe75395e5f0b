#include "session/detection_run.h"

#include "storage/short_key.h"

namespace quirovel {

int ServiceTabulation::RowOf(std::string_view service) const {
  if (service.size() > kShortKeyMax) {
    for (int slot = 1; slot <= 40; ++slot)
      if (rows[static_cast<std::size_t>(slot)].code == service) return slot;
    return 0;
  }
  const std::uint64_t key = PackShortKey(service);
  for (int slot = 1; slot <= 40; ++slot)
    if (keys[static_cast<std::size_t>(slot)] == key) return slot;
  return 0;
}

}  // namespace quirovel
