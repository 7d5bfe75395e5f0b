#include "session/config_page_actions.h"

#include "reference/reference_tables.h"
#include "session/catalogue_session.h"
#include "session/config_file.h"
#include "session/session.h"

namespace quirovel {

void ChooseHospital(Session& s, std::string_view name, ConfigControls* controls) {
  controls->hospital_name = std::string(name.substr(0, ConfigRecord::kHospitalNameMax));
  controls->hospital_code = HospitalCodeFor(s.fs, s.feedback, s.paths, name);
}

bool ApplyConfigPage(Session& s, const ConfigControls& controls, bool allow_writing) {
  ApplyControls(controls, &s.config);
  bool ok = true;
  if (allow_writing && !SaveConfig(s)) {
    s.feedback.Message("Error al grabar la configuracion");
    ok = false;
  }
  if (!s.config_file || !s.config_file->Sync()) {
    s.feedback.Message("Error commit");
    ok = false;
  }
  return ok;
}

void LeaveConfigPage(Session& s, const ConfigControls& controls, int year_when_shown) {
  ApplyConfigPage(s, controls, false);
  if (s.config.VersionYear() != year_when_shown) OpenCieCatalogue(s);
}

}  // namespace quirovel
