// CIE-9-MC lookups of every code of the sample kit's 2006 catalogue
// (CIE06.dbf, CIEDE06.dbf), diagnoses and procedures apart, through the
// in-memory copy of the attributes table and through the table itself.
// Items per second = lookups per second.
//
// The kit is looked for beside the benchmark (<build>/kit/QUIROVEL, built by
// the sample_kit target), else in $QUIROVEL_KIT.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/recording_feedback.h"
#include "reference/cie_catalogue.h"
#include "validation/checks.h"

namespace quirovel {
namespace {

std::string KitDirectory() {
  char buffer[4096];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n > 0) {
    std::string exe(buffer, static_cast<std::size_t>(n));
    std::string beside = exe.substr(0, exe.find_last_of('/')) + "/kit/QUIROVEL";
    if (RealFileSystem().IsDirectory(beside)) return beside;
  }
  if (const char* env = std::getenv("QUIROVEL_KIT"); env != nullptr && *env != '\0')
    return std::string(env) + "/QUIROVEL";
  return {};
}

struct Codes {
  std::vector<std::string> diagnoses;   // 6 characters, as C1 holds them
  std::vector<std::string> procedures;  // 5 characters, as P1 holds them
};

class LookupBench : public benchmark::Fixture {
 public:
  void SetUp(const benchmark::State& state) override {
    const std::string kit = KitDirectory();
    catalogue_ = std::make_unique<CieCatalogue>(RealFileSystem(), feedback_);
    if (kit.empty()) return;
    catalogue_->Open(kit + "/CIE06.dbf", kit + "/CIEDE06.dbf");
    catalogue_->BuildSampleIndex(10);
    catalogue_->set_use_memory_copy(state.range(0) == 1);
    codes_ = {};
    DbfTable& table = catalogue_->attributes();
    for (std::int64_t r = 1; r <= table.record_count() && table.ReadRecord(r) == 0; ++r) {
      std::string code(table.FieldText(1));
      std::string six = code.substr(0, 6);
      six.resize(6, ' ');
      if (IsProcedureShaped(six))
        codes_.procedures.push_back(code.substr(0, 5));
      else
        codes_.diagnoses.push_back(six);
    }
  }
  void TearDown(const benchmark::State&) override { catalogue_.reset(); }

 protected:
  void Run(benchmark::State& state, bool procedures) {
    const auto& codes = procedures ? codes_.procedures : codes_.diagnoses;
    if (codes.empty()) {
      state.SkipWithError("no sample kit: build the sample_kit target or set QUIROVEL_KIT");
      return;
    }
    std::int64_t found = 0;
    for (auto _ : state) {
      for (const std::string& code : codes) {
        std::int32_t r =
            procedures ? catalogue_->FindProcedure(code) : catalogue_->FindDiagnosis(code);
        found += r != 0;
        benchmark::DoNotOptimize(r);
      }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(codes.size()));
    state.counters["codes"] = static_cast<double>(codes.size());
    state.counters["found"] = static_cast<double>(found) / static_cast<double>(state.iterations());
  }

  RecordingFeedback feedback_;
  std::unique_ptr<CieCatalogue> catalogue_;
  Codes codes_;
};

// Argument 1: the memory copy; 0: the table through the table layer.
BENCHMARK_DEFINE_F(LookupBench, Diagnoses)(benchmark::State& state) { Run(state, false); }
BENCHMARK_DEFINE_F(LookupBench, Procedures)(benchmark::State& state) { Run(state, true); }
BENCHMARK_REGISTER_F(LookupBench, Diagnoses)->Arg(1)->Arg(0);
BENCHMARK_REGISTER_F(LookupBench, Procedures)->Arg(1)->Arg(0);

}  // namespace
}  // namespace quirovel

BENCHMARK_MAIN();
