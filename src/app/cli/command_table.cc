#include "app/cli/command.h"

namespace quirovel {

int StructureCommand(CliContext& context, const std::vector<std::string>& args);
int DumpCommand(CliContext& context, const std::vector<std::string>& args);
int CheckCommand(CliContext& context, const std::vector<std::string>& args);

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"structure", "structure [FILE]", "Analiza la estructura de un fichero CMBD-A",
       StructureCommand},
      {"dump", "dump FILE [--from N] [--count M]", "Muestra los episodios decodificados",
       DumpCommand},
      {"check", "check FILE --record N [--test mensual|trimestral|cma]",
       "Muestra los errores de un episodio (sin escribir ficheros)", CheckCommand},
  };
  return commands;
}

}  // namespace quirovel
