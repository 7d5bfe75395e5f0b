// The analyses of the current file on the generated CMBD-A file of 1,000,000
// episodes (from the sample kit's cmbd_generator), each as `quirovel` runs it:
// a code search with ten patterns (prefixes, ranges, single codes) and two
// conditions, the uncoded-discharge summary after a detection run (so the
// error counts come from a log of about a million entries), and the episode
// table of one service. Beside each, reading and decoding the same file.
//
// Each iteration reads and decodes the file and then runs the analysis, so
// both are timed under the same conditions: "x_read_decode" is the ratio of
// the fastest of each by elapsed time ("x_read_decode_cpu": by the processor
// time the process used), and "x_read_decode_median" the median of the
// ratios of each iteration's pair. "peak_rss_mb" is the largest resident set
// the process has had so far (the benchmarks run in order, so the first one
// run alone gives its own peak).
//
// The installation, the file and its detection run are made once under
// $TMPDIR/quirovel-bench-analyses (from the kit beside this program) and kept.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_support.h"

namespace quirovel {
namespace {

using namespace bench;

constexpr long kEpisodes = 1000000;

std::string Root() { return BenchRoot("analyses"); }

const std::string kStoredTable = "C:\\Quirovel\\trabajo\\gen1000000.dbf";
std::string HostTable() { return Root() + "/QUIROVEL/trabajo/gen1000000.dbf"; }

int Cli(const std::vector<std::string>& args) { return Quirovel(Root(), args); }

// The installation, the file and the log of its detection run, made on first use.
bool Prepare() {
  static int prepared = -1;
  if (prepared >= 0) return prepared == 1;
  prepared = 0;
  if (!PrepareGenerated(Root(), HostTable(), kEpisodes)) return false;
  // Opening a file forgets the last run: the file is opened and checked once.
  const std::string ready = Root() + "/QUIROVEL/trabajo/detected.txt";
  if (!RealFileSystem().Exists(ready)) {
    if (Cli({"open", kStoredTable}) != 0 || Cli({"detect", "--test", "mensual"}) != 0) return false;
    if (!WriteWholeFile(RealFileSystem(), ready, "")) return false;
  }
  prepared = 1;
  return true;
}

// One analysis paired with read+decode in every iteration.
void Paired(benchmark::State& state, const std::vector<std::string>& command) {
  if (!Prepare()) return SkipUnprepared(state);
  PairedTimes times;
  for (auto _ : state) {
    const Timing read = Time([] { ReadAndDecode(HostTable()); });
    const Timing run = Time([&] {
      if (Cli(command) != 0) state.SkipWithError("the command failed");
    });
    times.Add(read, run);
  }
  times.Report(state, "read_decode");
  state.counters["peak_rss_mb"] = PeakRssMegabytes();
  state.SetItemsProcessed(state.iterations() * kEpisodes);
}

void BM_Search(benchmark::State& state) {
  Paired(state, {"search", "486, 25*, 401.9, 428*, 410-414.99, E8*, V30*, 37.2-37.99, 45.13, 81.5*",
                 "--sex", "2", "--admission-type", "1"});
}

void BM_UncodedSummary(benchmark::State& state) { Paired(state, {"uncoded"}); }

void BM_EpisodeTableOfOneService(benchmark::State& state) {
  Paired(state, {"episodes", "--discharges", "70100", "--quiet"});
}

BENCHMARK(BM_Search)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_UncodedSummary)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_EpisodeTableOfOneService)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace quirovel

BENCHMARK_MAIN();
