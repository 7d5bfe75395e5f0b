// quirovel import [TEXTFILE] [--structure TABLE.dbf] [--out NEW.dbf]
//   [--fixed | --separator C] [--delimiter C] [--header | --no-header]
//   [--date-format 1..6]: the text import with the current settings of the
// configuration, changed by the options given (and kept, as the dialog keeps
// them); --layout cmbd|cma imports with a saved layout and makes the new
// table the current file; --save-layout cmbd|cma keeps the settings as that
// layout without importing.
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/current_file_choice.h"
#include "app/cli/session_start.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "session/config_file.h"
#include "transfer/text_import_session.h"
#include "transfer/text_import_settings.h"

namespace quirovel {
namespace {

constexpr const char* kUsage =
    "Uso: quirovel import [FICHERO.txt] [--structure TABLA.dbf] [--out NUEVO.dbf]\n"
    "       [--fixed | --separator C] [--delimiter C] [--header | --no-header] [--date-format "
    "1..6]\n"
    "     quirovel import [FICHERO.txt] --layout cmbd|cma [--out NUEVO.dbf]\n"
    "     quirovel import [opciones] --save-layout cmbd|cma";

bool LayoutNamed(const std::string& name, ImportLayout* layout) {
  if (name == "cmbd") return *layout = ImportLayout::kSavedCmbd, true;
  if (name == "cma") return *layout = ImportLayout::kSavedCma, true;
  return false;
}

// One character of Windows-1252; "" (or a blank) is no delimiter.
bool OneCharacter(const std::string& argument, bool blank_allowed, std::string* stored) {
  const std::string text = Utf8ToCp1252(argument);
  if (text.empty() && blank_allowed) return *stored = " ", true;
  if (text.size() != 1 || (text[0] == ' ' && !blank_allowed)) return false;
  *stored = text;
  return true;
}

// What an option holds when it was not given ("" may be given: no delimiter).
constexpr const char* kNotGiven = "\x01";

struct Options {
  std::string text, structure, out, separator, delimiter = kNotGiven, date_format, layout,
                                               save_layout;
  bool fixed = false, header = false, no_header = false;
};

bool TakeOptions(std::vector<std::string>* args, Options* o) {
  return TakeOption(args, "--structure", &o->structure) && TakeOption(args, "--out", &o->out) &&
         TakeOption(args, "--separator", &o->separator) &&
         TakeOption(args, "--delimiter", &o->delimiter) &&
         TakeOption(args, "--date-format", &o->date_format) &&
         TakeOption(args, "--layout", &o->layout) &&
         TakeOption(args, "--save-layout", &o->save_layout) &&
         ((o->fixed = TakeFlag(args, "--fixed")), true) &&
         ((o->header = TakeFlag(args, "--header")), true) &&
         ((o->no_header = TakeFlag(args, "--no-header")), true) && args->size() <= 1;
}

// The options given over the settings; false after a message for a bad one.
bool Apply(CliContext& context, const Options& o, ImportSettings* s) {
  auto path = [&](const std::string& argument, std::string* stored) {
    if (argument.empty()) return true;
    *stored = StoredPathOf(context, argument);
    return !stored->empty();
  };
  if (!path(o.text, &s->text_file) || !path(o.structure, &s->structure_table) ||
      !path(o.out, &s->target_table))
    return false;
  if (!o.separator.empty()) {
    if (!OneCharacter(o.separator, false, &s->separator)) {
      context.feedback.Message("El separador es un solo caracter: " + Utf8ToCp1252(o.separator));
      return false;
    }
    s->fixed_length = 0;
  }
  if (o.fixed) s->fixed_length = 1;
  if (o.header) s->header_line = 1;
  if (o.no_header) s->header_line = 0;
  if (o.delimiter != kNotGiven && !OneCharacter(o.delimiter, true, &s->delimiter)) {
    context.feedback.Message("El delimitador es un solo caracter: " + Utf8ToCp1252(o.delimiter));
    return false;
  }
  if (!o.date_format.empty()) {
    if (o.date_format.size() != 1 || o.date_format[0] < '1' || o.date_format[0] > '6') {
      context.feedback.Message("Formato de fecha no valido (1 a 6): " + o.date_format);
      return false;
    }
    s->date_format = o.date_format;
  }
  return true;
}

}  // namespace

int ImportCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  Options o;
  ImportLayout layout = ImportLayout::kCurrent, save_into = ImportLayout::kCurrent;
  if (!TakeOptions(&args, &o) || (o.fixed && !o.separator.empty()) || (o.header && o.no_header) ||
      (!o.layout.empty() && !LayoutNamed(o.layout, &layout)) ||
      (!o.save_layout.empty() && !LayoutNamed(o.save_layout, &save_into)) ||
      (!o.layout.empty() && !o.save_layout.empty())) {
    context.feedback.Message(kUsage);
    return kExitUsage;
  }
  if (!args.empty()) o.text = args[0];
  if (!StartSession(context)) return kExitFailed;
  Session& s = context.session;
  ImportSettings settings = s.config.Import(layout);
  int code = kExitFailed;
  const std::string too_long =
      StrFormat("Una ruta no cabe en la configuración (máximo %d caracteres)"_cp,
                static_cast<int>(ConfigRecord::kPathSize - 1));
  if (!Apply(context, o, &settings)) {
    code = kExitUsage;
  } else if (!o.save_layout.empty()) {
    // "Guarda Especificación": the settings kept as the layout, nothing imported.
    if (!s.config.SetImport(save_into, settings)) {
      context.feedback.Message(too_long);
    } else if (RememberStructure(&s.config, settings.structure_table), SaveConfig(s)) {
      PrintLine(context.out, "Especificación guardada: "_cp + o.save_layout);
      code = kExitOk;
    } else {
      context.feedback.Message("Importar: Error al grabar la configuracion");
    }
  } else if (!s.fs.Exists(s.paths.ToHost(settings.text_file))) {
    context.feedback.Message("No existe el fichero de texto " + ShownPath(s, settings.text_file));
  } else if (layout == ImportLayout::kCurrent &&
             !s.config.SetImport(ImportLayout::kCurrent, settings)) {
    context.feedback.Message(too_long);
  } else {
    RememberStructure(&s.config, settings.structure_table);
    const TextImportResult result =
        layout == ImportLayout::kCurrent ? ImportTextFile(s) : ImportAndMakeCurrent(s, settings);
    PrintLine(context.out, StrFormat("Importado: %ld ", result.records));
    if (result.table_written) PrintLine(context.out, ShownPath(s, settings.target_table));
    if (result.end == TextImportEnd::kCompleted && result.table_written) code = kExitOk;
    if (result.end == TextImportEnd::kStopped) code = kExitCancelled;
  }
  EndSession(context);
  return code;
}

}  // namespace quirovel
