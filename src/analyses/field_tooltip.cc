#include "analyses/field_tooltip.h"

#include "analyses/episode_table_description.h"
#include "session/catalogue_session.h"
#include "session/session.h"
#include "storage/dates.h"
#include "validation/cmbd_layout.h"

namespace quirovel {

std::string FieldTooltip(Session& s, int field) {
  if (!s.field_map.Present(field)) return {};
  const std::string_view raw = CView(CmbdFieldText(s, field));
  switch (field) {
    case PROCEDEN:
    case REGFIN:
    case TIPING:
    case TIPALT:
    case SEXO:
    case SEXO1N:
    case SEXO2N:
    case SEXO3N:
      return std::string(CodedValueLabel(field, DecimalValue(raw), true));
    case SERVING:
    case SERVALT:
      // Only codes of this hospital's own services ("70...") are named.
      return raw.substr(0, 2) == "70" ? s.references.services.ServiceName(raw) : std::string();
    default:
      break;
  }
  if ((field >= C1 && field <= CE4) || (field >= P1 && field <= P15))
    return CodeDescription(s, field);
  return {};
}

}  // namespace quirovel
