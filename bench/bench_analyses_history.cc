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
// "x_read_decode" (or "x_copy") is the ratio of the fastest of each, by
// elapsed time; "..._median" the median of each iteration's ratio.
//
// The installation and the files are made once under
// $TMPDIR/quirovel-bench-analyses (from the kit beside this program) and kept.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/command.h"
#include "platform/feedback.h"
#include "platform/file_system.h"
#include "storage/dbf_table.h"
#include "storage/table_files.h"
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
  return std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/quirovel-bench-analyses";
}

std::string StoredTable(long episodes) {
  return "C:\\Quirovel\\trabajo\\gen" + std::to_string(episodes) + ".dbf";
}
std::string HostTable(long episodes) {
  return Root() + "/QUIROVEL/trabajo/gen" + std::to_string(episodes) + ".dbf";
}
std::string HostHistory() { return Root() + "/QUIROVEL/trabajo/historico.dbf"; }

int Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  std::vector<std::string> all = {"--root", Root()};
  all.insert(all.end(), args.begin(), args.end());
  return RunCli(all, out, err);
}

// The installation and the generated file, made on first use, made current.
bool Prepare(long episodes) {
  FileSystem& fs = RealFileSystem();
  if (!fs.Exists(Root() + "/QUIROVEL/Quirovel.dat") && Cli({"init"}) != 0) return false;
  if (!fs.Exists(HostTable(episodes))) {
    const std::string command = "'" + ProgramDirectory() + "/cmbd_generator' '" +
                                HostTable(episodes) + "' --episodes " + std::to_string(episodes) +
                                " >/dev/null";
    if (std::system(command.c_str()) != 0) return false;
  }
  return Cli({"open", StoredTable(episodes)}) == 0;
}

double Seconds(const std::chrono::steady_clock::time_point& start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

template <typename Work>
double Timed(Work work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return Seconds(start);
}

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

// The file copied as any program would copy it: 1 MB blocks read and written.
void CopyFile(const std::string& from, const std::string& to) {
  std::FILE* in = std::fopen(from.c_str(), "rb");
  std::FILE* out = std::fopen(to.c_str(), "wb");
  std::vector<char> block(1 << 20);
  std::size_t n = 0;
  while (in != nullptr && out != nullptr && (n = std::fread(block.data(), 1, block.size(), in)) > 0)
    std::fwrite(block.data(), 1, n, out);
  if (out != nullptr) {
    std::fflush(out);
    ::fsync(::fileno(out));
    std::fclose(out);
  }
  if (in != nullptr) std::fclose(in);
}

// Times `run` against `baseline` in every iteration.
template <typename Baseline, typename Run>
void Paired(benchmark::State& state, const char* ratio, Baseline baseline, Run run) {
  double best = 1e30, base_best = 1e30;
  std::vector<double> ratios;
  for (auto _ : state) {
    const double base = Timed(baseline);
    const double t = Timed([&] {
      if (run() != 0) state.SkipWithError("the command failed");
    });
    ratios.push_back(t / base);
    best = std::min(best, t);
    base_best = std::min(base_best, base);
  }
  std::sort(ratios.begin(), ratios.end());
  state.counters["best_ms"] = best * 1000;
  state.counters[std::string(ratio) == "x_copy" ? "copy_best_ms" : "read_decode_best_ms"] =
      base_best * 1000;
  state.counters[ratio] = best / base_best;
  state.counters[std::string(ratio) + "_median"] = ratios[ratios.size() / 2];
}

void BM_Analysis(benchmark::State& state, std::vector<std::string> command) {
  const long episodes = state.range(0);
  if (!Prepare(episodes)) {
    state.SkipWithError("cannot prepare the installation (is the kit built beside this program?)");
    return;
  }
  Paired(
      state, "x_read_decode", [&] { ReadAndDecode(episodes); }, [&] { return Cli(command); });
  state.SetItemsProcessed(state.iterations() * episodes);
}

void BM_HistoryAppend(benchmark::State& state) {
  const long episodes = state.range(0);
  if (!Prepare(episodes) ||
      Cli({"config", "set", "history", "C:\\Quirovel\\trabajo\\historico.dbf"}) != 0) {
    state.SkipWithError("cannot prepare the installation (is the kit built beside this program?)");
    return;
  }
  SilentFeedback quiet;
  // The baseline empties the history too (a header of 2 KB) for the append that follows.
  Paired(
      state, "x_copy",
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
