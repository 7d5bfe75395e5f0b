// `quirovel dump` of a generated CMBD-A file of 200,000 episodes into a file,
// as `quirovel dump ... > file` does, against the least any dump must do:
// reading the table and writing as many bytes into a file. "x_scan_write" is
// the ratio of the fastest of each; the goal is 3 or less.
//
// The installation and the file are made once under
// $TMPDIR/quirovel-bench-dump (from the kit beside this program) and kept.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "app/cli/command.h"
#include "bench_support.h"
#include "platform/feedback.h"
#include "platform/file_system.h"
#include "storage/dbf_table.h"

namespace quirovel {
namespace {

constexpr long kEpisodes = 200000;

// Counts what is written and keeps nothing.
class CountingBuffer final : public std::streambuf {
 public:
  std::size_t count = 0;

 protected:
  int overflow(int c) override {
    ++count;
    return c;
  }
  std::streamsize xsputn(const char*, std::streamsize n) override {
    count += static_cast<std::size_t>(n);
    return n;
  }
};

std::string Root() { return bench::BenchRoot("dump"); }

std::string Table() { return Root() + "/QUIROVEL/trabajo/gen.dbf"; }

bool Prepare() { return bench::PrepareGenerated(Root(), Table(), kEpisodes); }

// The dump's output size, measured once.
std::size_t DumpBytes() {
  CountingBuffer counted;
  std::ostream out(&counted);
  std::ostringstream err;
  RunCli({"--root", Root(), "dump", Table()}, out, err);
  return counted.count;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void BM_DumpAgainstScanAndWrite(benchmark::State& state) {
  if (!Prepare()) {
    state.SkipWithError("cannot prepare the installation (is the kit built beside this program?)");
    return;
  }
  const std::size_t bytes = DumpBytes();
  const std::string block(1 << 16, 'x');
  double best_dump = 1e30, best_scan = 1e30;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    {
      std::ofstream out(Root() + "/dump.txt", std::ios::binary | std::ios::trunc);
      std::ostringstream err;
      if (RunCli({"--root", Root(), "dump", Table()}, out, err) != 0)
        state.SkipWithError("quirovel dump failed");
    }
    best_dump = std::min(best_dump, Seconds(start));

    start = std::chrono::steady_clock::now();
    {
      SilentFeedback quiet;
      DbfTable table(RealFileSystem(), quiet);
      table.Open(Table());
      std::ofstream out(Root() + "/scan.txt", std::ios::binary | std::ios::trunc);
      for (std::int64_t r = 1; r <= table.record_count() && table.ReadRecord(r) == 0; ++r)
        benchmark::DoNotOptimize(table.Record().data());
      for (std::size_t left = bytes; left > 0; left -= std::min(left, block.size()))
        out.write(block.data(), static_cast<std::streamsize>(std::min(left, block.size())));
    }
    best_scan = std::min(best_scan, Seconds(start));
  }
  state.counters["dump_best_ms"] = best_dump * 1000;
  state.counters["scan_write_best_ms"] = best_scan * 1000;
  state.counters["x_scan_write"] = best_dump / best_scan;
  state.counters["output_mb"] = static_cast<double>(bytes) / 1e6;
}

BENCHMARK(BM_DumpAgainstScanAndWrite)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace quirovel

BENCHMARK_MAIN();
