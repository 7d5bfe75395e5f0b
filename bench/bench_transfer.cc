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
// The ratios are those of bench_support.h ("x_copy"). The import, the
// exports and the copy all flush their file to the disk.
// "peak_rss_mb" is the process's peak resident memory after the benchmark.
//
// The installation and the files are made once under
// $TMPDIR/quirovel-bench-transfer (from the kit beside this program) and kept.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "storage/table_files.h"
#include "transfer/text_import.h"
#include "validation/cmbd_layout.h"

namespace quirovel {
namespace {

constexpr long kEpisodes = 1000000;

using namespace bench;

std::string Root() { return BenchRoot("transfer"); }
std::string Work(const std::string& name) { return Root() + "/QUIROVEL/trabajo/" + name; }

int Cli(const std::vector<std::string>& args) { return Quirovel(Root(), args); }

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
  const std::string table = Work("gen.dbf");
  if (!PrepareGenerated(Root(), table, kEpisodes)) return false;
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

void Paired(benchmark::State& state, const std::string& copied, void (*work)(benchmark::State&)) {
  if (!Prepare()) return SkipUnprepared(state);
  PairedTimes times;
  for (auto _ : state) {
    const Timing copy = Time([&] { CopyFile(copied, Work("copia.tmp")); });
    const Timing run = Time([&] { work(state); });
    times.Add(copy, run);
  }
  std::remove(Work("copia.tmp").c_str());
  times.Report(state, "copy");
  state.counters["peak_rss_mb"] = PeakRssMegabytes();
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
