// The tooltip of a field box of the error browser: what the current record's
// value of the field means, in words.
#pragma once

#include <string>

namespace quirovel {

struct Session;

// The label of a coded value (tooltip wording) for PROCEDEN, REGFIN, TIPING,
// TIPALT and the four sex fields; the service's name for SERVING and SERVALT
// when the code begins with "70"; the catalogue description for the
// diagnosis, external-cause and procedure fields; empty for any other field,
// and for a field the table lacks.
std::string FieldTooltip(Session& s, int field);

}  // namespace quirovel
