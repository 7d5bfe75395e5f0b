// Where the program writes its reports: every report name is a bare name in
// the working directory of the configuration record.
#pragma once

#include <string>
#include <string_view>

namespace quirovel {

struct Session;

// Working directory + "\" + name, as stored ("C:\quirovel\trabajo\fallos.dat").
// The separator is always added, so a directory ending in "\" gives "\\".
std::string OutputPath(const Session& s, std::string_view name);

// The same file as a host path, under the installation root. A working
// directory that is itself a host path is joined with "/".
std::string OutputHostPath(const Session& s, std::string_view name);

}  // namespace quirovel
