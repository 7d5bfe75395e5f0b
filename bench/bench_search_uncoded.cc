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
#include <sys/resource.h>
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

constexpr long kEpisodes = 1000000;

std::string ProgramDirectory() {
  char path[4096];
  ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  std::string exe(path, static_cast<std::size_t>(n));
  return exe.substr(0, exe.rfind('/'));
}

std::string Root() {
  const char* tmp = std::getenv("TMPDIR");
  return std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/quirovel-bench-analyses";
}

const std::string kStoredTable = "C:\\Quirovel\\trabajo\\gen1000000.dbf";
std::string HostTable() { return Root() + "/QUIROVEL/trabajo/gen1000000.dbf"; }

int Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  std::vector<std::string> all = {"--root", Root()};
  all.insert(all.end(), args.begin(), args.end());
  return RunCli(all, out, err);
}

// The installation, the file and the log of its detection run, made on first use.
bool Prepare() {
  static int prepared = -1;
  if (prepared >= 0) return prepared == 1;
  FileSystem& fs = RealFileSystem();
  prepared = 0;
  if (!fs.Exists(Root() + "/QUIROVEL/Quirovel.dat") && Cli({"init"}) != 0) return false;
  if (!fs.Exists(HostTable())) {
    const std::string command = "'" + ProgramDirectory() + "/cmbd_generator' '" + HostTable() +
                                "' --episodes " + std::to_string(kEpisodes) + " >/dev/null";
    if (std::system(command.c_str()) != 0) return false;
  }
  // Opening a file forgets the last run: the file is opened and checked once.
  const std::string ready = Root() + "/QUIROVEL/trabajo/detected.txt";
  if (!fs.Exists(ready)) {
    if (Cli({"open", kStoredTable}) != 0 || Cli({"detect", "--test", "mensual"}) != 0) return false;
    std::system(("touch '" + ready + "'").c_str());
  }
  prepared = 1;
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

template <typename Work>
Best Timed(Work work) {
  const auto start = std::chrono::steady_clock::now();
  const double cpu = CpuSeconds();
  work();
  return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
          CpuSeconds() - cpu};
}

void ReadAndDecode() {
  SilentFeedback quiet;
  DbfTable table(RealFileSystem(), quiet);
  table.Open(HostTable());
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

double PeakRssMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// One analysis paired with read+decode in every iteration.
void Paired(benchmark::State& state, const std::vector<std::string>& command) {
  if (!Prepare()) {
    state.SkipWithError("cannot prepare the installation (is the kit built beside this program?)");
    return;
  }
  Best best, read_best;
  std::vector<double> ratios;
  for (auto _ : state) {
    const Best read = Timed(ReadAndDecode);
    const Best run = Timed([&] {
      if (Cli(command) != 0) state.SkipWithError("the command failed");
    });
    ratios.push_back(run.wall / read.wall);
    best.wall = std::min(best.wall, run.wall);
    best.cpu = std::min(best.cpu, run.cpu);
    read_best.wall = std::min(read_best.wall, read.wall);
    read_best.cpu = std::min(read_best.cpu, read.cpu);
  }
  std::sort(ratios.begin(), ratios.end());
  state.counters["best_ms"] = best.wall * 1000;
  state.counters["read_decode_best_ms"] = read_best.wall * 1000;
  state.counters["x_read_decode"] = best.wall / read_best.wall;
  state.counters["x_read_decode_cpu"] = best.cpu / read_best.cpu;
  state.counters["x_read_decode_median"] = ratios[ratios.size() / 2];
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
