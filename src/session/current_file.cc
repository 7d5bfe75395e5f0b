#include "session/current_file.h"

#include "platform/cp1252.h"
#include "platform/format.h"
#include "session/config_file.h"
#include "session/session.h"

namespace quirovel {
namespace {

bool HasExtension(std::string_view path, std::string_view upper) {
  std::size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos) return false;
  std::string_view ext = path.substr(dot + 1);
  if (ext.size() != upper.size()) return false;
  for (std::size_t i = 0; i < ext.size(); ++i) {
    char c = ext[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != upper[i]) return false;
  }
  return true;
}

}  // namespace

bool HasDbfExtension(std::string_view path) { return HasExtension(path, "DBF"); }
bool HasTxtExtension(std::string_view path) { return HasExtension(path, "TXT"); }

void RememberCurrentFile(Session& s) {
  const std::string current = s.config.CurrentPath();
  if (current == s.remembered_path) return;
  s.config.SetErrorCount(0);
  s.remembered_path = current;
}

bool ChooseDbfFile(Session& s, std::string_view stored_path) {
  const ConfigRecord before = s.config;
  if (!s.config.SetCurrentPath(stored_path)) {
    s.feedback.Message(StrFormat("La ruta %s no cabe en la configuración (máximo %d caracteres)"_cp,
                                 std::string(stored_path).c_str(),
                                 static_cast<int>(ConfigRecord::kPathSize - 1)));
    return false;
  }
  s.config.SetErrorCount(0);
  s.config.SetLastRunDate("...");
  if (!SaveConfig(s)) {
    // The stored file is still the current one: so is the one in memory.
    s.feedback.Message("Error al grabar la configuracion");
    s.config = before;
    return false;
  }
  s.remembered_path = s.config.CurrentPath();
  s.run.ResetCounters();
  s.feedback.ShowActivity("");
  s.table.Close();
  if (s.table.Open(s.paths.ToHost(stored_path)) == 1)
    s.feedback.ShowRecordCount(static_cast<long>(s.table.record_count()));
  AnalyseStructure(s);
  s.feedback.ShowInfo("");
  s.feedback.ShowStatus("");
  return true;
}

}  // namespace quirovel
