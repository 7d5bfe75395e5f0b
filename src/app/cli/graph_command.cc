// quirovel graph uncoded|admissions [--csv]: the figures of the distribution
// graph ("Grafica" of page "Altas no codificadas", "Gr" of the episode
// table): the title, the period, the statistics line, the scale and one
// count per day (CSV with a header row and one row per day with --csv).
// The admissions are those of the episode table chosen with the options of
// `episodes`, or of every episode of the file without them.
#include <ostream>

#include "analyses/distribution_graph_figures.h"
#include "analyses/episode_table.h"
#include "analyses/uncoded_summary.h"
#include "app/cli/command.h"
#include "app/cli/episode_table_output.h"
#include "app/cli/session_start.h"
#include "platform/cp1252.h"
#include "platform/format.h"

namespace quirovel {
namespace {

constexpr const char* kUsage =
    "Uso: quirovel graph uncoded|admissions [--csv] [--type N | --service CODIGO | "
    "--uncoded CODIGO | --discharges CODIGO]";

void Print(CliContext& context, const GraphFigures& f, bool csv) {
  if (csv) {
    context.out << "dia,fecha,episodios\n";
    for (std::size_t i = 0; i < f.bars.size(); ++i) {
      const GraphBar& b = f.bars[i];
      context.out << StrFormat("%zu,%04d-%02d-%02d,%d\n", i, b.date.year, b.date.month, b.date.day,
                               b.count);
    }
    return;
  }
  PrintLine(context.out, f.title);
  PrintLine(context.out, f.range_text);
  PrintLine(context.out, f.statistics);
  std::string scale;
  for (const GraphScaleMark& m : f.scale) scale += m.label;
  PrintLine(context.out, StrFormat("Escala: %g, marcas cada %g:", f.top, f.step) + scale);
  PrintLine(context.out, "  Dia      Fecha  Episodios");
  for (std::size_t i = 0; i < f.bars.size(); ++i) {
    const GraphBar& b = f.bars[i];
    PrintLine(context.out, StrFormat("%5zu %02d/%02d/%04d %10d", i, b.date.day, b.date.month,
                                     b.date.year, b.count));
  }
}

}  // namespace

int GraphCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  const bool csv = TakeFlag(&args, "--csv");
  EpisodeQuery query;
  const int selected = TakeEpisodeSelection(context, &args, &query);
  if (selected < 0) return kExitUsage;
  if (args.size() != 1 || (args[0] != "uncoded" && args[0] != "admissions") ||
      (args[0] == "uncoded" && selected != 0)) {
    context.feedback.Message(kUsage);
    return kExitUsage;
  }
  if (!StartSession(context)) return kExitFailed;
  Session& s = context.session;
  UncodedHistogram histogram;
  bool done = true;
  const bool uncoded = args[0] == "uncoded";
  if (uncoded) {
    done = UncodedDistribution(s, &histogram);
  } else if (selected == 1) {
    EpisodeTable table;
    const EpisodeTableCounts counts = SearchEpisodes(s, query, &table);
    done = !counts.stopped;
    histogram = AdmissionsHistogram(s, table);
  } else {
    done = FileAdmissionsHistogram(s, &histogram);
  }
  if (!done) {
    EndSession(context);
    return kExitFailed;
  }
  if (histogram.bars == 0 && !csv) {
    context.feedback.Message("No hay episodios que representar");
  } else {
    Print(context,
          ComputeGraphFigures(histogram, uncoded ? kUncodedGraphTitle : kAdmissionsGraphTitle),
          csv);
  }
  EndSession(context);
  return kExitOk;
}

}  // namespace quirovel
