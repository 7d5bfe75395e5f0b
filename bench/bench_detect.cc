// The whole detection run, `quirovel detect`, on generated CMBD-A files of
// 100,000 and 1,000,000 episodes (about five codes and one error each, from
// the sample kit's cmbd_generator): start-up, every record read, decoded and
// checked, the error log, "errores.txt", "resumen.txt" with its service table,
// both groupings. Beside it, reading and decoding the same file alone.
//
// Each iteration of the run benchmark reads and decodes the file and then runs
// the detection, so both are timed under the same conditions: "x_read_decode"
// is the ratio of the fastest of each, by elapsed time ("x_read_decode_cpu":
// by the processor time the process used), and "x_read_decode_median" the
// median of the ratios of each iteration's pair. On a machine shared with
// other work the speed changes from one minute to the next; the mean would
// say more about the neighbours than about the program.
//
// The installation and the files are made once under
// $TMPDIR/quirovel-bench-detect (from the kit beside this program) and kept.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_support.h"

namespace quirovel {
namespace {

using namespace bench;

std::string Root() { return BenchRoot("detect"); }

std::string StoredTable(long episodes) {
  return "C:\\Quirovel\\trabajo\\gen" + std::to_string(episodes) + ".dbf";
}
std::string HostTable(long episodes) {
  return Root() + "/QUIROVEL/trabajo/gen" + std::to_string(episodes) + ".dbf";
}

bool Prepare(long episodes) { return PrepareGenerated(Root(), HostTable(episodes), episodes); }

void BM_ReadDecode(benchmark::State& state) {
  const long episodes = state.range(0);
  if (!Prepare(episodes)) return SkipUnprepared(state);
  Timing best;
  for (auto _ : state) {
    const Timing t = Time([&] { ReadAndDecode(HostTable(episodes)); });
    best = {std::min(best.wall, t.wall), std::min(best.cpu, t.cpu)};
  }
  state.counters["best_ms"] = best.wall * 1000;
  state.counters["best_cpu_ms"] = best.cpu * 1000;
  state.SetItemsProcessed(state.iterations() * episodes);
}

void BM_DetectRun(benchmark::State& state) {
  const long episodes = state.range(0);
  if (!Prepare(episodes) || Quirovel(Root(), {"open", StoredTable(episodes)}) != 0)
    return SkipUnprepared(state);
  PairedTimes times;
  for (auto _ : state) {
    const Timing read = Time([&] { ReadAndDecode(HostTable(episodes)); });
    const Timing run = Time([&] {
      if (Quirovel(Root(), {"detect"}) != 0) state.SkipWithError("quirovel detect failed");
    });
    times.Add(read, run);
  }
  times.Report(state, "read_decode");
  state.SetItemsProcessed(state.iterations() * episodes);
}

BENCHMARK(BM_ReadDecode)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_DetectRun)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(7);

}  // namespace
}  // namespace quirovel

BENCHMARK_MAIN();
