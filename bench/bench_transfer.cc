// The text import and the exports on 1,000,000 episodes, each paired in the
// same iteration with a plain copy of the same bytes (read and written in
// 1 MiB blocks, as cp does):
//   ImportFixed      a fixed-width text file of 1,000,000 lines (the text
//                    export of the generated table, dates DDMMAAAA) into a
//                    CMBD-A table; paired with a copy of the text file;
//   ImportSeparated  the same episodes with values separated by "|", blanks
//                    trimmed, dates AAAAMMDD; paired with a copy of that file;
//   ExportText / ExportDbf  `quirovel export` of the whole period of the
//                    1,000,000-episode table; paired with a copy of the table.
// "x_copy" is the ratio of the fastest of each by elapsed time,
// "x_copy_median" the median of the ratios of each iteration's pair, and
// "x_copy_cpu" the ratio by the processor time the process used. The import
// and the exports flush their file to the disk before renaming it (the copy
// does not), which the elapsed time includes.
// "peak_rss_mb" is the process's peak resident memory after the benchmark.
//
// The installation and the files are made once under
// $TMPDIR/quirovel-bench-transfer (from the kit beside this program) and kept.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <time.h>
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
#include "transfer/text_import.h"
#include "validation/cmbd_layout.h"

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
  return std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/quirovel-bench-transfer";
}
std::string Work(const std::string& name) { return Root() + "/QUIROVEL/trabajo/" + name; }

int Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  std::vector<std::string> all = {"--root", Root()};
  all.insert(all.end(), args.begin(), args.end());
  return RunCli(all, out, err);
}

// The separated text: each record's values with their blanks trimmed.
bool WriteSeparated(const std::string& table_path, const std::string& text_path) {
  SilentFeedback quiet;
  DbfTable table(RealFileSystem(), quiet);
  if (table.Open(table_path) != 1) return false;
  std::FILE* out = std::fopen(text_path.c_str(), "wb");
  if (out == nullptr) return false;
  std::string line;
  for (std::int64_t r = 1; r <= table.record_count() && table.ReadRecord(r) == 0; ++r) {
    line.clear();
    for (int i = 1; i <= table.field_count(); ++i) {
      std::string_view v = table.FieldText(i);
      while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
      while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
      if (i > 1) line += '|';
      line.append(v);
    }
    line += "\r\n";
    std::fwrite(line.data(), 1, line.size(), out);
  }
  return std::fclose(out) == 0;
}

bool Prepare() {
  FileSystem& fs = RealFileSystem();
  if (!fs.Exists(Root() + "/QUIROVEL/Quirovel.dat") && Cli({"init"}) != 0) return false;
  const std::string table = Work("gen.dbf");
  if (!fs.Exists(table)) {
    const std::string command = "'" + ProgramDirectory() + "/cmbd_generator' '" + table +
                                "' --episodes " + std::to_string(kEpisodes) + " >/dev/null";
    if (std::system(command.c_str()) != 0) return false;
  }
  if (Cli({"open", table}) != 0) return false;
  SilentFeedback quiet;
  if (!fs.Exists(Work("estructura.dbf")) &&
      !Create(fs, quiet, {kCmbdLayout.begin(), kCmbdLayout.end()}, Work("estructura.dbf")))
    return false;
  if (!fs.Exists(Work("FIJO.TXT")) &&
      Cli({"export", "--from", "01/01/1900", "--to", "31/12/2099", "--name", "FIJO"}) != 0)
    return false;
  if (!fs.Exists(Work("SEPARADO.TXT")) && !WriteSeparated(table, Work("SEPARADO.TXT")))
    return false;
  return true;
}

double Seconds(const std::chrono::steady_clock::time_point& start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Time {
  double wall, cpu;
};

template <typename Work>
Time Timed(Work work) {
  const auto start = std::chrono::steady_clock::now();
  const double cpu = CpuSeconds();
  work();
  return {Seconds(start), CpuSeconds() - cpu};
}

// cp: 1 MiB blocks read and written.
void Copy(const std::string& from, const std::string& to) {
  std::FILE* in = std::fopen(from.c_str(), "rb");
  std::FILE* out = std::fopen(to.c_str(), "wb");
  std::vector<char> block(1 << 20);
  for (std::size_t n; (n = std::fread(block.data(), 1, block.size(), in)) > 0;)
    std::fwrite(block.data(), 1, n, out);
  std::fclose(in);
  std::fclose(out);
}

void Paired(benchmark::State& state, const std::string& copied, void (*work)(benchmark::State&)) {
  if (!Prepare()) {
    state.SkipWithError("cannot prepare the installation (is the kit built beside this program?)");
    return;
  }
  double best = 1e30, copy_best = 1e30, cpu = 1e30, copy_cpu = 1e30;
  std::vector<double> ratios;
  for (auto _ : state) {
    const Time copy = Timed([&] { Copy(copied, Work("copia.tmp")); });
    const Time run = Timed([&] { work(state); });
    best = std::min(best, run.wall);
    copy_best = std::min(copy_best, copy.wall);
    cpu = std::min(cpu, run.cpu);
    copy_cpu = std::min(copy_cpu, copy.cpu);
    ratios.push_back(run.wall / copy.wall);
  }
  std::remove(Work("copia.tmp").c_str());
  std::sort(ratios.begin(), ratios.end());
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["best_ms"] = best * 1000;
  state.counters["copy_best_ms"] = copy_best * 1000;
  state.counters["x_copy"] = best / copy_best;
  state.counters["x_copy_median"] = ratios[ratios.size() / 2];
  state.counters["x_copy_cpu"] = cpu / copy_cpu;
  state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024;
  state.SetItemsProcessed(state.iterations() * kEpisodes);
}

void Import(benchmark::State& state, const char* text, TextImportOptions options) {
  SilentFeedback quiet;
  const TextImportResult r =
      RunTextImport(RealFileSystem(), quiet,
                    {Work(text), Work("estructura.dbf"), Work("importada.dbf"), options, false});
  if (r.end != TextImportEnd::kCompleted || r.records < kEpisodes * 99 / 100)
    state.SkipWithError("the import did not read every line");
}

void BM_ImportFixed(benchmark::State& state) {
  Paired(state, Work("FIJO.TXT"), [](benchmark::State& s) {
    Import(s, "FIJO.TXT", {true, '|', ' ', "4"});
  });
}

void BM_ImportSeparated(benchmark::State& state) {
  Paired(state, Work("SEPARADO.TXT"), [](benchmark::State& s) {
    Import(s, "SEPARADO.TXT", {false, '|', ' ', "6"});
  });
}

void BM_ExportText(benchmark::State& state) {
  Paired(state, Work("gen.dbf"), [](benchmark::State& s) {
    if (Cli({"export", "--from", "01/01/1900", "--to", "31/12/2099", "--name", "BENCH"}) != 0)
      s.SkipWithError("quirovel export failed");
  });
}

void BM_ExportDbf(benchmark::State& state) {
  Paired(state, Work("gen.dbf"), [](benchmark::State& s) {
    if (Cli({"export", "--format", "dbf", "--from", "01/01/1900", "--to", "31/12/2099", "--name",
             "BENCH"}) != 0)
      s.SkipWithError("quirovel export failed");
  });
}

BENCHMARK(BM_ImportFixed)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ImportSeparated)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ExportText)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ExportDbf)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace quirovel

BENCHMARK_MAIN();
