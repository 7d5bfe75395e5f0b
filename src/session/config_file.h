// "Quirovel.dat", the configuration record on disk: written whole at offset 0,
// read back whole, and the installation's defaults in "Quiroveldef.dat".
#pragma once

namespace quirovel {

struct Session;

// Writes the 2460 bytes at offset 0 of the open configuration file. False
// when fewer were written (or no file is open); the caller shows its own message.
bool SaveConfig(Session& s);

// Reads the open configuration file back into the record. A read error shows
// "Error al leer la configuración" and leaves the record as it was; a short
// file replaces only the beginning of the record.
bool ReloadConfig(Session& s);

// "Por defecto": everything from "Quiroveldef.dat" except the own hospital's
// code and name and the editor path, which are kept. The file is only read; the
// defaults reach "Quirovel.dat" at the next save. False when the defaults file
// could not be read (after "Error al leer la configuración"; the record is unchanged).
bool LoadDefaultsFile(Session& s);

// Opens "Quirovel.dat" for reading and writing into s.config_file; false when
// it cannot be opened. A file that exists but may only be read is opened for
// reading, so its settings are not lost and later saves fail with their messages.
bool OpenConfigFile(Session& s);

}  // namespace quirovel
