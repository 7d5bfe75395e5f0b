#include "app/cli/import_settings_keys.h"

#include "app/cli/current_file_choice.h"
#include "platform/cp1252.h"
#include "session/config_file.h"

namespace quirovel {

bool SetImportKey(CliContext& context, const std::string& key, const std::string& value,
                  int* code) {
  const std::size_t dot = key.find('.');
  if (dot == std::string::npos) return false;
  const std::string place = key.substr(0, dot), field = key.substr(dot + 1);
  ImportLayout layout;
  if (place == "import")
    layout = ImportLayout::kCurrent;
  else if (place == "saved-cmbd")
    layout = ImportLayout::kSavedCmbd;
  else if (place == "saved-cma")
    layout = ImportLayout::kSavedCma;
  else
    return false;
  Session& s = context.session;
  ImportSettings settings = s.config.Import(layout);
  const std::string text = Utf8ToCp1252(value);
  auto flag = [&](std::int32_t* into) {
    if (value == "1" || value == "on" || value == "yes") return *into = 1, true;
    if (value == "0" || value == "off" || value == "no") return *into = 0, true;
    return false;
  };
  auto path = [&](std::string* into) {
    *into = StoredPathOf(context, value);
    return !into->empty();
  };
  bool valid = false;
  if (field == "text-file") {
    valid = path(&settings.text_file);
  } else if (field == "structure-table") {
    valid = path(&settings.structure_table);
  } else if (field == "target-table") {
    valid = path(&settings.target_table);
  } else if (field == "date-format") {
    valid = text.size() == 1 && text[0] >= '1' && text[0] <= '6';
    settings.date_format = text;
  } else if (field == "separator" || field == "delimiter") {
    // A blank delimiter is no delimiter; the separator "n" means fixed lengths.
    valid = text.size() == 1 || (text.empty() && field == "delimiter");
    (field == "separator" ? settings.separator : settings.delimiter) = text.empty() ? " " : text;
  } else if (field == "header-line") {
    valid = flag(&settings.header_line);
  } else if (field == "fixed-length") {
    valid = flag(&settings.fixed_length);
  } else {
    return false;
  }
  if (!valid) {
    context.feedback.Message("Valor no valido para " + key + ": " + text);
    *code = kExitUsage;
  } else if (!s.config.SetImport(layout, settings)) {
    context.feedback.Message("La ruta " + text + " no cabe en la configuración"_cp);
    *code = kExitUsage;
  } else if (!SaveConfig(s)) {
    context.feedback.Message("Importar: Error al grabar la configuracion");
    *code = kExitFailed;
  } else {
    *code = kExitOk;
  }
  return true;
}

}  // namespace quirovel
