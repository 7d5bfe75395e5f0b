#include "session/startup.h"

#include "platform/cp1252.h"
#include "platform/format.h"
#include "reference/config_defaults.h"
#include "reference/install_paths.h"
#include "session/catalogue_session.h"
#include "session/config_file.h"
#include "session/session.h"

namespace quirovel {
namespace {

void ReadOrCreateConfig(Session& s) {
  if (OpenConfigFile(s)) {
    s.config = ConfigRecord();  // a short file leaves the rest of the record zero
    ReloadConfig(s);
    // A record cut short (a full disk) would run with blank paths and
    // switches off, and its next save would make that permanent.
    if (const std::int64_t size = s.config_file->Size();
        size >= 0 && size < static_cast<std::int64_t>(ConfigRecord::kSize)) {
      s.feedback.Message(StrFormat("La configuración %s está incompleta (%lld de %zu bytes)"_cp,
                                   kConfigFile, static_cast<long long>(size), ConfigRecord::kSize));
      s.config_unreadable = true;
    }
    return;
  }
  s.config = NewConfigRecord();
  if (s.fs.Exists(s.paths.ToHost(kConfigFile))) {
    // A record that is there but cannot be read is not replaced by the
    // defaults: they would name another file and overwrite its reports.
    s.feedback.Message("No se puede leer la configuración "_cp + std::string(kConfigFile));
    s.config_unreadable = true;
    return;
  }
  s.feedback.Message("Creando registro");
  // Created only when missing: a file that exists but could not be opened is not emptied.
  s.config_file = s.fs.Open(s.paths.ToHost(kConfigFile), OpenMode::kReadWriteCreate);
  if (!s.config_file) return;  // runs with the defaults in memory; saves will say so
  if (!SaveConfig(s)) s.feedback.Message("Error al grabar la configuración"_cp);
}

}  // namespace

void LoadConfig(Session& s) {
  LoadReferenceTables(s.fs, s.feedback, s.paths, &s.references);
  ReadOrCreateConfig(s);
  const std::string current = s.config.CurrentPath();
  s.table.Close();
  if (!current.empty() && s.table.Open(s.paths.ToHost(current)) == 1) {
    AnalyseStructure(s);
    s.feedback.ShowRecordCount(static_cast<long>(s.table.record_count()));
  } else {
    AnalyseStructure(s);
  }
  OpenCieCatalogue(s);
  s.remembered_path = current;
  s.references.postal_codes.Open(s.fs, s.feedback, s.paths.ToHost(kPostalCodesFile));
}

void CloseConfig(Session& s) {
  s.table.Close();
  s.catalogue.Close();
  s.config_file.reset();
  s.references.postal_codes.Close();
  s.references.hospitals.Clear();
  s.references.occupations.Clear();
}

}  // namespace quirovel
