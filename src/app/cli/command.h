// The commands of the `quirovel` program. Each command lives in its own file
// and is listed once in command_table.cc.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "app/cli/cli_feedback.h"
#include "session/session.h"

namespace quirovel {

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the operation stopped on a failure
inline constexpr int kExitUsage = 2;
inline constexpr int kExitCancelled = 130;  // stopped by Ctrl-C, files left consistent

struct CliContext {
  Session& session;
  CliFeedback& feedback;
  std::ostream& out;  // UTF-8 text, or raw bytes where a command says so
};

struct Command {
  const char* name;
  const char* usage;    // one line, after "quirovel [--root DIR] "
  const char* summary;  // one line, Spanish
  int (*run)(CliContext& context, const std::vector<std::string>& args);
  const char* details = nullptr;  // more lines for `quirovel help NAME`, or none
};

const std::vector<Command>& Commands();

// Runs the whole program as `quirovel` would with these arguments (argv[0]
// excluded), writing to out and err. Used by main and by the tests.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Parses "--name VALUE" options out of args; false on a missing value.
bool TakeOption(std::vector<std::string>* args, const std::string& name, std::string* value);
bool TakeFlag(std::vector<std::string>* args, const std::string& name);

// A file named on the command line: "C:\..." through the installation's root,
// anything else as a host path.
std::string HostPathOf(const Session& session, const std::string& argument);

// Commands print UTF-8; the program's texts are Windows-1252, with host file
// names in them as the user's own bytes (DisplayTextToUtf8).
void PrintLine(std::ostream& out, std::string_view cp1252_text);

// "mensual", "trimestral" or "cma" as a test type; false, after a message
// naming the bad value and the good ones, for anything else.
bool ParseTestType(CliContext& context, const std::string& text, int* test_type);

// A date option written DD/MM/AAAA, as AAAAMMDD in `date`; false, after a
// message naming the option and the bad text, for anything that is not a real
// calendar date.
bool ParseDateArgument(CliContext& context, const std::string& option, const std::string& text,
                       std::string* date);

// A stored path as the user is shown it, for messages: the host path a shell
// can open (the user's bytes), then the stored "C:\..." form in brackets.
std::string ShownPath(const Session& session, const std::string& stored);

}  // namespace quirovel
