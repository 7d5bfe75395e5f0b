// Stays in intensive care and in the emergency room beyond what a single
// episode plausibly holds.
#include <cstdint>

#include "app/session.h"
#include "validation/checks.h"
#include "validation/cmbd_layout.h"

namespace quirovel {
namespace {

enum : int { kE321 = 70, kE331 = 71 };

constexpr std::int32_t kLongestIntensiveCareStay = 30;
constexpr std::int32_t kLongestEmergencyStay = 5;

}  // namespace

void CheckStays(Session& s) {
  if (s.record.ESTUCI > kLongestIntensiveCareStay) SETERR(s, kE321, ESTUCI);
  if (s.record.ESTURG > kLongestEmergencyStay) SETERR(s, kE331, ESTURG);
}

}  // namespace quirovel
