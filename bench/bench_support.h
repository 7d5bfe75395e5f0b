// What the benchmarks share: an installation made from the kit beside the
// benchmark, a generated CMBD-A file, `quirovel` run in-process, reading and
// decoding a file as the baseline, a plain copy, and timings paired within
// each iteration. These machines change speed from one minute to the next, so
// every figure is compared with a baseline timed in the same iteration:
// "x_<baseline>" is the ratio of the fastest of each by elapsed time,
// "x_<baseline>_cpu" by the processor time the process used, and
// "x_<baseline>_median" the median of the ratios of each iteration's pair.
#pragma once

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
#include "validation/cmbd_record.h"
#include "validation/field_map.h"

namespace quirovel::bench {

inline std::string ProgramDirectory() {
  char path[4096];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  const std::string exe(path, static_cast<std::size_t>(n));
  return exe.substr(0, exe.rfind('/'));
}

// $TMPDIR/quirovel-bench-NAME: kept between runs, so files are made once.
inline std::string BenchRoot(const std::string& name) {
  const char* tmp = std::getenv("TMPDIR");
  return std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/quirovel-bench-" + name;
}

// `quirovel --root ROOT ARGS...` in this process; its output is dropped.
inline int Quirovel(const std::string& root, const std::vector<std::string>& args) {
  std::ostringstream out, err;
  std::vector<std::string> all = {"--root", root};
  all.insert(all.end(), args.begin(), args.end());
  return RunCli(all, out, err);
}

// The installation under root (from the kit beside the benchmark) and a
// generated table of `episodes` at host_table, each made when missing.
inline bool PrepareGenerated(const std::string& root, const std::string& host_table,
                             long episodes) {
  FileSystem& fs = RealFileSystem();
  if (!fs.Exists(root + "/QUIROVEL/Quirovel.dat") && Quirovel(root, {"init"}) != 0) return false;
  if (fs.Exists(host_table)) return true;
  const std::string command = "'" + ProgramDirectory() + "/cmbd_generator' '" + host_table +
                              "' --episodes " + std::to_string(episodes) + " >/dev/null";
  return std::system(command.c_str()) == 0;
}

inline void SkipUnprepared(benchmark::State& state) {
  state.SkipWithError("cannot prepare the installation (is the kit built beside this program?)");
}

// Every record of the table read and decoded, as every pass does before its work.
inline void ReadAndDecode(const std::string& host_table) {
  SilentFeedback quiet;
  DbfTable table(RealFileSystem(), quiet);
  table.Open(host_table);
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

// The file copied as any program would copy it: 1 MB blocks read and written, then flushed.
inline void CopyFile(const std::string& from, const std::string& to) {
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

inline double PeakRssMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

struct Timing {
  double wall = 1e30;
  double cpu = 1e30;
};

inline double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

template <typename Work>
Timing Time(Work work) {
  const auto start = std::chrono::steady_clock::now();
  const double cpu = CpuSeconds();
  work();
  return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
          CpuSeconds() - cpu};
}

// The fastest of a run and of its baseline, and every iteration's ratio.
class PairedTimes {
 public:
  void Add(const Timing& baseline, const Timing& run) {
    ratios_.push_back(run.wall / baseline.wall);
    Keep(&best_, run);
    Keep(&baseline_best_, baseline);
  }
  // Counters "best_ms", "best_cpu_ms", "<name>_best_ms", "x_<name>", "x_<name>_cpu",
  // "x_<name>_median".
  void Report(benchmark::State& state, const std::string& baseline_name) {
    if (ratios_.empty()) return;
    std::sort(ratios_.begin(), ratios_.end());
    state.counters["best_ms"] = best_.wall * 1000;
    state.counters["best_cpu_ms"] = best_.cpu * 1000;
    state.counters[baseline_name + "_best_ms"] = baseline_best_.wall * 1000;
    state.counters["x_" + baseline_name] = best_.wall / baseline_best_.wall;
    state.counters["x_" + baseline_name + "_cpu"] = best_.cpu / baseline_best_.cpu;
    state.counters["x_" + baseline_name + "_median"] = ratios_[ratios_.size() / 2];
  }

 private:
  static void Keep(Timing* best, const Timing& t) {
    best->wall = std::min(best->wall, t.wall);
    best->cpu = std::min(best->cpu, t.cpu);
  }
  Timing best_, baseline_best_;
  std::vector<double> ratios_;
};

}  // namespace quirovel::bench
