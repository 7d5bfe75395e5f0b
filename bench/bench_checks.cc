// The whole per-episode check (CheckAdministrative) on episodes already
// decoded, as a detection run does it: realistic episodes with about five
// codes and about one error each, entries written to "fallos.dat" and lines
// to "errores.txt" in a temporary directory. Items per second = episodes per
// second.
//
// Each iteration copies a decoded episode in; reading and decoding records
// are measured by bench_read_decode. The error lines print the raw field
// texts of the table's record buffer, which stays on the last record read:
// other bytes than a run would print, the same amount of work.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/format.h"
#include "platform/recording_feedback.h"
#include "reference/config_defaults.h"
#include "session/session.h"
#include "storage/block36.h"
#include "storage/table_files.h"
#include "validation/checks.h"
#include "validation/cmbd_layout.h"
#include "validation/seterr.h"

namespace quirovel {
namespace {

constexpr int kEpisodes = 10000;
// The files are started afresh this often so a long benchmark stays small on disk.
constexpr std::int64_t kEpisodesPerRun = 200000;

std::string Padded(std::string code) {
  code.resize(6, ' ');
  return code;
}

void WriteText(const std::string& path, const std::string& text) {
  WriteWholeFile(RealFileSystem(), path, text);
}

class ChecksBench : public benchmark::Fixture {
 public:
  void SetUp(const benchmark::State&) override {
    char dir_template[] = "/tmp/quirovel-bench-XXXXXX";
    dir_ = mkdtemp(dir_template);
    session_ = std::make_unique<Session>(RealFileSystem(), feedback_, dir_);
    Session& s = *session_;
    const std::string install = dir_ + "/QUIROVEL";
    s.fs.MakeDirectories(install);
    WriteText(install + "/servicios.txt", "CODIGSERVICIO\r\n70100MEDICINA INTERNA\r\n");
    WriteText(install + "/hospitnosas.txt", "02001\r\n28001\r\n");
    WriteText(install + "/ocupaciones.txt", "001\r\n010\r\n");
    std::string postal((2002 - 1000 + 1) * 4, '\0');
    postal[(2001 - 1000) * 4] = 1;
    WriteText(install + "/ZKCP.dat", postal);
    s.config = NewConfigRecord();
    LoadReferenceTables(s.fs, feedback_, s.paths, &s.references);
    s.references.postal_codes.Open(s.fs, feedback_, install + "/ZKCP.dat");
    std::vector<std::string> diagnoses, procedures;
    WriteCatalogue(s, install, &diagnoses, &procedures);
    WriteEpisodes(s, diagnoses, procedures);
  }

  void TearDown(const benchmark::State&) override {
    session_->run.log.Close();
    session_->run.errors_report.Close();
    session_.reset();
    std::system(("rm -rf '" + dir_ + "'").c_str());
  }

  void WriteCatalogue(Session& s, const std::string& install, std::vector<std::string>* diagnoses,
                      std::vector<std::string>* procedures) {
    for (int d = 1; d <= 799; ++d)
      for (int x = 0; x <= 9; ++x) diagnoses->push_back(StrFormat("%03d.%d", d, x));
    for (int p = 0; p <= 99; ++p)
      for (int x = 0; x <= 49; ++x) procedures->push_back(StrFormat("%02d.%02d", p, x));
    std::vector<std::string> all = *diagnoses;
    all.insert(all.end(), procedures->begin(), procedures->end());
    std::sort(all.begin(), all.end(),
              [](const std::string& a, const std::string& b) { return Padded(a) < Padded(b); });
    const std::string attributes = install + "/CIE02.dbf", descriptions = install + "/CIEDE02.dbf";
    Create(s.fs, feedback_,
           {"CODIGO#C6", "NIVEL#C1", "VERSIONES#C5", "PRINCIPAL#C1", "SEXO#C1", "EDAD#C1",
            "PARTO#C1", "QUIRURGICO#C1"},
           attributes);
    Create(s.fs, feedback_, {"CODIGO#C6", "DESCRIPCIO#C72"}, descriptions);
    DbfTable a(s.fs, feedback_), d(s.fs, feedback_);
    a.Open(attributes);
    d.Open(descriptions);
    for (const std::string& code : all) {
      a.SetFieldText(1, code);
      a.SetFieldText(2, "1");
      a.SetFieldText(3, "VVVVV");
      a.Append();
      d.SetFieldText(1, code);
      d.SetFieldText(2, EncodeBlock36("Codigo " + code));
      d.Append();
    }
    a.Close();
    d.Close();
    s.catalogue.Open(attributes, descriptions);
    s.catalogue.BuildSampleIndex(10);
  }

  // Three diagnoses and two procedures each; one administrative or coding
  // fault in each episode, in turn.
  void WriteEpisodes(Session& s, const std::vector<std::string>& diagnoses,
                     const std::vector<std::string>& procedures) {
    const std::string path = dir_ + "/cmbd.dbf";
    std::vector<std::string_view> layout(kCmbdLayout.begin(), kCmbdLayout.end());
    Create(s.fs, feedback_, layout, path);
    std::mt19937 random(2006);
    auto pick = [&](const std::vector<std::string>& from) { return from[random() % from.size()]; };
    s.table.Open(path);
    auto set = [&](int k, const std::string& v) {
      s.table.SetFieldText(s.table.FieldNumber(CmbdFieldName(k)), v);
    };
    for (int n = 0; n < kEpisodes; ++n) {
      for (int f = 1; f <= kCmbdFieldCount; ++f) s.table.BlankField(f);
      set(PROCEDEN, "1");
      set(AFILISS, "281234567890");
      set(HOSPITAL, "02012");
      set(HISTORIA, StrFormat("%d", 100000 + n));
      set(ASISTENC, StrFormat("05%05d", n));
      set(FECNAC, "19700315");
      set(SEXO, "2");
      set(RESIDE, "02001");
      set(OCUPACION, "001");
      set(REGFIN, "1");
      set(FECING, "20050301");
      set(TIPING, "1");
      set(SERVING, "70100");
      set(SERVALT, "70100");
      set(FECALT, "20050310");
      set(TIPALT, "1");
      for (int c = 0; c < 3; ++c) set(C1 + c, pick(diagnoses));
      for (int p = 0; p < 2; ++p) set(P1 + p, pick(procedures));
      set(FEINTV, "20050302");
      switch (n % 5) {
        case 0:
          set(SEXO, "9");
          break;  // E92
        case 1:
          set(OCUPACION, "002");
          break;  // E105
        case 2:
          set(C1 + 2, "000.0");
          break;  // E241, not in the catalogue
        case 3:
          set(FEINTV, "20050228");
          break;  // E271
        case 4:
          set(TRASH, "99999");
          break;  // E222
      }
      s.table.Append();
    }
    AnalyseStructure(s);
    for (std::int64_t n = 1; n <= s.table.record_count(); ++n) {
      s.table.ReadRecord(n);
      DecodeRecord(s);
      episodes_.push_back(s.record);
    }
  }

  // A new run: counters cleared, "errores.txt" emptied, "fallos.dat" reused.
  void StartRun(bool errors_file) {
    Session& s = *session_;
    s.run.log.Close();
    s.run.errors_report.Close();
    s.run.ResetCounters();
    s.run.TestType = kMensual;
    s.run.ErrorsFileOption = errors_file;
    s.run.VersionLabel = "2002";
    s.run.log.Open(s.fs, dir_ + "/fallos.dat");
    s.run.errors_report.Create(s.fs, dir_ + "/errores.txt");
  }

  void Run(benchmark::State& state, bool errors_file, bool to_memory) {
    Session& s = *session_;
    std::vector<ErrorEntry> sink;
    StartRun(errors_file);
    if (to_memory) s.run.entry_sink = &sink;
    std::int64_t in_run = 0, errors = 0;
    std::size_t i = 0;
    CheckContext checks = s.Checks();
    for (auto _ : state) {
      if (++in_run == kEpisodesPerRun) {
        state.PauseTiming();
        errors += s.run.ErrorCount;
        StartRun(errors_file);
        sink.clear();
        in_run = 0;
        state.ResumeTiming();
      }
      s.record = episodes_[i];
      s.run.CurrentRecordNumber = static_cast<std::int64_t>(i) + 1;
      if (++i == episodes_.size()) i = 0;
      CheckAdministrative(checks);
    }
    errors += s.run.ErrorCount;
    s.run.entry_sink = nullptr;
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
    state.counters["errors_per_episode"] =
        static_cast<double>(errors) /
        static_cast<double>(std::max<std::int64_t>(1, state.iterations()));
    if (!feedback_.messages.empty()) state.SkipWithError("a message was shown during the run");
  }

  std::string dir_;
  RecordingFeedback feedback_;
  std::unique_ptr<Session> session_;
  std::vector<CmbdRecord> episodes_;
};

BENCHMARK_F(ChecksBench, CheckAdministrativeWithLogAndErrorsFile)(benchmark::State& state) {
  Run(state, true, false);
}

BENCHMARK_F(ChecksBench, CheckAdministrativeWithLogOnly)(benchmark::State& state) {
  Run(state, false, false);
}

BENCHMARK_F(ChecksBench, CheckAdministrativeInMemory)(benchmark::State& state) {
  Run(state, false, true);
}

}  // namespace
}  // namespace quirovel

BENCHMARK_MAIN();
