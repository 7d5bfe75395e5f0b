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
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/cli/command.h"
#include "platform/feedback.h"
#include "platform/file_system.h"
#include "storage/dbf_table.h"
#include "validation/cmbd_record.h"
#include "validation/field_map.h"

namespace quirovel {
namespace {

std::string ProgramDirectory() {
  char path[4096];
  ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  std::string exe(path, static_cast<std::size_t>(n));
  return exe.substr(0, exe.rfind('/'));
}

std::string Root() {
  const char* tmp = std::getenv("TMPDIR");
  return std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/quirovel-bench-detect";
}

std::string StoredTable(long episodes) {
  return "C:\\Quirovel\\trabajo\\gen" + std::to_string(episodes) + ".dbf";
}
std::string HostTable(long episodes) {
  return Root() + "/QUIROVEL/trabajo/gen" + std::to_string(episodes) + ".dbf";
}

int Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  return RunCli(args, out, err);
}

// The installation and the generated file, made on first use.
bool Prepare(long episodes) {
  FileSystem& fs = RealFileSystem();
  if (!fs.Exists(Root() + "/QUIROVEL/Quirovel.dat") && Cli({"--root", Root(), "init"}) != 0)
    return false;
  if (!fs.Exists(HostTable(episodes))) {
    const std::string command = "'" + ProgramDirectory() + "/cmbd_generator' '" +
                                HostTable(episodes) + "' --episodes " + std::to_string(episodes) +
                                " >/dev/null";
    if (std::system(command.c_str()) != 0) return false;
  }
  return true;
}

struct Best {
  double wall = 1e30;
  double cpu = 1e30;
};

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Times one iteration, keeping the fastest.
template <typename Work>
void Timed(Best* best, Work work) {
  const auto start = std::chrono::steady_clock::now();
  const double cpu = CpuSeconds();
  work();
  best->cpu = std::min(best->cpu, CpuSeconds() - cpu);
  best->wall = std::min(
      best->wall, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

// Every record of the file read and decoded, as the run does before its checks.
void ReadAndDecode(long episodes) {
  SilentFeedback quiet;
  DbfTable table(RealFileSystem(), quiet);
  table.Open(HostTable(episodes));
  FieldMap map;
  StructureReport report;
  AnalyseStructure(table, &map, &report);
  CmbdRecord record;
  const std::int64_t n = table.record_count();
  for (std::int64_t r = 1; r <= n && table.ReadRecord(r) == 0; ++r) {
    DecodeRecord(table, map, &record);
    benchmark::DoNotOptimize(record);
  }
}

void BM_ReadDecode(benchmark::State& state) {
  const long episodes = state.range(0);
  if (!Prepare(episodes)) {
    state.SkipWithError("cannot prepare the installation (is the kit built beside this program?)");
    return;
  }
  Best best;
  for (auto _ : state) Timed(&best, [&] { ReadAndDecode(episodes); });
  state.counters["best_ms"] = best.wall * 1000;
  state.counters["best_cpu_ms"] = best.cpu * 1000;
  state.SetItemsProcessed(state.iterations() * episodes);
}

void BM_DetectRun(benchmark::State& state) {
  const long episodes = state.range(0);
  if (!Prepare(episodes) || Cli({"--root", Root(), "open", StoredTable(episodes)}) != 0) {
    state.SkipWithError("cannot prepare the installation (is the kit built beside this program?)");
    return;
  }
  Best best, read_best;
  std::vector<double> ratios;
  for (auto _ : state) {
    Best read, run;
    Timed(&read, [&] { ReadAndDecode(episodes); });
    Timed(&run, [&] {
      if (Cli({"--root", Root(), "detect"}) != 0) state.SkipWithError("quirovel detect failed");
    });
    ratios.push_back(run.wall / read.wall);
    for (auto [into, from] : {std::pair{&best, &run}, std::pair{&read_best, &read}}) {
      into->wall = std::min(into->wall, from->wall);
      into->cpu = std::min(into->cpu, from->cpu);
    }
  }
  std::sort(ratios.begin(), ratios.end());
  state.counters["best_ms"] = best.wall * 1000;
  state.counters["best_cpu_ms"] = best.cpu * 1000;
  state.counters["read_decode_best_ms"] = read_best.wall * 1000;
  state.counters["x_read_decode"] = best.wall / read_best.wall;
  state.counters["x_read_decode_cpu"] = best.cpu / read_best.cpu;
  state.counters["x_read_decode_median"] = ratios[ratios.size() / 2];
  state.SetItemsProcessed(state.iterations() * episodes);
}

BENCHMARK(BM_ReadDecode)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_DetectRun)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(7);

}  // namespace
}  // namespace quirovel

BENCHMARK_MAIN();
