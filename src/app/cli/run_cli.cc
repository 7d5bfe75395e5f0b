#include <iostream>
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/interrupt_scope.h"
#include "platform/cp1252.h"

namespace quirovel {
namespace {

constexpr const char* kVersion = "quirovel 0.1.0";

void PrintHelp(std::ostream& out) {
  out << "Uso: quirovel [--root DIR] [--yes|--no] ORDEN [ARGUMENTOS]\n\n"
         "Comprueba ficheros CMBD-A contra el catalogo de errores.\n\n"
         "Opciones:\n"
         "  --root DIR   directorio que hace de unidad C: (por defecto $QUIROVEL_ROOT,\n"
         "               o $XDG_DATA_HOME/quirovel, o ~/.local/share/quirovel)\n"
         "  --yes, --no  respuesta a las preguntas cuando no hay terminal\n"
         "  --help       esta ayuda\n"
         "  --version    la version del programa\n\n"
         "Ordenes:\n";
  for (const Command& c : Commands()) {
    std::string usage = c.usage;
    out << "  " << usage << std::string(usage.size() < 40 ? 40 - usage.size() : 1, ' ') << c.summary
        << "\n";
  }
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
  return session.paths.ToHost(Utf8ToCp1252(argument));
}

void PrintLine(std::ostream& out, std::string_view cp1252_text) {
  out << Cp1252ToUtf8(cp1252_text) << "\n";
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
    } else if (a == "--yes") {
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
  for (const Command& c : Commands()) {
    if (name != c.name) continue;
    if (TakeFlag(&rest, "--help")) {
      out << "Uso: quirovel [--root DIR] " << c.usage << "\n" << c.summary << "\n";
      return kExitOk;
    }
    CliFeedback feedback(answer);
    InterruptScope interrupts(feedback);
    Session session(RealFileSystem(), feedback, HostPaths::DefaultRoot(root));
    CliContext context{session, feedback, out};
    int code = c.run(context, rest);
    if (code == kExitOk && feedback.refused_question()) code = kExitFailed;
    if (interrupts.interrupted()) {
      // Cancelled is not failed: the files are consistent and say so.
      err << Cp1252ToUtf8("quirovel: operación cancelada con Ctrl-C"_cp) << "\n";
      code = kExitCancelled;
    }
    return code;
  }
  err << "quirovel: orden desconocida '" << name << "' (vea quirovel --help)\n";
  return kExitUsage;
}

}  // namespace quirovel
