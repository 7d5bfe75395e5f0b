// Commands that work on the installation start the session as the program
// does (reference tables, configuration, current table, catalogue, postal
// codes) and close it at the end.
#pragma once

#include <string_view>

#include "app/cli/command.h"

namespace quirovel {

// False, after a line that says how to create it, when the root holds no
// installation; the command then fails without starting.
bool StartSession(CliContext& context);
// Whether the root holds the installation folder; says what to do when not.
bool InstallationPresent(CliContext& context);
void EndSession(CliContext& context);

// Opens a report of the working directory in the configured editor and waits;
// when the editor cannot be started, says where the report is.
void OpenReportInEditor(CliContext& context, std::string_view name);

}  // namespace quirovel
