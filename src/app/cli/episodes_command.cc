// quirovel episodes (--type N | --service CODE | --uncoded CODE | --discharges
// CODE) [--save] [--quiet]: the table of page "Errores por Tipo/Servicio" in
// one of its modes, printed (or only its row count with --quiet) and with
// --save written as "TABLA.DBF".
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/episode_table_output.h"
#include "app/cli/session_start.h"
#include "platform/format.h"

namespace quirovel {

int EpisodesCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  const bool save = TakeFlag(&args, "--save");
  const bool quiet = TakeFlag(&args, "--quiet");
  EpisodeQuery query;
  const int selected = TakeEpisodeSelection(context, &args, &query);
  if (selected != 1 || !args.empty()) {
    if (selected == 0 || !args.empty())
      context.feedback.Message(
          "Uso: quirovel episodes (--type N | --service CODIGO | --uncoded CODIGO | "
          "--discharges CODIGO) [--save] [--quiet]");
    return kExitUsage;
  }
  if (!StartSession(context)) return kExitFailed;
  Session& s = context.session;
  EpisodeTable table;
  const EpisodeTableCounts counts = SearchEpisodes(s, query, &table);
  int code = counts.stopped || counts.incomplete ? kExitFailed : kExitOk;
  if (!counts.stopped) {
    if (quiet) {
      context.out << counts.rows << "\n";
    } else {
      if (!counts.service_name.empty()) PrintLine(context.out, counts.service_name);
      if (!PrintEpisodeTable(context, table)) code = kExitFailed;
      PrintLine(context.out, StrFormat("Errores encontrados: %ld", static_cast<long>(counts.rows)));
      PrintLine(context.out, StrFormat("Altas que se han producido en el servicio: %ld",
                                       static_cast<long>(counts.service_episodes)));
    }
    if (save && !SaveAndTell(context, table)) code = kExitFailed;
  }
  EndSession(context);
  return code;
}

}  // namespace quirovel
