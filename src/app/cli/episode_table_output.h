// What the episode table commands share: the table printed as tab-separated
// UTF-8 text, and the choice of rows by --type, --service, --uncoded or
// --discharges.
#pragma once

#include <string>
#include <vector>

#include "analyses/episode_table.h"
#include "app/cli/command.h"

namespace quirovel {

// One header line with the 64 column names, then one line per row, each text
// without its trailing blanks and with control bytes escaped; false when an
// episode could no longer be read.
bool PrintEpisodeTable(CliContext& context, const EpisodeTable& table);

// Takes one of --type N, --service CODE, --uncoded CODE, --discharges CODE
// out of args. 1 when one was given, 0 when none, -1 (after a message) when
// several were or a value is wrong.
int TakeEpisodeSelection(CliContext& context, std::vector<std::string>* args, EpisodeQuery* query);

// Writes "TABLA.DBF" and says where; false when it was not written.
bool SaveAndTell(CliContext& context, const EpisodeTable& table);

}  // namespace quirovel
