// The code, delivery and stay checks of one episode over a catalogue the size
// of a real edition (about 18,000 codes): 34 code fields per episode, most of
// them looked up. Errors are switched off so only the checks are measured.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "platform/format.h"
#include "platform/recording_feedback.h"
#include "session/session.h"
#include "storage/block36.h"
#include "storage/table_files.h"
#include "validation/checks.h"
#include "validation/cmbd_layout.h"

namespace quirovel {
namespace {

std::string Padded(std::string code) {
  code.resize(6, ' ');
  return code;
}

std::vector<std::string> CatalogueCodes(std::vector<std::string>* diagnoses,
                                        std::vector<std::string>* procedures) {
  for (int d = 1; d <= 999; ++d)
    for (int x = 0; x <= 9; ++x) diagnoses->push_back(StrFormat("%03d.%d", d, x));
  for (int v = 1; v <= 89; ++v)
    for (int x = 0; x <= 9; ++x) diagnoses->push_back(StrFormat("V%02d.%d", v, x));
  for (int e = 800; e <= 999; ++e)
    for (int x = 0; x <= 9; ++x) diagnoses->push_back(StrFormat("E%03d.%d", e, x));
  for (int p = 0; p <= 99; ++p)
    for (int x = 0; x <= 49; ++x) procedures->push_back(StrFormat("%02d.%02d", p, x));
  std::vector<std::string> all = *diagnoses;
  all.insert(all.end(), procedures->begin(), procedures->end());
  std::sort(all.begin(), all.end(),
            [](const std::string& a, const std::string& b) { return Padded(a) < Padded(b); });
  return all;
}

class CodeChecksBench : public benchmark::Fixture {
 public:
  void SetUp(const benchmark::State&) override {
    char dir_template[] = "/tmp/quirovel-bench-XXXXXX";
    dir_ = mkdtemp(dir_template);
    session_ = std::make_unique<Session>(RealFileSystem(), feedback_, dir_);
    Session& s = *session_;
    std::vector<std::string> diagnoses, procedures;
    WriteCatalogue(s, CatalogueCodes(&diagnoses, &procedures));
    WriteEpisodes(s, diagnoses, procedures);
  }

  void TearDown(const benchmark::State&) override {
    session_.reset();
    std::system(("rm -rf '" + dir_ + "'").c_str());
  }

  void WriteCatalogue(Session& s, const std::vector<std::string>& codes) {
    const std::string attributes = dir_ + "/CIE02.dbf", descriptions = dir_ + "/CIEDE02.dbf";
    Create(s.fs, feedback_,
           {"CODIGO#C6", "NIVEL#C1", "VERSIONES#C5", "PRINCIPAL#C1", "SEXO#C1", "EDAD#C1",
            "PARTO#C1", "QUIRURGICO#C1"},
           attributes);
    Create(s.fs, feedback_, {"CODIGO#C6", "DESCRIPCIO#C72"}, descriptions);
    DbfTable a(s.fs, feedback_), d(s.fs, feedback_);
    a.Open(attributes);
    d.Open(descriptions);
    for (const std::string& code : codes) {
      a.SetFieldText(1, code);
      a.SetFieldText(2, "1");
      a.SetFieldText(3, "VVVVV");
      a.SetFieldText(7, code.compare(0, 3, "650") == 0 ? "T" : " ");
      a.SetFieldText(8, code.size() == 5 && code[4] < '3' ? "T" : " ");
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

  // Episodes with five to eight diagnoses, an external cause now and then and
  // up to three procedures, as a typical discharge file holds them.
  void WriteEpisodes(Session& s, const std::vector<std::string>& diagnoses,
                     const std::vector<std::string>& procedures) {
    const std::string path = dir_ + "/cmbd.dbf";
    std::vector<std::string_view> layout(kCmbdLayout.begin(), kCmbdLayout.end());
    Create(s.fs, feedback_, layout, path);
    std::mt19937 random(2006);
    auto pick = [&](const std::vector<std::string>& from) { return from[random() % from.size()]; };
    s.table.Open(path);
    for (int n = 0; n < 1000; ++n) {
      for (int f = 1; f <= kCmbdFieldCount; ++f) s.table.BlankField(f);
      s.table.SetFieldText(s.table.FieldNumber("FECNAC"), "19700315");
      s.table.SetFieldText(s.table.FieldNumber("SEXO"), "2");
      s.table.SetFieldText(s.table.FieldNumber("FECING"), "20050301");
      s.table.SetFieldText(s.table.FieldNumber("FECALT"), "20050310");
      s.table.SetFieldText(s.table.FieldNumber("SERVALT"), "70100");
      const int count = 5 + static_cast<int>(random() % 4);
      for (int c = 0; c < count; ++c) s.table.SetFieldText(C1 + c, pick(diagnoses));
      if (random() % 4 == 0) s.table.SetFieldText(CE, StrFormat("E8%02d.0", int(random() % 100)));
      const int operations = static_cast<int>(random() % 4);
      for (int p = 0; p < operations; ++p) s.table.SetFieldText(P1 + p, pick(procedures));
      if (operations > 0) s.table.SetFieldText(FEINTV, "20050302");
      s.table.Append();
    }
    AnalyseStructure(s);
    for (std::int64_t n = 1; n <= s.table.record_count(); ++n) {
      s.table.ReadRecord(n);
      DecodeRecord(s);
      episodes_.push_back(s.record);
    }
  }

  std::string dir_;
  RecordingFeedback feedback_;
  std::unique_ptr<Session> session_;
  std::vector<CmbdRecord> episodes_;
};

BENCHMARK_F(CodeChecksBench, CodeDeliveryAndStayChecksPerEpisode)(benchmark::State& state) {
  Session& s = *session_;
  CheckContext c = s.Checks();
  std::size_t i = 0;
  for (auto _ : state) {
    s.record = episodes_[i];
    if (++i == episodes_.size()) i = 0;
    CheckStays(c);
    for (int f = C1; f <= P15; ++f) CheckCodeField(c, f);
    CheckInterventionDates(c);
    CheckMainDiagnosisService(c);
    benchmark::DoNotOptimize(s.run.NotInVersionMark);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

}  // namespace
}  // namespace quirovel

BENCHMARK_MAIN();
