// The program's start and end: everything a session holds is loaded here in
// a fixed order, and closed at the end.
#pragma once

namespace quirovel {

struct Session;

// In order: the reference tables; "Quirovel.dat" read, or created with the
// defaults ("Creando registro") when it does not exist (one that exists but
// cannot be opened sets config_unreadable, and the defaults stay in memory); the current CMBD-A
// table (and its field map); the CIE-9-MC catalogue of the configured version with its sample
// index; the current path remembered; the postal code table.
void LoadConfig(Session& s);

// Closes the current table and the catalogue, "Quirovel.dat" and the postal
// code table, and frees the code lists.
void CloseConfig(Session& s);

}  // namespace quirovel
