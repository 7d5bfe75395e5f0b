#include "output/edit_report.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "output/output_path.h"

extern char** environ;

namespace quirovel {

int RunProgramAndWait(const std::string& program, const std::vector<std::string>& argv) {
  if (program.empty()) return -1;
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  const bool bare = program.find('/') == std::string::npos;
  int rc = bare ? ::posix_spawnp(&pid, program.c_str(), nullptr, nullptr, args.data(), environ)
                : ::posix_spawn(&pid, program.c_str(), nullptr, nullptr, args.data(), environ);
  if (rc != 0) return -1;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

EditOutcome EditReport(const ConfigRecord& config, const HostPaths& paths, FileSystem& fs,
                       std::string_view name) {
  EditOutcome outcome;
  outcome.report_path = OutputHostPath(config, paths, name);
  const std::string stored = config.EditorPath();
  // A configured bare name ("gedit") is looked up in PATH; any path is used as it stands.
  const bool bare = stored.find('\\') == std::string::npos && stored.find('/') == std::string::npos;
  const std::string program = paths.ToHost(stored);
  std::string program_name = config.EditorProgram();
  if (program_name.empty()) program_name = program;
  if (!bare && !fs.Exists(program)) return outcome;
  int status = RunProgramAndWait(program, {program_name, outcome.report_path});
  outcome.started = status >= 0;
  outcome.exit_status = status;
  return outcome;
}

}  // namespace quirovel
