// The analyses of page "Utilidades" through `quirovel`, on generated CMBD-A
// files of 100,000 and 1,000,000 episodes (one year, the sample kit's
// cmbd_generator), each timed in the same iteration as reading and decoding
// the same file alone:
//   - readmissions over the whole year (the 30001-episode limit ends each
//     selection early) and over 01/01 to 11/01, about 30,000 episodes of the
//     million (every record read in both passes);
//   - out-of-range over the first half of the year (half the file listed);
//   - discharge-range;
//   - history append of the 100,000-episode file into an empty history with
//     its structure, timed against a plain copy of the same file in 1 MB blocks.
// The ratios are those of bench_support.h ("x_read_decode", or "x_copy").
//
// The installation and the files are made once under
// $TMPDIR/quirovel-bench-analyses (from the kit beside this program) and kept.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_support.h"
#include "storage/table_files.h"

namespace quirovel {
namespace {

using namespace bench;

std::string Root() { return BenchRoot("analyses"); }

std::string StoredTable(long episodes) {
  return "C:\\Quirovel\\trabajo\\gen" + std::to_string(episodes) + ".dbf";
}
std::string HostTable(long episodes) {
  return Root() + "/QUIROVEL/trabajo/gen" + std::to_string(episodes) + ".dbf";
}
std::string HostHistory() { return Root() + "/QUIROVEL/trabajo/historico.dbf"; }

int Cli(const std::vector<std::string>& args) { return Quirovel(Root(), args); }

// The installation and the generated file, made on first use, made current.
bool Prepare(long episodes) {
  return PrepareGenerated(Root(), HostTable(episodes), episodes) &&
         Cli({"open", StoredTable(episodes)}) == 0;
}

// Times `run` against `baseline` in every iteration.
template <typename Baseline, typename Run>
void Paired(benchmark::State& state, const char* baseline_name, Baseline baseline, Run run) {
  PairedTimes times;
  for (auto _ : state) {
    const Timing base = Time(baseline);
    const Timing t = Time([&] {
      if (run() != 0) state.SkipWithError("the command failed");
    });
    times.Add(base, t);
  }
  times.Report(state, baseline_name);
  state.counters["peak_rss_mb"] = PeakRssMegabytes();
}

void BM_Analysis(benchmark::State& state, std::vector<std::string> command) {
  const long episodes = state.range(0);
  if (!Prepare(episodes)) return SkipUnprepared(state);
  Paired(
      state, "read_decode", [&] { ReadAndDecode(HostTable(episodes)); },
      [&] { return Cli(command); });
  state.SetItemsProcessed(state.iterations() * episodes);
}

void BM_HistoryAppend(benchmark::State& state) {
  const long episodes = state.range(0);
  if (!Prepare(episodes) ||
      Cli({"config", "set", "history", "C:\\Quirovel\\trabajo\\historico.dbf"}) != 0)
    return SkipUnprepared(state);
  SilentFeedback quiet;
  // The baseline empties the history too (a header of 2 KB) for the append that follows.
  Paired(
      state, "copy",
      [&] {
        CopyStructure(RealFileSystem(), quiet, HostTable(episodes), HostHistory());
        CopyFile(HostTable(episodes), Root() + "/copy.dbf");
      },
      [&] {
        return Cli({"history", "append", "--yes"});
      });
  state.SetItemsProcessed(state.iterations() * episodes);
}

BENCHMARK_CAPTURE(BM_Analysis, readmissions_year,
                  std::vector<std::string>{"readmissions", "--from", "01/01/2006", "--to",
                                           "31/12/2006"})
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_Analysis, readmissions_30000,
                  std::vector<std::string>{"readmissions", "--from", "01/01/2006", "--to",
                                           "11/01/2006"})
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_Analysis, out_of_range,
                  std::vector<std::string>{"out-of-range", "--from", "01/01/2006", "--to",
                                           "30/06/2006"})
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_Analysis, discharge_range, std::vector<std::string>{"discharge-range"})
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(BM_HistoryAppend)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace quirovel

BENCHMARK_MAIN();
