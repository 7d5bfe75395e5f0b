// Where the program writes its reports: every report name is a bare name in
// the working directory of the configuration record.
#pragma once

#include <string>
#include <string_view>

#include "platform/host_paths.h"
#include "reference/config_record.h"

namespace quirovel {

// Working directory + "\" + name, as stored ("C:\quirovel\trabajo\fallos.dat").
// The separator is always added, so a directory ending in "\" gives "\\".
std::string OutputPath(const ConfigRecord& config, std::string_view name);

// The same file as a host path, under the installation root. A working
// directory that is itself a host path is joined with "/".
std::string OutputHostPath(const ConfigRecord& config, const HostPaths& paths,
                           std::string_view name);

}  // namespace quirovel
