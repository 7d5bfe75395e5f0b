// Opens a report of the working directory in the configured text editor and
// waits until the editor exits. The editor is started directly, without a
// shell: its program name first, the report's full path second.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/host_paths.h"
#include "reference/config_record.h"

namespace quirovel {

struct EditOutcome {
  bool started = false;     // the editor ran (whatever it returned)
  int exit_status = -1;     // its exit status when it ended normally
  std::string report_path;  // the host path handed to it
};

// A report that does not exist is handed to the editor all the same. When the
// editor cannot be started nothing is shown; the caller may say where the
// report is.
EditOutcome EditReport(const ConfigRecord& config, const HostPaths& paths, FileSystem& fs,
                       std::string_view name);

// Starts program (a path, or a bare name looked up in PATH) with these
// arguments, argv[0] first, and waits for it. -1 when it could not be started,
// else its exit status (128 + signal when a signal ended it).
int RunProgramAndWait(const std::string& program, const std::vector<std::string>& argv);

}  // namespace quirovel
