// Whole-file operations on dBase tables: create one from field definitions,
// copy a structure into a new empty table, read a table's record count.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/feedback.h"
#include "platform/file_system.h"

namespace quirovel {

// Creates (or empties) the table at path with the given definitions and no
// records. False when the file could not be created or written whole (after
// the message of each part that failed).
bool Create(FileSystem& fs, Feedback& feedback, const std::vector<std::string_view>& definitions,
            const std::string& path);

// 1 after copying (even when the structure had no terminator), 0 when nothing
// was copied or the target could not be written whole (after a message).
int CopyStructure(FileSystem& fs, Feedback& feedback, const std::string& source,
                  const std::string& target);

// The record count of the header, or nothing (after "Error al abrir fichero")
// when the file cannot be opened or has no complete header.
std::optional<std::uint32_t> RecordCountOf(FileSystem& fs, Feedback& feedback,
                                           const std::string& path);

}  // namespace quirovel
