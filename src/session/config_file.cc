#include "session/config_file.h"

#include <cstring>

#include "platform/cp1252.h"
#include "reference/install_paths.h"
#include "session/session.h"

namespace quirovel {
namespace {

bool ReadInto(File* file, ConfigRecord* record, Feedback& feedback) {
  std::array<unsigned char, ConfigRecord::kSize> bytes{};
  std::int64_t got = file != nullptr ? file->ReadAt(0, bytes.data(), bytes.size()) : -1;
  if (got < 0) {
    feedback.Message("Error al leer la configuración"_cp);
    return false;
  }
  std::memcpy(record->bytes().data(), bytes.data(), static_cast<std::size_t>(got));
  return true;
}

}  // namespace

bool SaveConfig(Session& s) {
  if (!s.config_file) return false;
  const auto& bytes = s.config.bytes();
  return s.config_file->WriteAt(0, bytes.data(), bytes.size()) ==
         static_cast<std::int64_t>(bytes.size());
}

bool ReloadConfig(Session& s) { return ReadInto(s.config_file.get(), &s.config, s.feedback); }

bool OpenConfigFile(Session& s) {
  const std::string path = s.paths.ToHost(kConfigFile);
  s.config_file = s.fs.Open(path, OpenMode::kReadWrite);
  if (!s.config_file && s.fs.Exists(path)) s.config_file = s.fs.Open(path, OpenMode::kRead);
  return s.config_file != nullptr;
}

bool LoadDefaultsFile(Session& s) {
  s.config_file.reset();
  // Read only: nothing is ever written to the defaults.
  std::unique_ptr<File> defaults = s.fs.Open(s.paths.ToHost(kDefaultsFile), OpenMode::kRead);
  const std::string code = s.config.HospitalCode();
  const std::string name = s.config.HospitalName();
  const std::string editor = s.config.EditorPath();
  bool read = ReadInto(defaults.get(), &s.config, s.feedback);
  defaults.reset();
  OpenConfigFile(s);
  s.config.SetHospitalCode(code);
  s.config.SetHospitalName(name);
  s.config.SetEditorPath(editor);
  return read;
}

}  // namespace quirovel
