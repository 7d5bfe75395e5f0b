#include <algorithm>
#include <cstdio>
#include <iostream>
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/interrupt_scope.h"
#include "platform/cp1252.h"
#include "platform/format.h"

namespace quirovel {
namespace {

constexpr const char* kVersion = "quirovel 0.1.0";

void PrintHelp(std::ostream& out) {
  out << "Uso: quirovel [--root DIR] ORDEN [ARGUMENTOS]\n\n"
         "Comprueba ficheros CMBD-A contra el catalogo de errores.\n\n"
         "Ordenes:\n";
  // The summaries start in one column after the names; a name too long for
  // it ("codes-by-description") has its summary on the next line there.
  constexpr std::size_t kNameColumn = 9;
  std::size_t width = 0;
  for (const Command& c : Commands())
    if (std::string_view(c.name).size() <= kNameColumn)
      width = std::max(width, std::string_view(c.name).size());
  for (const Command& c : Commands()) {
    const std::size_t length = std::string_view(c.name).size();
    out << "  " << c.name;
    if (length > width) out << "\n" << std::string(width + 2, ' ');
    out << std::string(length > width ? 3 : width + 3 - length, ' ') << c.summary << "\n";
  }
  out << "\nOpciones:\n"
         "  --root DIR   directorio que hace de unidad C: (por defecto $QUIROVEL_ROOT,\n"
         "               o $XDG_DATA_HOME/quirovel, o ~/.local/share/quirovel)\n"

         "  -h, --help   esta ayuda; quirovel help ORDEN, la de una orden\n"
         "  --version    la version del programa\n\n"
         "Salida: 0 hecho, 1 fallo, 2 uso incorrecto, 130 cancelado con Ctrl-C.\n";
}

void PrintCommandHelp(std::ostream& out, const Command& c) {
  out << "Uso: quirovel [--root DIR] " << c.usage << "\n\n" << c.summary << "\n";
  if (c.details != nullptr) out << "\n" << c.details << "\n";
}

// Edits (insert, delete, replace a character) from a to b.
std::size_t Distance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

const Command* FindCommand(std::string_view name) {
  for (const Command& c : Commands())
    if (name == c.name) return &c;
  return nullptr;
}

// "quirovel: orden desconocida 'detetc'; ¿quiso decir 'detect'? ..."
void RefuseUnknown(std::ostream& err, const std::string& name) {
  err << "quirovel: orden desconocida '" << name << "'";
  const Command* closest = nullptr;
  std::size_t best = 3;  // at most two edits away
  for (const Command& c : Commands()) {
    const std::size_t d = Distance(name, c.name);
    if (d < best) best = d, closest = &c;
  }
  if (closest != nullptr) err << "; \u00BFquiso decir '" << closest->name << "'?";
  err << " (vea quirovel help)\n";
}

}  // namespace

bool TakeOption(std::vector<std::string>* args, const std::string& name, std::string* value) {
  for (std::size_t i = 0; i < args->size(); ++i) {
    if ((*args)[i] == name) {
      if (i + 1 >= args->size()) return false;
      *value = (*args)[i + 1];
      args->erase(args->begin() + static_cast<long>(i), args->begin() + static_cast<long>(i) + 2);
      return true;
    }
    if ((*args)[i].rfind(name + "=", 0) == 0) {
      *value = (*args)[i].substr(name.size() + 1);
      args->erase(args->begin() + static_cast<long>(i));
      return true;
    }
  }
  return true;
}

bool TakeFlag(std::vector<std::string>* args, const std::string& name) {
  for (std::size_t i = 0; i < args->size(); ++i) {
    if ((*args)[i] == name) {
      args->erase(args->begin() + static_cast<long>(i));
      return true;
    }
  }
  return false;
}

std::string HostPathOf(const Session& session, const std::string& argument) {
  // A host path is the user's bytes; only a stored "C:\\..." path is Windows-1252.
  return HasDriveLetter(argument) ? session.paths.ToHost(Utf8ToCp1252(argument)) : argument;
}

bool ParseTestType(CliContext& context, const std::string& text, int* test_type) {
  constexpr const char* kNames[] = {"mensual", "trimestral", "cma"};  // kMensual, kTrimestral, kCma
  for (int t = 0; t < 3; ++t) {
    if (text != kNames[t]) continue;
    *test_type = t;
    return true;
  }
  context.feedback.Message("Tipo de test desconocido '" + text + "': mensual, trimestral o cma");
  return false;
}

bool ParseDateArgument(CliContext& context, const std::string& option, const std::string& text,
                       std::string* date) {
  // DD/MM/AAAA, as the page's date fields show it; one-digit days and months too.
  int day = 0, month = 0, year = 0;
  char tail = 0;
  const bool shaped = std::sscanf(text.c_str(), "%2d/%2d/%4d%c", &day, &month, &year, &tail) == 3 &&
                      text.size() >= 8 && text.size() <= 10 &&
                      text.find_first_of("+- ") == std::string::npos;
  constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  if (!shaped || year < 1000 || month < 1 || month > 12 || day < 1 || day > kDays[month - 1] ||
      (month == 2 && day == 29 && !leap)) {
    context.feedback.Message(option + ": fecha incorrecta '" + text + "' (DD/MM/AAAA)");
    return false;
  }
  *date = StrFormat("%04d%02d%02d", year, month, day);
  return true;
}

std::string ShownPath(const Session& session, const std::string& stored) {
  const std::string host = session.paths.ToHost(stored);  // shown as the user's bytes
  return HasDriveLetter(stored) ? host + " [" + stored + "]" : host;
}

void PrintLine(std::ostream& out, std::string_view cp1252_text) {
  out << DisplayTextToUtf8(cp1252_text) << "\n";
}

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  std::vector<std::string> args = arguments;
  // Global options stand before the command name.
  std::string root;
  Answer answer = Answer::kAsk;
  std::size_t i = 0;
  for (; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      PrintHelp(out);
      return kExitOk;
    }
    if (a == "--version") {
      out << kVersion << "\n";
      return kExitOk;
    }
    if (a == "--root") {
      if (i + 1 >= args.size()) {
        err << "quirovel: --root necesita un directorio\n";
        return kExitUsage;
      }
      root = args[++i];
    } else if (a.rfind("--root=", 0) == 0) {
      root = a.substr(7);
    } else if (a == "--yes") {  // not in the help until a command asks something
      answer = Answer::kYes;
    } else if (a == "--no") {
      answer = Answer::kNo;
    } else {
      break;
    }
  }
  if (i >= args.size()) {
    PrintHelp(err);
    return kExitUsage;
  }
  const std::string name = args[i];
  std::vector<std::string> rest(args.begin() + static_cast<long>(i) + 1, args.end());
  if (name == "help") {
    if (rest.empty()) {
      PrintHelp(out);
      return kExitOk;
    }
    if (const Command* c = FindCommand(rest[0]); c != nullptr && rest.size() == 1) {
      PrintCommandHelp(out, *c);
      return kExitOk;
    }
    RefuseUnknown(err, rest[0]);
    return kExitUsage;
  }
  const Command* c = FindCommand(name);
  if (c == nullptr) {
    RefuseUnknown(err, name);
    return kExitUsage;
  }
  if (TakeFlag(&rest, "--help") || TakeFlag(&rest, "-h")) {
    PrintCommandHelp(out, *c);
    return kExitOk;
  }
  CliFeedback feedback(answer);
  InterruptScope interrupts(feedback);
  Session session(RealFileSystem(), feedback, HostPaths::DefaultRoot(root));
  BarClearingStream results(out, feedback);
  CliContext context{session, feedback, results};
  int code = c->run(context, rest);
  if (code == kExitOk && feedback.refused_question()) code = kExitFailed;
  results.flush();
  feedback.ClearBar();
  if (interrupts.interrupted()) {
    // Cancelled is not failed: the files are consistent and say so.
    err << Cp1252ToUtf8("quirovel: operación cancelada con Ctrl-C"_cp) << "\n";
    code = kExitCancelled;
  }
  return code;
}

}  // namespace quirovel
