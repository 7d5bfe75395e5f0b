// Stays in intensive care and in the emergency room beyond what a single
// episode plausibly holds.
#include <cstdint>

#include "validation/check_context.h"
#include "validation/checks.h"
#include "validation/cmbd_layout.h"
#include "validation/error_numbers.h"

namespace quirovel {
namespace {

constexpr std::int32_t kLongestIntensiveCareStay = 30;
constexpr std::int32_t kLongestEmergencyStay = 5;

}  // namespace

void CheckStays(CheckContext& c) {
  if (c.record.ESTUCI > kLongestIntensiveCareStay) SETERR(c, kE321, ESTUCI);
  if (c.record.ESTURG > kLongestEmergencyStay) SETERR(c, kE331, ESTURG);
}

}  // namespace quirovel
