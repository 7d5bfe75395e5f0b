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
int SearchCommand(CliContext& context, const std::vector<std::string>& args);
int CodesByDescriptionCommand(CliContext& context, const std::vector<std::string>& args);
int UncodedCommand(CliContext& context, const std::vector<std::string>& args);
int EpisodesCommand(CliContext& context, const std::vector<std::string>& args);
int GraphCommand(CliContext& context, const std::vector<std::string>& args);
int ReadmissionsCommand(CliContext& context, const std::vector<std::string>& args);
int OutOfRangeCommand(CliContext& context, const std::vector<std::string>& args);
int DischargeRangeCommand(CliContext& context, const std::vector<std::string>& args);
int HistoryCommand(CliContext& context, const std::vector<std::string>& args);
int ImportCommand(CliContext& context, const std::vector<std::string>& args);
int ExportCommand(CliContext& context, const std::vector<std::string>& args);
int ExportErrorsCommand(CliContext& context, const std::vector<std::string>& args);
int DescribeCommand(CliContext& context, const std::vector<std::string>& args);

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"structure", "structure [FICHERO] | structure create NUEVO.dbf NOMBRE#C5 [NOMBRE#D8 ...]",
       "Analiza la estructura de un fichero CMBD-A, o crea una estructura vacia", StructureCommand,
       "structure create: crea una tabla dBase vacia con esos campos (Crear Estructura DBF);\n"
       "  tipos C (texto), N (numero), D (fecha, 8); nunca sustituye un fichero existente"},
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
       "  errors.E201.cma on|off   uno de ellos (E201, o all para todos)\n"
       "  import.CLAVE VALOR       la importacion de texto (saved-cmbd.CLAVE, saved-cma.CLAVE:\n"
       "                           las especificaciones guardadas); CLAVE: text-file,\n"
       "                           structure-table, target-table, date-format 1..6,\n"
       "                           separator C, delimiter C, header-line on|off,\n"
       "                           fixed-length on|off"},
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
      {"search",
       "search PATRONES [--discharge DESDE-HASTA] [--service CODIGO] [--sex N] [--age MIN-MAX] "
       "[--admission-type N] [--residence TEXTO] [--discharge-type N] [--admission DESDE-HASTA] "
       "[--table] [--save]",
       "Busca episodios por codigos y condiciones (busqueda.txt, busqueda2.txt)", SearchCommand,
       "PATRONES: codigos separados por comas; un codigo (652.6), un prefijo (65*), un\n"
       "intervalo (37.2-37.99, 6*-7*); $ compara como texto. Ejemplo: '652.6, 65*, 37.2-37.99'\n"
       "Condiciones (todas deben cumplirse; fechas DD/MM/AAAA):\n"
       "  --discharge DESDE-HASTA   fecha de alta (FECALT) en el periodo\n"
       "  --service CODIGO          servicio de alta (SERVALT), un codigo de servicios.txt\n"
       "  --sex N                   1 Hombre, 2 Mujer, 3 Indeterminado, 9 Desconocido\n"
       "  --age MIN-MAX             edad en años cumplidos al ingreso (0 a 999)\n"
       "  --admission-type N        1 Urgente, 2 Programado, 3 C.M.A.\n"
       "  --residence TEXTO         RESIDE empieza por TEXTO (hasta 5 caracteres)\n"
       "  --discharge-type N        1 Destino al domicilio, 2 Traslado a otro hospital,\n"
       "                            3 Traslado a Residencia Social, 4 Alta voluntaria,\n"
       "                            5 Defunción, 6 Hospitalizado a domicilio, 7 In extremis,\n"
       "                            8 Fuga, 9 Desconocido\n"
       "  --admission DESDE-HASTA   fecha de ingreso (FECING) en el periodo\n"
       "  --table                   muestra la tabla de los episodios encontrados (30000 como "
       "mucho)\n"
       "  --save                    y la guarda como TABLA.DBF"},
      {"codes-by-description", "codes-by-description TEXTO",
       "Codigos CIE9MC cuya descripcion contiene TEXTO (Buscar codigos)", CodesByDescriptionCommand,
       "TEXTO se busca tal cual, mayusculas incluidas, en las descripciones de la version\n"
       "configurada; la lista sirve de PATRONES a quirovel search."},
      {"uncoded", "uncoded [--sort COLUMNA[:desc]] | uncoded --service CODIGO",
       "Altas no codificadas por servicio (altnocod.txt, altas.txt; altnocodserv.txt)",
       UncodedCommand,
       "COLUMNA (por defecto 3, ascendente; :desc para descendente):\n"
       "  0 code          Código\n"
       "  1 service       Servicio\n"
       "  2 discharges    Frecuencia\n"
       "  3 uncoded       No codificado\n"
       "  4 coded         % Codificación\n"
       "  5 errors        Errores\n"
       "  6 errors-share  % Errores\n"
       "--service CODIGO escribe altnocodserv.txt con las altas no codificadas del servicio\n"
       "(el codigo tal como figura en SERVALT)."},
      {"episodes",
       "episodes (--type N | --service CODIGO | --uncoded CODIGO | --discharges CODIGO) [--save] "
       "[--quiet]",
       "Tabla de episodios (Errores por Tipo/Servicio); --save la guarda como TABLA.DBF",
       EpisodesCommand,
       "  --type N              los errores de un tipo: 1 a 71, o su codigo (E11 a E331)\n"
       "  --service CODIGO      los errores de un servicio de alta (SERVALT igual al numero)\n"
       "  --uncoded CODIGO      las altas no codificadas de un servicio (como en uncoded)\n"
       "  --discharges CODIGO   todas las altas de un servicio\n"
       "  --quiet               solo el numero de filas"},
      {"graph",
       "graph uncoded|admissions [--csv] [--type N | --service CODIGO | --uncoded CODIGO | "
       "--discharges CODIGO]",
       "Distribucion por dias de las altas no codificadas o de los ingresos", GraphCommand,
       "  uncoded      las altas no codificadas del fichero actual\n"
       "  admissions   los ingresos de la tabla de episodios elegida como en quirovel episodes,\n"
       "               o de todos los episodios del fichero sin opciones\n"
       "  --csv        una fila por dia: dia,fecha,episodios\n"
       "Un periodo de mas de 366 dias se corta a 364."},
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
      {"import",
       "import [FICHERO.txt] [--structure TABLA.dbf] [--out NUEVO.dbf] [--fixed | --separator C] "
       "[--delimiter C] [--header | --no-header] [--date-format 1..6] [--layout cmbd|cma] "
       "[--save-layout cmbd|cma]",
       "Importa un fichero de texto a una tabla dBase nueva (TXT -> DBF)", ImportCommand,
       "Sin opciones usa la importacion de la configuracion (quirovel config show: import.*);\n"
       "las opciones dadas quedan guardadas en ella, como en el dialogo.\n"
       "  --layout cmbd|cma       importa con la especificacion guardada (--out cambia la tabla)\n"
       "                          y deja la tabla nueva como fichero actual\n"
       "  --save-layout cmbd|cma  guarda los ajustes como especificacion, sin importar\n"
       "Formatos de fecha: 1 DD/MM/AA[AA], 2 MM/DD/AA[AA], 3 AA[AA]/MM/DD, 4 DDMMAAAA,\n"
       "  5 MMDDAAAA, 6 AAAAMMDD"},
      {"export",
       "export [--test mensual|trimestral|cma] [--cma-only|--all] [--format text|dbf] "
       "(--from DD/MM/AAAA --to DD/MM/AAAA | --month 1..12 [--year AAAA] [--accumulated]) "
       "[--name NOMBRE]",
       "Exporta las altas de un periodo del fichero actual (texto o DBF)", ExportCommand,
       "El fichero se escribe en el directorio de trabajo con el nombre propuesto\n"
       "(CM120506: tipo, hospital, mes o trimestre, año) o NOMBRE, mas .TXT o .DBF.\n"
       "  --month M        el mes (o su trimestre en trimestral y cma) del año actual o --year\n"
       "  --accumulated    el periodo empieza el 1 de enero (Acumulado Enero)\n"
       "  --cma-only|--all con cma, solo los episodios con TIPING 3 (por defecto) o todos"},
      {"export-errors", "export-errors",
       "Exporta los errores de la ultima deteccion a ERRORES.DBF (directorio de trabajo)",
       ExportErrorsCommand},
      {"describe", "describe REGISTRO [--tooltips]",
       "Describe un episodio del fichero actual (Episodio): los codigos traducidos",
       DescribeCommand,
       "Con --tooltips muestra ademas la ayuda de cada casilla de Campos erroneos\n"
       "(NOMBRE: texto) que tenga texto."},
  };
  return commands;
}

}  // namespace quirovel
