// What the configuration page does with the running program: the hospital
// chosen from its list, the page applied and saved, the page left.
#pragma once

#include <string_view>

#include "reference/config_page.h"

namespace quirovel {

struct Session;

// A new choice in the hospital list: its name (at most 69 characters) and
// the code "hospital.dat" gives for it ("Error" when it has none).
void ChooseHospital(Session& s, std::string_view name, ConfigControls* controls);

// Applies the controls and, when writing is allowed, saves the record ("Error
// al grabar la configuracion" when the write falls short) and flushes the file
// ("Error commit" when that fails). False when a save or flush failed.
bool ApplyConfigPage(Session& s, const ConfigControls& controls, bool allow_writing);

// Leaving the page: applies without writing, and reopens the catalogue when
// the version year is no longer the one the page was shown with.
void LeaveConfigPage(Session& s, const ConfigControls& controls, int year_when_shown);

}  // namespace quirovel
