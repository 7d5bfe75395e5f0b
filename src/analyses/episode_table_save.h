// "disco": the episode table saved as the dBase table "TABLA.DBF" of the
// working directory, with the 63 fields of the CMBD-A layout.
#pragma once

namespace quirovel {

struct Session;
class EpisodeTable;

// One record per row, field i holding the text of column i - 1 right-aligned
// in the field's width (a longer text cut). Refused, after "El fichero
// TABLA.DBF está utilizandose en la detección.", when it is the current file.
// The table is written under a temporary name and renamed when whole: a
// failure leaves the last "TABLA.DBF" as it was.
bool SaveEpisodeTable(Session& s, const EpisodeTable& table);

}  // namespace quirovel
