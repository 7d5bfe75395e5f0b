// Stepping through the errors of a detection run of the generated CMBD-A file
// of 1,000,000 episodes, as page "Campos erroneos" does on each "-->" / "<--":
// with the "Tipo" search over a common error type, over the rarest type that
// occurs at least twice (each step crosses a large part of the log), and
// without a search. Each iteration is one step; at either end of the log the
// walk turns round (outside the timing). Counters per step: the log's bytes
// read ("log_bytes"), the entries examined ("entries") and, for scale, the
// log's size ("log_mb").
//
// The installation, the file and its detection run are made once under
// $TMPDIR/quirovel-bench-error-browser (from the kit beside this program) and kept.
#include <benchmark/benchmark.h>

#include <array>
#include <map>
#include <memory>
#include <string>

#include "bench_support.h"
#include "output/output_path.h"
#include "session/session.h"
#include "session/startup.h"
#include "ui/error_browser.h"
#include "validation/error_log_reader.h"

namespace quirovel {
namespace {

using namespace bench;

constexpr long kEpisodes = 1000000;

std::string Root() { return BenchRoot("error-browser"); }
const std::string kStoredTable = "C:\\Quirovel\\trabajo\\gen1000000.dbf";
std::string HostTable() { return Root() + "/QUIROVEL/trabajo/gen1000000.dbf"; }

bool Prepare() {
  static int prepared = -1;
  if (prepared >= 0) return prepared == 1;
  prepared = 0;
  if (!PrepareGenerated(Root(), HostTable(), kEpisodes)) return false;
  const std::string ready = Root() + "/QUIROVEL/trabajo/detected.txt";
  if (!RealFileSystem().Exists(ready)) {
    if (Quirovel(Root(), {"open", kStoredTable}) != 0 ||
        Quirovel(Root(), {"detect", "--test", "mensual"}) != 0)
      return false;
    if (!WriteWholeFile(RealFileSystem(), ready, "")) return false;
  }
  prepared = 1;
  return true;
}

struct Browsing {
  SilentFeedback quiet;
  Session session{RealFileSystem(), quiet, Root()};
  ErrorBrowser browser{session};
  Browsing() { LoadConfig(session); }
  ~Browsing() { CloseConfig(session); }
};

// The first index of the most and of the least frequent error type (the
// latter among types seen at least twice).
struct Types {
  std::int64_t common_first = 0, rare_first = 0;
  long rare_count = 0, common_count = 0;
};

Types FindTypes(Session& s) {
  ErrorLogReader log;
  log.Open(s.fs, OutputHostPath(s.config, s.paths, "fallos.dat"));
  std::map<int, std::pair<long, std::int64_t>> seen;  // type: count, first index
  ErrorLogReader::Bytes bytes{};
  for (std::int64_t k = 1; k <= s.config.ErrorCount() && log.Read(k, &bytes); ++k) {
    auto [it, fresh] = seen.try_emplace(ErrorEntry::Decode(bytes.data()).error, 0, k - 1);
    ++it->second.first;
  }
  Types t;
  for (const auto& [type, info] : seen) {
    if (info.first > t.common_count) t = {info.second, t.rare_first, t.rare_count, info.first};
    if (info.first >= 2 && (t.rare_count == 0 || info.first < t.rare_count)) {
      t.rare_first = info.second;
      t.rare_count = info.first;
    }
  }
  return t;
}

void Step(benchmark::State& state, SearchMode mode, bool rare) {
  if (!Prepare()) return SkipUnprepared(state);
  Browsing b;
  const Types types = FindTypes(b.session);
  b.browser.set_current(rare ? types.rare_first : types.common_first);
  b.browser.ShowError(0);
  b.browser.set_mode(mode);
  const int type = b.browser.entry().error;
  int direction = +1;
  double bytes = 0, entries = 0, most_bytes = 0;
  for (auto _ : state) {
    const std::int64_t before = b.browser.current();
    const bool shown = b.browser.ShowError(direction);
    if (!shown || (mode == SearchMode::kType && b.browser.entry().error != type)) {
      // The end of the log, or no more of the type that way: back, and turn round.
      state.PauseTiming();
      b.browser.set_current(before);
      b.browser.set_mode(SearchMode::kNone);
      b.browser.ShowError(0);
      b.browser.set_mode(mode);
      direction = -direction;
      state.ResumeTiming();
    }
    bytes += static_cast<double>(b.browser.log_bytes_read());
    entries += static_cast<double>(b.browser.entries_read());
    most_bytes = std::max(most_bytes, static_cast<double>(b.browser.log_bytes_read()));
  }
  state.counters["log_bytes"] = benchmark::Counter(bytes, benchmark::Counter::kAvgIterations);
  state.counters["entries"] = benchmark::Counter(entries, benchmark::Counter::kAvgIterations);
  state.counters["most_log_bytes"] = most_bytes;
  state.counters["log_mb"] = 32.0 * (b.session.config.ErrorCount() + 1) / 1e6;
  state.counters["type_count"] = static_cast<double>(rare ? types.rare_count : types.common_count);
}

void BM_TypeSearchCommon(benchmark::State& state) { Step(state, SearchMode::kType, false); }
void BM_TypeSearchRare(benchmark::State& state) { Step(state, SearchMode::kType, true); }
void BM_StepWithoutSearch(benchmark::State& state) { Step(state, SearchMode::kNone, false); }

BENCHMARK(BM_TypeSearchCommon)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeSearchRare)->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(BM_StepWithoutSearch)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quirovel

BENCHMARK_MAIN();
