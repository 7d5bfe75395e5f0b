// A detection run's reading side over a CMBD-A file of a million episodes
// (320-byte records, 320 MB): every record read through DbfTable and decoded,
// against a plain sequential fread of the same file in 1 MB blocks, the floor
// that no reader of the file can beat. The file is generated once and kept
// under $TMPDIR (or /tmp) for later runs; episodes per second are reported as
// items_per_second.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/feedback.h"
#include "platform/file_system.h"
#include "platform/format.h"
#include "storage/dbf_table.h"
#include "storage/table_files.h"
#include "validation/cmbd_layout.h"
#include "validation/cmbd_record.h"
#include "validation/field_map.h"

namespace quirovel {
namespace {

constexpr long kEpisodes = 1000000;
constexpr long kRecordLength = 320;
constexpr long kHeaderLength = 32 * 63 + 33;

std::string BenchTablePath() {
  const char* tmp = std::getenv("TMPDIR");
  std::string dir = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/quirovel-bench";
  ::mkdir(dir.c_str(), 0755);
  return dir + "/cmbd_1m.dbf";
}

// One plausible episode, varied by n, laid out as a 320-byte record.
void FillRecord(long n, std::uint64_t* seed, DbfTable& layout, const std::vector<int>& field_of) {
  auto next = [seed](int modulo) {
    *seed = *seed * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<int>((*seed >> 33) % static_cast<std::uint64_t>(modulo));
  };
  auto set = [&](int k, const std::string& text) {
    layout.SetFieldText(field_of[static_cast<std::size_t>(k)], text);
  };
  static const char* const kCodes[] = {"650",   "V27.0",  "486", "428.0", "250.00",
                                       "401.9", "414.01", "585", "V30.00"};
  static const char* const kProcs[] = {"73.59", "74.1", "36.06", "88.56", "99.04", ""};
  static const char* const kServices[] = {"MIN", "CGD", "OBS", "TRA", "NEU", "PED"};
  for (int k = 1; k <= kCmbdFieldCount; ++k) set(k, "");
  set(PROCEDEN, std::to_string(1 + next(7)));
  set(HOSPITAL, "02012");
  set(AFILISS, StrFormat("02%010ld", 100000000L + n));
  set(HISTORIA, std::to_string(100000 + n % 400000));
  set(ASISTENC, std::to_string(n));
  const int year = 1920 + next(86);
  set(FECNAC, StrFormat("%04d%02d%02d", year, 1 + next(12), 1 + next(28)));
  set(SEXO, std::to_string(1 + next(2)));
  set(RESIDE, StrFormat("02%03d", next(999)));
  set(REGFIN, "1");
  const int month = 1 + next(12), day = 1 + next(20);
  set(FECING, StrFormat("2006%02d%02d", month, day));
  set(FECALT, StrFormat("2006%02d%02d", month, day + next(8)));
  set(TIPING, std::to_string(1 + next(2)));
  const char* service = kServices[next(6)];
  set(SERVING, service);
  set(SERVALT, service);
  set(TIPALT, "1");
  for (int c = 0, count = 1 + next(8); c < count; ++c) set(C1 + c, kCodes[next(9)]);
  for (int p = 0, count = next(4); p < count; ++p) set(P1 + p, kProcs[next(6)]);
  if (next(10) == 0) {
    set(FECPART, StrFormat("2006%02d%02d", month, day));
    set(TGESTAC, std::to_string(37 + next(5)));
    set(PESO1N, std::to_string(2500 + next(1500)));
    set(SEXO1N, std::to_string(1 + next(2)));
  }
  set(ESTUCI, std::to_string(next(3)));
  set(ESTURG, std::to_string(next(2)));
}

// Creates the table with Create, then writes the records in large blocks
// (a million appends would only measure the generator).
bool GenerateTable(const std::string& path) {
  SilentFeedback quiet;
  std::vector<std::string_view> defs(kCmbdLayout.begin(), kCmbdLayout.end());
  if (!Create(RealFileSystem(), quiet, defs, path)) return false;
  DbfTable layout(RealFileSystem(), quiet);
  if (layout.Open(path) != 1) return false;
  std::vector<int> field_of(kCmbdFieldCount + 1, 0);
  for (int k = 1; k <= kCmbdFieldCount; ++k)
    field_of[static_cast<std::size_t>(k)] = layout.FieldNumber(CmbdFieldName(k));
  std::FILE* out = std::fopen(path.c_str(), "r+b");
  if (out == nullptr) return false;
  std::fseek(out, kHeaderLength, SEEK_SET);
  std::uint64_t seed = 2006;
  for (long n = 1; n <= kEpisodes; ++n) {
    FillRecord(n, &seed, layout, field_of);
    std::fwrite(layout.Record().data(), 1, kRecordLength, out);
  }
  unsigned char count[4] = {
      static_cast<unsigned char>(kEpisodes), static_cast<unsigned char>(kEpisodes >> 8),
      static_cast<unsigned char>(kEpisodes >> 16), static_cast<unsigned char>(kEpisodes >> 24)};
  std::fseek(out, 4, SEEK_SET);
  std::fwrite(count, 1, 4, out);
  return std::fclose(out) == 0;
}

const std::string& BenchTable() {
  static const std::string path = [] {
    std::string p = BenchTablePath();
    struct stat st;
    if (::stat(p.c_str(), &st) != 0 || st.st_size != kHeaderLength + kRecordLength * kEpisodes) {
      std::fprintf(stderr, "generating %s ...\n", p.c_str());
      if (!GenerateTable(p)) {
        std::fprintf(stderr, "cannot generate %s\n", p.c_str());
        std::exit(1);
      }
    }
    return p;
  }();
  return path;
}

void BM_SequentialFread(benchmark::State& state) {
  const std::string& path = BenchTable();
  std::vector<char> block(1 << 20);
  for (auto _ : state) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    std::size_t n, total = 0;
    unsigned sum = 0;
    while ((n = std::fread(block.data(), 1, block.size(), in)) > 0) {
      total += n;
      sum += static_cast<unsigned char>(block[n - 1]);
    }
    std::fclose(in);
    benchmark::DoNotOptimize(sum);
    if (total != static_cast<std::size_t>(kHeaderLength + kRecordLength * kEpisodes))
      state.SkipWithError("short read");
  }
  state.SetItemsProcessed(state.iterations() * kEpisodes);
  state.SetBytesProcessed(state.iterations() * (kHeaderLength + kRecordLength * kEpisodes));
}

void BM_ReadRecord(benchmark::State& state) {
  const std::string& path = BenchTable();
  SilentFeedback quiet;
  for (auto _ : state) {
    DbfTable table(RealFileSystem(), quiet);
    if (table.Open(path) != 1) state.SkipWithError("cannot open");
    const long count = static_cast<long>(table.record_count());
    unsigned sum = 0;
    for (long n = 1; n <= count; ++n) {
      if (table.ReadRecord(n) != 0) break;
      sum += static_cast<unsigned char>(table.Record()[100]);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kEpisodes);
}

void BM_ReadRecordAndDecode(benchmark::State& state) {
  const std::string& path = BenchTable();
  SilentFeedback quiet;
  for (auto _ : state) {
    DbfTable table(RealFileSystem(), quiet);
    if (table.Open(path) != 1) state.SkipWithError("cannot open");
    FieldMap map;
    StructureReport report;
    AnalyseStructure(table, &map, &report);
    CmbdRecord record;
    const long count = static_cast<long>(table.record_count());
    long sum = 0;
    for (long n = 1; n <= count; ++n) {
      if (table.ReadRecord(n) != 0) break;
      DecodeRecord(table, map, &record);
      sum += record.AgeYears + record.PESO1N + record.C[0][0];
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kEpisodes);
}

BENCHMARK(BM_SequentialFread)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadRecord)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadRecordAndDecode)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace quirovel

BENCHMARK_MAIN();
