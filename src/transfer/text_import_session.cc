#include "transfer/text_import_session.h"

#include "platform/cp1252.h"
#include "platform/format.h"
#include "session/config_file.h"
#include "session/current_file.h"
#include "session/session.h"
#include "transfer/transfer_staging.h"

namespace quirovel {
namespace {

constexpr const char* kSaveFailed = "Importar: Error al grabar la configuracion";

// The new table becomes the current file, as "Fichero" would make it, but
// the errors of the last run are forgotten only when the path changed.
void MakeCurrent(Session& s, const std::string& stored) {
  if (!s.config.SetCurrentPath(stored)) return;
  RememberCurrentFile(s);
  if (!SaveConfig(s)) s.feedback.Message(kSaveFailed);
  s.feedback.ShowActivity("");
  s.table.Close();
  if (s.table.Open(s.paths.ToHost(stored)) == 1)
    s.feedback.ShowRecordCount(static_cast<long>(s.table.record_count()));
  AnalyseStructure(s);
}

}  // namespace

TextImportResult ImportTextFile(Session& s) {
  if (!SaveConfig(s)) s.feedback.Message(kSaveFailed);
  const ImportSettings settings = s.config.Import(ImportLayout::kCurrent);
  TextImportJob job;
  job.options = OptionsFrom(settings);
  job.header_line = settings.header_line != 0;
  job.text_path = s.paths.ToHost(settings.text_file);
  job.structure_path = s.paths.ToHost(settings.structure_table);
  job.target_path = s.paths.ToHost(settings.target_table);
  TextImportResult result;
  const std::string current = s.config.CurrentPath();
  if (settings.target_table == current ||
      (!current.empty() && SameHostFile(job.target_path, s.paths.ToHost(current)))) {
    s.feedback.Message(StrFormat("El fichero destino %s está siendo usado para la detección"_cp,
                                 settings.target_table.c_str()));
    return result;
  }
  // Importing over its own text or structure would destroy what it reads.
  if (SameHostFile(job.target_path, job.text_path) ||
      SameHostFile(job.target_path, job.structure_path)) {
    s.feedback.Message(StrFormat(
        "El fichero destino %s es el fichero de texto o el de la estructura: no se importa"_cp,
        settings.target_table.c_str()));
    return result;
  }
  result = RunTextImport(s.fs, s.feedback, job);
  s.feedback.ShowStatus(StrFormat("Importado: %ld ", result.records));
  return result;
}

TextImportResult ImportAndMakeCurrent(Session& s, const ImportSettings& settings) {
  if (!s.config.SetImport(ImportLayout::kCurrent, settings)) {
    s.feedback.Message(StrFormat("La ruta %s no cabe en la configuración (máximo %d caracteres)"_cp,
                                 settings.target_table.c_str(),
                                 static_cast<int>(ConfigRecord::kPathSize - 1)));
    return {};
  }
  TextImportResult result = ImportTextFile(s);
  if (result.table_written) MakeCurrent(s, settings.target_table);
  return result;
}

TextImportResult ImportWithSavedLayout(Session& s, ImportLayout saved) {
  return ImportAndMakeCurrent(s, s.config.Import(saved));
}

bool SaveImportLayout(Session& s, ImportLayout saved) {
  s.config.SetImport(saved, s.config.Import(ImportLayout::kCurrent));
  if (SaveConfig(s)) return true;
  s.feedback.Message(kSaveFailed);
  return false;
}

}  // namespace quirovel
