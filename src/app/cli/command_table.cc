#include "app/cli/command.h"

namespace quirovel {

int StructureCommand(CliContext& context, const std::vector<std::string>& args);
int DumpCommand(CliContext& context, const std::vector<std::string>& args);
int CheckCommand(CliContext& context, const std::vector<std::string>& args);
int InitCommand(CliContext& context, const std::vector<std::string>& args);
int ConfigCommand(CliContext& context, const std::vector<std::string>& args);
int OpenCommand(CliContext& context, const std::vector<std::string>& args);
int CatalogueCommand(CliContext& context, const std::vector<std::string>& args);
int LookupCommand(CliContext& context, const std::vector<std::string>& args);
int DetectCommand(CliContext& context, const std::vector<std::string>& args);
int GroupCommand(CliContext& context, const std::vector<std::string>& args);
int CountsCommand(CliContext& context, const std::vector<std::string>& args);
int ReportCommand(CliContext& context, const std::vector<std::string>& args);
int ErrorsCommand(CliContext& context, const std::vector<std::string>& args);
int LogCommand(CliContext& context, const std::vector<std::string>& args);
int ReadmissionsCommand(CliContext& context, const std::vector<std::string>& args);
int OutOfRangeCommand(CliContext& context, const std::vector<std::string>& args);
int DischargeRangeCommand(CliContext& context, const std::vector<std::string>& args);
int HistoryCommand(CliContext& context, const std::vector<std::string>& args);

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"structure", "structure [FICHERO]", "Analiza la estructura de un fichero CMBD-A",
       StructureCommand},
      {"dump", "dump FICHERO [--from N] [--count M]", "Muestra los episodios decodificados",
       DumpCommand},
      {"check", "check FICHERO --record N [--test mensual|trimestral|cma]",
       "Muestra los errores de un episodio (sin escribir ficheros)", CheckCommand},
      {"init", "init [--kit DIR]", "Crea la instalacion (ficheros de referencia y configuracion)",
       InitCommand},
      {"config", "config show | set CLAVE VALOR | defaults | hospitals [TEXTO]",
       "Muestra o cambia la configuracion (Por defecto: defaults)", ConfigCommand,
       "Claves de config set:\n"
       "  hospital NOMBRE          el hospital propio, por su nombre en hospital.dat\n"
       "                           (quirovel config hospitals TEXTO los busca)\n"
       "  version AÑO              1988, 1992, 1997, 1999, 2002, 2004 o 2006\n"
       "  editor RUTA              el editor de los informes\n"
       "  history FICHERO          el fichero historico\n"
       "  group-after-test on|off  agrupar los errores tras el test\n"
       "  printer-scale N          la escala de la letra de impresora\n"
       "  completeness all|none|CAMPO,CAMPO...|+CAMPO|-CAMPO\n"
       "  errors.E201 XX-          los tres interruptores (Mensual Trimestral CMA) de un error\n"
       "  errors.E201.cma on|off   uno de ellos (E201, o all para todos)"},
      {"open", "open FICHERO.dbf", "Elige el fichero CMBD-A actual (Fichero)", OpenCommand},
      {"catalogue", "catalogue check", "Comprueba el orden del catalogo CIE9MC (Analiza CIE9MC)",
       CatalogueCommand},
      {"lookup", "lookup [--diagnosis|--procedure] CODIGO...",
       "Busca codigos en el catalogo CIE9MC de la version configurada", LookupCommand},
      {"detect", "detect [FICHERO.dbf] [--test mensual|trimestral|cma]",
       "Detecta los errores del fichero actual (Test) y escribe los informes", DetectCommand},
      {"group", "group type|service", "Agrupa los errores por tipo o por servicio y tipo",
       GroupCommand},
      {"errors", "errors [--test mensual|trimestral|cma]",
       "Los 71 errores: campos, tests que los comprueban y si estan activados", ErrorsCommand},
      {"log", "log [--csv|--json]",
       "Los errores de la ultima deteccion, uno por fila (CSV o JSON para hojas de calculo)",
       LogCommand},
      {"counts", "counts", "Errores de la ultima deteccion por tipo", CountsCommand},
      {"report", "report [NOMBRE] [--raw]",
       "Muestra un informe del directorio de trabajo (sin NOMBRE, los lista)", ReportCommand},
      {"readmissions",
       "readmissions [--mode c1|service] [--from DD/MM/AAAA] [--to DD/MM/AAAA] [--days N]",
       "Reingresos, duplicados y solapamientos (Reingresos C1, Mismo Servicio)",
       ReadmissionsCommand,
       "Escribe reingr.txt, reingrserv.txt y reingrservnoprog.txt en el directorio de trabajo.\n"
       "Periodo de ingreso: sin --from/--to, el dia de hoy, como empiezan las fechas de la\n"
       "pagina. --mode c1 (por defecto): mismo C1; service: mismo SERVALT. --days: 30."},
      {"out-of-range", "out-of-range --from DD/MM/AAAA --to DD/MM/AAAA",
       "Altas fuera del periodo (Fuera de Rango): escribe fuerango.txt", OutOfRangeCommand},
      {"discharge-range", "discharge-range", "Primera y ultima fecha de alta (Rango altas)",
       DischargeRangeCommand},
      {"history", "history append [--yes|--no] | history show",
       "Anade el fichero actual al historico, o muestra el historico", HistoryCommand,
       "append pregunta antes de anadir (ATENCION: Puede duplicar episodios): --yes o --no\n"
       "responden; sin ellos se pregunta en el terminal, y sin terminal no se anade nada.\n"
       "Un anadido que falla o se cancela deja el historico como estaba."},
  };
  return commands;
}

}  // namespace quirovel
