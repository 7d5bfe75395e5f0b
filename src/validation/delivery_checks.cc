// Delivery and newborn data against the main diagnosis: a delivery must carry
// its date, gestation, outcome code and at least one newborn; any other main
// diagnosis must carry none of them. Runs at the end of the main diagnosis
// check, on the attributes record of C1 (column 7 marks a delivery).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "validation/check_context.h"
#include "validation/checks.h"
#include "validation/cmbd_layout.h"
#include "validation/code_text.h"
#include "validation/error_numbers.h"

namespace quirovel {
namespace {

constexpr std::int32_t kUnknownGestation = 99;
constexpr std::int32_t kUnknownWeight = 9999;
constexpr std::int32_t kUnknownSex = 9;

struct Newborn {
  std::int32_t weight;
  int weight_field;
  std::int32_t sex;
  int sex_field;
};

bool WeightOutOfRange(std::int32_t weight) {
  return weight < 400 || (weight > 5500 && weight != kUnknownWeight);
}

bool SexOutOfRange(std::int32_t sex) { return sex < 1 || (sex > 3 && sex != kUnknownSex); }

// Outcome of delivery codes V27.0 to V27.9, at the six-character width of a
// diagnosis field so that "V27.9 " lies inside.
bool HasOutcomeCode(const CmbdRecord& r) {
  for (std::size_t i = 1; i < r.C.size(); ++i)
    if (InTextRange(r.C[i], "V27.0 ", "V27.9 ")) return true;
  return false;
}

void CheckNotDelivery(CheckContext& c, const Newborn (&born)[3]) {
  if (c.record.TGESTAC != 0) SETERR(c, kE291, TGESTAC);
  for (const Newborn& b : born)
    if (b.weight != 0) SETERR(c, kE301, b.weight_field);
  for (const Newborn& b : born)
    if (b.sex != 0) SETERR(c, kE311, b.sex_field);
}

void CheckDelivery(CheckContext& c, const Newborn (&born)[3]) {
  const CmbdRecord& r = c.record;
  if (SameText(r.C[0].view(), "650   ")) {  // normal delivery
    if (r.AgeYears >= 35) SETERR(c, kE236, C1);
    if (r.TGESTAC >= 40 || r.TGESTAC <= 36) SETERR(c, kE237, C1);
  }
  if (IsBlankText(r.FECPART)) {
    SETERR(c, kE281, C1);
  } else {
    if (CompareText(r.FECPART.view(), r.FECING.view()) < 0) SETERR(c, kE282, FECPART);
    if (CompareText(r.FECPART.view(), r.FECALT.view()) > 0) SETERR(c, kE283, FECPART);
  }
  if (!HasOutcomeCode(r)) SETERR(c, kE243, C1);

  if (r.TGESTAC < 22 || (r.TGESTAC > 50 && r.TGESTAC != kUnknownGestation))
    SETERR(c, kE291, TGESTAC);
  if (r.TGESTAC == kUnknownGestation) SETERR(c, kE292, TGESTAC);

  // The first newborn is always expected; the others only when weighed.
  if (WeightOutOfRange(born[0].weight)) SETERR(c, kE301, born[0].weight_field);
  for (const Newborn& b : born)
    if (b.weight == kUnknownWeight) SETERR(c, kE303, b.weight_field);
  for (std::size_t i = 1; i < 3; ++i)
    if (born[i].weight > 0 && WeightOutOfRange(born[i].weight))
      SETERR(c, kE301, born[i].weight_field);

  if (SexOutOfRange(born[0].sex)) SETERR(c, kE311, born[0].sex_field);
  for (std::size_t i = 1; i < 3; ++i)
    if (born[i].weight > 0 && SexOutOfRange(born[i].sex)) SETERR(c, kE311, born[i].sex_field);

  for (const Newborn& b : born)
    if (b.weight > 0 && b.sex == kUnknownSex) SETERR(c, kE312, b.sex_field);
}

}  // namespace

void CheckDeliveryAndNewborn(CheckContext& c) {
  const CmbdRecord& r = c.record;
  const Newborn born[3] = {{r.PESO1N, PESO1N, r.SEXO1N, SEXO1N},
                           {r.PESO2N, PESO2N, r.SEXO2N, SEXO2N},
                           {r.PESO3N, PESO3N, r.SEXO3N, SEXO3N}};
  if (BeginsWith(c.catalogue.Column(7), 'T'))
    CheckDelivery(c, born);
  else
    CheckNotDelivery(c, born);
}

}  // namespace quirovel
