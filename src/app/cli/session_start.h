// Commands that work on the installation start the session as the program
// does (reference tables, configuration, current table, catalogue, postal
// codes) and close it at the end.
#pragma once

#include <string_view>

#include "app/cli/command.h"

namespace quirovel {

void StartSession(CliContext& context);
void EndSession(CliContext& context);

// Opens a report of the working directory in the configured editor and waits;
// when the editor cannot be started, says where the report is.
void OpenReportInEditor(CliContext& context, std::string_view name);

}  // namespace quirovel
