// Tables and texts that an import or an export writes are built under a
// temporary name beside their target and renamed over it only when their
// header and their records agree: the target is the old file or a whole new
// one, never a table whose header counts records it does not hold.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace quirovel {

// target + ".tmp" (or ".tmp1", ".tmp2", ...): a name that no file holds yet,
// so that staging never replaces a file the user did not name.
std::string FreshTemporaryName(FileSystem& fs, const std::string& target);

// Flushes the staged table, checks that its header counts exactly `records`
// and that the file holds them, and renames it over target. False, with the
// staged file removed and the target untouched, otherwise.
bool CommitStagedTable(FileSystem& fs, const std::string& staged, const std::string& target,
                       std::uint32_t records);

// Flushes a staged text and renames it over target; false (staged removed) otherwise.
bool CommitStagedFile(FileSystem& fs, const std::string& staged, const std::string& target);

// Two host paths that name the same file once "." and ".." and repeated "/"
// are taken out (relative paths are taken from the current directory).
bool SameHostFile(const std::string& a, const std::string& b);

}  // namespace quirovel
