// quirovel config show | set KEY VALUE | defaults: the configuration page.

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <ostream>

#include "app/cli/current_file_choice.h"
#include "app/cli/import_settings_keys.h"
#include "app/cli/session_start.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "reference/config_page.h"
#include "session/config_file.h"
#include "session/config_page_actions.h"
#include "validation/cmbd_layout.h"
#include "validation/error_catalogue.h"

namespace quirovel {
namespace {

constexpr const char* kUsage =
    "Uso: quirovel config show | config set CLAVE VALOR | config defaults | config hospitals "
    "[TEXTO]\n"
    "Claves: hospital NOMBRE, version 1988|1992|1997|1999|2002|2004|2006, editor RUTA,\n"
    "  history FICHERO, group-after-test on|off, printer-scale N,\n"
    "  completeness all|none|CAMPO,CAMPO...|+CAMPO|-CAMPO,\n"
    "  errors.E201 XX- (Mensual Trimestral CMA), errors.E201.cma on|off (E201 o all),\n"
    "  import.KEY, saved-cmbd.KEY, saved-cma.KEY VALOR (KEY: text-file, structure-table,\n"
    "  target-table, date-format 1..6, separator C, delimiter C, header-line on|off,\n"
    "  fixed-length on|off)";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Marks(const ConfigRecord& r, int e) {
  std::string m;
  for (int t = 0; t < 3; ++t) m += r.ErrorEnabled(e, t) ? 'X' : '-';
  return m;
}

// Names of the fields k (1..63) for which has(k - 1 + first) holds, comma-separated.
std::string FieldList(const ConfigRecord& r, bool (ConfigRecord::*has)(int) const, int first) {
  std::string list;
  for (int k = 1; k <= kCmbdFieldCount; ++k) {
    if (!(r.*has)(k - 1 + first)) continue;
    if (!list.empty()) list.push_back(',');
    list.append(CmbdFieldName(k));
  }
  return list;
}

void ShowImport(std::ostream& out, const std::string& prefix, const ConfigRecord& r,
                ImportLayout l) {
  ImportSettings saved = r.Import(l);
  PrintLine(out, prefix + ".text-file: " + saved.text_file);
  PrintLine(out, prefix + ".date-format: " + saved.date_format);
  PrintLine(out, prefix + ".target-table: " + saved.target_table);
  PrintLine(out, prefix + ".delimiter: " + Quoted(saved.delimiter));
  PrintLine(out, prefix + ".separator: " + Quoted(saved.separator));
  PrintLine(out, prefix + ".structure-table: " + saved.structure_table);
  PrintLine(out, prefix + ".header-line: " + std::to_string(saved.header_line));
  PrintLine(out, prefix + ".fixed-length: " + std::to_string(saved.fixed_length));
}

void Show(std::ostream& out, const ConfigRecord& r) {
  auto line = [&](const std::string& key, const std::string& value) {
    PrintLine(out, key + ": " + value);
  };
  line("marker", std::to_string(r.Int(ConfigRecord::kFirstInt)));
  line("current-path", r.CurrentPath());
  line("hospital-code", r.HospitalCode());
  line("hospital", r.HospitalName());
  line("work-directory", r.WorkDirectory());
  line("editor", r.EditorPath());
  line("editor-program", r.EditorProgram());
  line("error-count", std::to_string(r.ErrorCount()));
  // Marks are 1-based field numbers: byte 704 + k.
  line("fields-with-errors", FieldList(r, &ConfigRecord::FieldMarked, 1));
  line("unused-772", std::to_string(r.Int(ConfigRecord::kUnused772)));
  line("unused-776", std::to_string(r.Int(ConfigRecord::kUnused776)));
  ShowImport(out, "import", r, ImportLayout::kCurrent);
  line("history", r.HistoryFile());
  line("version", std::to_string(r.VersionYear()));
  line("recent-next", std::to_string(r.RecentNext()));
  line("field-colour", StrFormat("%d %d %d", r.FieldColour(0), r.FieldColour(1), r.FieldColour(2)));
  line("colour-step", StrFormat("%d %d %d", r.ColourStep(0), r.ColourStep(1), r.ColourStep(2)));
  for (int i = 0; i < ConfigRecord::kRecentSlots; ++i)
    line("recent-structure." + std::to_string(i + 1), r.RecentStructure(i));
  line("completeness", FieldList(r, &ConfigRecord::CompletenessField, 0));
  line("completeness-flag-64", r.CompletenessField(63) ? "X" : " ");
  line("last-run", r.LastRunDate());
  line("group-after-test", std::to_string(r.Int(ConfigRecord::kGroupAfterTest)));
  line("unused-1820", std::to_string(r.Int(ConfigRecord::kUnused1820)));
  ShowImport(out, "saved-cma", r, ImportLayout::kSavedCma);
  ShowImport(out, "saved-cmbd", r, ImportLayout::kSavedCmbd);
  line("printer-scale", FormatPrinterScale(r.PrinterScale()));
  for (int e = 1; e <= kCatalogueSize; ++e)
    line("errors." + std::string(ErrorCode(e)), Marks(r, e));
}

bool ParseOnOff(const std::string& v, bool* on) {
  if (v == "on" || v == "1" || v == "si" || v == "yes" || v == "X" || v == "x")
    return *on = true, true;
  if (v == "off" || v == "0" || v == "no" || v == "-") return *on = false, true;
  return false;
}

int ErrorNumber(const std::string& code) {
  for (int e = 1; e <= kCatalogueSize; ++e)
    if (ErrorCode(e) == code) return e;
  return 0;
}

// "errors.E201" with a three-mark value, or "errors.E201.mensual" with on/off.
bool SetErrors(const std::string& key, const std::string& value, ConfigControls* c) {
  std::string rest = key.substr(7);
  std::string type;
  if (auto dot = rest.find('.'); dot != std::string::npos) {
    type = rest.substr(dot + 1);
    rest = rest.substr(0, dot);
  }
  int first = 1, last = kCatalogueSize;
  if (rest != "all") {
    first = last = ErrorNumber(rest);
    if (first == 0) return false;
  }
  std::array<int, 3> marks{-1, -1, -1};
  if (type.empty()) {
    if (value.size() != 3) return false;
    for (std::size_t t = 0; t < 3; ++t) {
      bool on;
      if (!ParseOnOff(std::string(1, value[t]), &on)) return false;
      marks[t] = on;
    }
  } else {
    const char* names[] = {"mensual", "trimestral", "cma"};
    bool on;
    if (!ParseOnOff(value, &on)) return false;
    for (std::size_t t = 0; t < 3; ++t)
      if (type == names[t]) marks[t] = on;
    if (marks == std::array<int, 3>{-1, -1, -1}) return false;
  }
  for (int e = first; e <= last; ++e)
    for (std::size_t t = 0; t < 3; ++t)
      if (marks[t] >= 0) c->error_marks[static_cast<std::size_t>(e - 1)][t] = marks[t] != 0;
  return true;
}

bool SetCompleteness(const std::string& value, ConfigControls* c) {
  if (value == "all" || value == "none") {
    c->completeness.fill(value == "all");
    return true;
  }
  if (!value.empty() && (value[0] == '+' || value[0] == '-')) {
    int k = CmbdFieldNumber(value.substr(1));
    if (k == 0) return false;
    c->completeness[static_cast<std::size_t>(k - 1)] = value[0] == '+';
    return true;
  }
  std::array<bool, 63> chosen{};
  std::size_t begin = 0;
  while (begin <= value.size()) {
    std::size_t end = value.find(',', begin);
    if (end == std::string::npos) end = value.size();
    int k = CmbdFieldNumber(value.substr(begin, end - begin));
    if (k == 0) return false;
    chosen[static_cast<std::size_t>(k - 1)] = true;
    begin = end + 1;
  }
  c->completeness = chosen;
  return true;
}

// A path given on the command line, in the form the record stores: "C:\..."
// as given, a host path under the root as "C:\...", a bare name as it stands.
std::string StoredPath(Session& s, const std::string& argument) {
  if (HasDriveLetter(argument) || argument.find('/') == std::string::npos)
    return Utf8ToCp1252(argument);
  return s.paths.ToStored(AbsoluteHostPath(argument));
}

int Set(CliContext& context, const std::string& key, const std::string& value) {
  Session& s = context.session;
  if (int code = kExitOk; SetImportKey(context, key, value, &code)) return code;
  ConfigControls c = FillControls(s.config);
  auto refuse = [&](const std::string& why, int code = kExitUsage) {
    context.feedback.Message(why);
    return code;
  };
  if (key == "hospital") {
    std::string name = Utf8ToCp1252(value);
    ChooseHospital(s, name, &c);
    if (c.hospital_code == "Error")
      return refuse(StrFormat("El hospital \"%s\" no está en hospital.dat"_cp, name.c_str()) +
                        "; vea quirovel config hospitals TEXTO",
                    kExitFailed);
  } else if (key == "version") {
    c.version_button = -1;
    for (std::size_t i = 0; i < kVersionButtons.size(); ++i)
      if (kVersionButtons[i].shown && std::to_string(kVersionButtons[i].value) == value)
        c.version_button = static_cast<int>(i);
    if (c.version_button < 0) return refuse("Version CIE9MC no valida: " + value);
  } else if (key == "editor") {
    std::string stored = StoredPath(s, value);
    bool bare = stored.find_first_of("\\/") == std::string::npos;
    if (!bare && !s.fs.Exists(s.paths.ToHost(stored)))
      return refuse(StrFormat("No existe el editor %s", stored.c_str()));
    if (!ChooseEditor(stored, &s.config))
      return refuse(StrFormat("La ruta %s no cabe en la configuración (máximo 99 caracteres)"_cp,
                              stored.c_str()));
  } else if (key == "history") {
    std::string stored = StoredPath(s, value);
    if (!s.config.SetHistoryFile(stored))
      return refuse(StrFormat("La ruta %s no cabe en la configuración (máximo 99 caracteres)"_cp,
                              stored.c_str()));
  } else if (key == "group-after-test") {
    if (!ParseOnOff(value, &c.group_after_test)) return refuse("Valor no valido: " + value);
  } else if (key == "printer-scale") {
    char* end = nullptr;
    double scale = std::strtod(value.c_str(), &end);
    if (value.empty() || value.size() > 5 || *end != '\0' || !(scale > 0) || !std::isfinite(scale))
      return refuse("Escala de impresora no valida (numero positivo de hasta 5 caracteres): " +
                    value);
    c.printer_scale = value;
  } else if (key == "completeness") {
    if (!SetCompleteness(value, &c)) return refuse("Lista de campos no valida: " + value);
  } else if (key.rfind("errors.", 0) == 0) {
    if (!SetErrors(key, value, &c)) return refuse("Error o valor no valido: " + key + " " + value);
    StoreErrorMarks(c, &s.config);
  } else {
    return refuse(std::string("Clave desconocida: ") + key + "\n" + kUsage);
  }
  return ApplyConfigPage(s, c, true) ? kExitOk : kExitFailed;
}

// "02012  Hospital General ...", the names holding `text` (ignoring case).
void ListHospitals(CliContext& context, const std::string& text) {
  Session& s = context.session;
  auto folded = [](std::string value) {
    for (char& c : value) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return value;
  };
  const std::string wanted = folded(text);
  for (const auto& [code, name] : HospitalEntries(s.fs, s.feedback, s.paths))
    if (folded(name).find(wanted) != std::string::npos) PrintLine(context.out, code + "  " + name);
}

}  // namespace

int ConfigCommand(CliContext& context, const std::vector<std::string>& args) {
  const std::string verb = args.empty() ? "" : args[0];
  const bool valid =
      (verb == "show" && args.size() == 1) || (verb == "hospitals" && args.size() <= 2) ||
      (verb == "defaults" && args.size() == 1) || (verb == "set" && args.size() == 3);
  if (!valid) {
    context.feedback.Message(kUsage);
    return kExitUsage;
  }
  if (!StartSession(context)) return kExitFailed;
  Session& s = context.session;
  int code = kExitOk;
  if (verb == "show") {
    Show(context.out, s.config);
  } else if (verb == "hospitals") {
    ListHospitals(context, args.size() == 2 ? Utf8ToCp1252(args[1]) : std::string());
  } else if (verb == "defaults") {
    if (!LoadDefaultsFile(s)) {
      code = kExitFailed;
    } else if (!SaveConfig(s)) {
      context.feedback.Message("Error al grabar la configuracion");
      code = kExitFailed;
    }
  } else {
    code = Set(context, args[1], args[2]);
  }
  EndSession(context);
  return code;
}

}  // namespace quirovel
