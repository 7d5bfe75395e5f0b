// The content of a new configuration record, as start-up writes it when
// "Quirovel.dat" does not exist and as "Quiroveldef.dat" is installed.
#pragma once

#include <string>

#include "platform/file_system.h"
#include "reference/config_record.h"

namespace quirovel {

inline constexpr const char* kDefaultHospitalName = "Hospital General de Quirovel";
inline constexpr const char* kDefaultHospitalCode = "02012";
inline constexpr const char* kDefaultCurrentPath = "C:\\Quirovel\\trabajo\\Ctprueba.dbf";
inline constexpr const char* kDefaultEditorPath =
    "C:\\Archivos de programa\\Accesorios\\WORDPAD.EXE";
inline constexpr const char* kDefaultEditorProgram = "WORDPAD.EXE";
inline constexpr const char* kDefaultHistoryFile = "cmbdhist.dbf";
inline constexpr int kDefaultVersionYear = 2002;

// Every default; the saved import layouts, the recent-structures list and
// all padding are zero.
ConfigRecord NewConfigRecord();

enum class RecordFileState { kWhole, kCompleted, kFailed };

// A record file shorter than a record (a full disk, a copy cut short) has
// what it lacks filled with the defaults' bytes, so the settings it holds
// are kept and the rest is not read as zeros. Written under a temporary name
// and renamed; nothing is done to a file that is whole or missing.
RecordFileState CompleteRecordFile(FileSystem& fs, const std::string& path,
                                   std::size_t* found_size);

}  // namespace quirovel
