// Which codes the origin and transfer hospital fields (PROCH, TRASH) accept.
#pragma once

#include <string_view>

#include "storage/code_index.h"

namespace quirovel {

// The province's hospitals, searched as text.
extern const std::string_view kProvincialHospitalList;

// "99999"; or a code beginning with "02" or "11" whose characters from the
// third on occur in the provincial list and that is not the own hospital; or
// a code of the hospital code list.
bool HospitalCodeAccepted(std::string_view code, std::string_view own_hospital,
                          const CodeIndex& hospital_codes);

}  // namespace quirovel
