// quirovel init [--kit DIR]: a new installation under the root, from the
// sample kit, without overwriting anything the hospital already has; then
// the first start, which creates "Quirovel.dat".
#include <unistd.h>

#include <cstdlib>
#include <ostream>

#include "app/cli/session_start.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "reference/config_defaults.h"
#include "reference/install_paths.h"

namespace quirovel {
namespace {

std::string ExecutableDirectory() {
  char buffer[4096];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return {};
  std::string path(buffer, static_cast<std::size_t>(n));
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The kit beside the program (a build tree), the one $QUIROVEL_KIT names, or
// the one installed with the program (PREFIX/share/quirovel/kit).
std::string DefaultKit(FileSystem& fs) {
  std::string beside = ExecutableDirectory() + "/kit";
  if (fs.IsDirectory(beside)) return beside;
  if (const char* env = std::getenv("QUIROVEL_KIT"); env != nullptr && *env != '\0') return env;
  std::string installed = ExecutableDirectory() + "/../share/quirovel/kit";
  if (fs.IsDirectory(installed)) return installed;
  return {};
}

struct CopyCount {
  long copied = 0, kept = 0, repaired = 0, failed = 0;
};

// A file of the kit already in the installation is left as it is, even when
// the hospital has changed it, unless it is the kit's file cut short (empty,
// or its beginning only: a full disk or an interrupted copy). Nothing is lost
// by replacing such a file, and keeping it would give wrong answers later.
bool IsCutShortCopy(FileSystem& fs, const std::string& source, const std::string& target) {
  std::string kit, installed;
  if (!ReadWholeFile(fs, target, &installed) || !ReadWholeFile(fs, source, &kit)) return false;
  return installed.size() < kit.size() && kit.compare(0, installed.size(), installed) == 0;
}

// Copies the kit's tree (host directory `from`, stored prefix `stored`) into
// the installation, resolving each name as the installation already spells it.
void CopyTree(Session& s, const std::string& from, const std::string& stored, CopyCount* count) {
  for (const std::string& name : s.fs.List(from)) {
    const std::string source = from + "/" + name;
    const std::string target_stored = stored + "\\" + Utf8ToCp1252(name);
    const std::string target = s.paths.ToHost(target_stored);
    if (s.fs.IsDirectory(source)) {
      s.fs.MakeDirectories(target);
      CopyTree(s, source, target_stored, count);
      continue;
    }
    const bool repair = s.fs.Exists(target) && IsCutShortCopy(s.fs, source, target);
    if (s.fs.Exists(target) && !repair) {
      ++count->kept;
      continue;
    }
    std::string bytes;
    if (!ReadWholeFile(s.fs, source, &bytes) || !WriteWholeFile(s.fs, target, bytes)) {
      s.feedback.Message(StrFormat("No se pudo copiar %s en %s", source.c_str(), target.c_str()));
      ++count->failed;
      continue;
    }
    if (repair) {
      s.feedback.Message(StrFormat("Reparado %s: estaba incompleto", target.c_str()));
      ++count->repaired;
    } else {
      ++count->copied;
    }
  }
}

}  // namespace

int InitCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  std::string kit;
  if (!TakeOption(&args, "--kit", &kit) || !args.empty()) {
    context.feedback.Message("Uso: quirovel init [--kit DIR]");
    return kExitUsage;
  }
  Session& s = context.session;
  const bool kit_given = !kit.empty();
  if (!kit_given) kit = DefaultKit(s.fs);
  if (kit_given && !s.fs.IsDirectory(kit)) {
    context.feedback.Message(StrFormat("No existe el directorio del kit %s", kit.c_str()));
    return kExitFailed;
  }
  // An installation without its reference files and catalogue would only
  // fail later, file by file: nothing is created.
  if (kit.empty()) {
    context.feedback.Message(StrFormat(
        "No se encuentra el kit de instalación (ni %s/kit, ni QUIROVEL_KIT, ni share/quirovel/kit): indíquelo con --kit DIR"_cp,
        ExecutableDirectory().c_str()));
    return kExitFailed;
  }
  if (!s.fs.MakeDirectories(s.paths.root())) {
    context.feedback.Message(
        StrFormat("No se pudo crear el directorio de instalación %s"_cp, s.paths.root().c_str()));
    return kExitFailed;
  }
  CopyCount count;
  CopyTree(s, kit, "C:", &count);
  s.fs.MakeDirectories(s.paths.ToHost(kInstallDirectory));
  s.fs.MakeDirectories(s.paths.ToHost(kFixedWorkDirectory));
  const std::string defaults = s.paths.ToHost(kDefaultsFile);
  if (!s.fs.Exists(defaults)) {
    const ConfigRecord record = NewConfigRecord();
    const auto& bytes = record.bytes();
    if (!WriteWholeFile(s.fs, defaults, std::string(bytes.begin(), bytes.end()))) ++count.failed;
  }
  for (const char* stored : {kConfigFile, kDefaultsFile}) {
    const std::string path = s.paths.ToHost(stored);
    std::size_t size = 0;
    switch (CompleteRecordFile(s.fs, path, &size)) {
      case RecordFileState::kWhole:
        break;
      case RecordFileState::kCompleted:
        s.feedback.Message(StrFormat(
            "Reparado %s: tenía %zu de %zu bytes; el resto, con los valores por defecto"_cp,
            path.c_str(), size, ConfigRecord::kSize));
        ++count.repaired;
        break;
      case RecordFileState::kFailed:
        s.feedback.Message(StrFormat("No se pudo reparar %s", path.c_str()));
        ++count.failed;
        break;
    }
  }
  if (!StartSession(context)) return kExitFailed;
  EndSession(context);
  context.out << "Instalación en " << s.paths.root() << ": " << count.copied
              << " ficheros copiados, " << count.kept << " ya existían";
  if (count.repaired > 0) context.out << ", " << count.repaired << " reparados";
  context.out << "\n";
  return count.failed == 0 ? kExitOk : kExitFailed;
}

}  // namespace quirovel
