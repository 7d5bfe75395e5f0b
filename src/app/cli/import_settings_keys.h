// `quirovel config set import.KEY VALUE` (and saved-cmbd.KEY, saved-cma.KEY):
// the import settings as the import dialog would store them, with the keys
// that `config show` prints.
#pragma once

#include <string>

#include "app/cli/command.h"

namespace quirovel {

// False when the key is not an import key. Otherwise *code is the exit code
// after the setting was stored and the record saved (or the message that
// says why not).
bool SetImportKey(CliContext& context, const std::string& key, const std::string& value, int* code);

}  // namespace quirovel
