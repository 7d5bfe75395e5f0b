// quirovel report NAME [--raw]: a report of the working directory on standard
// output, in UTF-8 with plain line ends, or with --raw as the bytes on disk
// (Windows-1252, CR LF, form feeds).
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/session_start.h"
#include "output/output_path.h"
#include "platform/cp1252.h"
#include "reference/install_paths.h"
#include "session/config_file.h"

namespace quirovel {
namespace {

// Reports are bare file names: anything that could leave the directory is refused.
bool IsBareName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\:") == std::string::npos && name.find('\0') == std::string::npos;
}

}  // namespace

int ReportCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  const bool raw = TakeFlag(&args, "--raw");
  if (args.size() != 1 || !IsBareName(args[0])) {
    context.feedback.Message(
        "Uso: quirovel report NOMBRE [--raw]   (NOMBRE: un informe del directorio de trabajo)");
    return kExitUsage;
  }
  Session& s = context.session;
  if (!InstallationPresent(context)) return kExitFailed;
  // Only the working directory is needed: no tables are opened.
  if (!OpenConfigFile(s) || !ReloadConfig(s) || s.config.WorkDirectory().empty())
    s.config.SetWorkDirectory(kFixedWorkDirectory);
  const std::string name = Utf8ToCp1252(args[0]);
  const std::string path = OutputHostPath(s, name);
  std::string bytes;
  if (s.fs.IsDirectory(path) || !ReadWholeFile(s.fs, path, &bytes)) {
    context.feedback.Message("No existe el informe " + OutputPath(s, name));
    return kExitFailed;
  }
  if (raw) {
    context.out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return kExitOk;
  }
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
      text.push_back(bytes[i]);
  context.out << Cp1252ToUtf8(text);
  return kExitOk;
}

}  // namespace quirovel
