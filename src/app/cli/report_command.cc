// quirovel report [NAME] [--raw]: a report of the working directory on
// standard output, in UTF-8 with plain line ends, or with --raw as the bytes on
// disk (Windows-1252, CR LF, form feeds). Without a name, the reports there.
// Reports are read in blocks: a run of millions of episodes writes hundreds of
// megabytes to "errores.txt".
#include <algorithm>
#include <cctype>
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/session_start.h"
#include "output/output_path.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "reference/install_paths.h"
#include "session/config_file.h"

namespace quirovel {
namespace {

constexpr const char* kUsage =
    "Uso: quirovel report [NOMBRE] [--raw]   (NOMBRE: un informe del directorio de trabajo)";

// Reports are bare file names: anything that could leave the directory is refused.
bool IsBareName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\:") == std::string::npos && name.find('\0') == std::string::npos;
}

bool EndsWith(const std::string& text, const std::string& end) {
  if (text.size() < end.size()) return false;
  return std::equal(end.rbegin(), end.rend(), text.rbegin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

// The error log and the tables are not text.
bool IsBinary(const std::string& name) { return EndsWith(name, ".dat") || EndsWith(name, ".dbf"); }

int ListReports(CliContext& context) {
  const Session& s = context.session;
  // The directory as the reports' own paths resolve it.
  const std::string any = OutputHostPath(s, "x");
  const std::string directory = any.substr(0, any.size() - 2);
  std::vector<std::string> names = s.fs.List(directory);
  std::sort(names.begin(), names.end());
  context.out << "Informes en " << directory << ":\n";
  for (const std::string& name : names)
    if (EndsWith(name, ".txt")) context.out << "  " << name << "\n";
  return kExitOk;
}

// The file in blocks; without `raw`, each CR before an LF dropped and the
// text turned into UTF-8.
bool Stream(File& file, bool raw, std::ostream& out) {
  std::string block(1 << 16, '\0');
  bool carried_cr = false;  // a CR that ended the last block
  for (std::uint64_t offset = 0;;) {
    const std::int64_t got = file.ReadAt(offset, block.data(), block.size());
    if (got < 0) return false;
    if (got == 0) break;
    offset += static_cast<std::uint64_t>(got);
    std::string_view bytes(block.data(), static_cast<std::size_t>(got));
    if (raw) {
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      continue;
    }
    std::string text;
    text.reserve(bytes.size() + 1);
    if (carried_cr && bytes.front() != '\n') text.push_back('\r');
    carried_cr = bytes.back() == '\r';
    if (carried_cr) bytes.remove_suffix(1);
    for (std::size_t i = 0; i < bytes.size(); ++i)
      if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
        text.push_back(bytes[i]);
    out << Cp1252ToUtf8(text);
  }
  if (carried_cr) out << '\r';
  return true;
}

}  // namespace

int ReportCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  const bool raw = TakeFlag(&args, "--raw");
  if (args.size() > 1 || (args.size() == 1 && !IsBareName(args[0]))) {
    context.feedback.Message(kUsage);
    return kExitUsage;
  }
  Session& s = context.session;
  if (!InstallationPresent(context)) return kExitFailed;
  // Only the working directory is needed: no tables are opened.
  if (!OpenConfigFile(s) || !ReloadConfig(s) || s.config.WorkDirectory().empty())
    s.config.SetWorkDirectory(kFixedWorkDirectory);
  if (args.empty()) return ListReports(context);

  std::string name = Utf8ToCp1252(args[0]);
  // "resumen" is "resumen.txt" when only the latter exists.
  if (!s.fs.Exists(OutputHostPath(s, name)) && s.fs.Exists(OutputHostPath(s, name + ".txt")))
    name += ".txt";
  const std::string path = OutputHostPath(s, name);
  std::unique_ptr<File> file = s.fs.IsDirectory(path) ? nullptr : s.fs.Open(path, OpenMode::kRead);
  if (!file) {
    context.feedback.Message("No existe el informe " + ShownPath(s, OutputPath(s, name)));
    return kExitFailed;
  }
  if (!raw && IsBinary(name)) {
    context.feedback.Message(name + " no es un informe de texto: use --raw para sus bytes");
    return kExitUsage;
  }
  if (!Stream(*file, raw, context.out)) {
    context.feedback.Message("Error al leer " + OutputPath(s, name));
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace quirovel
