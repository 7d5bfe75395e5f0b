// Choosing the current CMBD-A file from the command line, as "Fichero" does:
// shared by `open` and `detect FILE`.
#pragma once

#include <string>

#include "app/cli/command.h"

namespace quirovel {

// A host path given on the command line made absolute from the working directory.
std::string AbsoluteHostPath(const std::string& argument);

// The argument as the configuration stores it: a "C:\..." path as given, a
// host path under the installation root in its "C:\..." form, any other host
// path made absolute. Empty, after a message, for a name Windows-1252 cannot
// hold.
std::string StoredPathOf(CliContext& context, const std::string& argument);

// Refuses what is not a dBase table (after its message), or an empty path:
// kExitUsage, else kExitOk.
int CheckIsTable(CliContext& context, const std::string& stored);

// Makes the table the current file; the session must be started. kExitOk, or
// kExitFailed after the message when it is missing or cannot be chosen.
int ChooseCurrentFile(CliContext& context, const std::string& stored);

}  // namespace quirovel
