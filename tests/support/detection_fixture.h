// A session over a temporary installation for tests of the detection run, its
// reports and the groupings. The installation is the one the episode checks
// use (CheckFixture: services 70100 MEDICINA INTERNA, 70440 PEDIATRIA, 70552
// OBSTETRICIA; hospital "HOSPITAL DE PRUEBAS"; catalogue 2002), with the
// current file "C:\Quirovel\trabajo\episodios.dbf" and a real "Quirovel.dat".
//
//   DetectionFixture f;
//   f.WriteTable({CleanEpisode(), CleanEpisode().Set("SEXO", "7")});
//   f.Run(kMensual, Scripted({{2, {{13, SEXO}}}}));   // or the real checks
//   EXPECT_EQ(WithoutTimes(f.Work("erragr.txt")), ...);
//
// Its file system keeps its faults to "fallos.dat": a size limit makes the
// writes of the log fall short, the way a full disk would.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "session/session.h"
#include "detection/run_detection.h"
#include "platform/faulty_file_system.h"
#include "platform/recording_feedback.h"
#include "support/check_fixture.h"

namespace quirovel::testing {

// Errors to record, by record number: (catalogue number, field number) pairs,
// recorded through SETERR in the order given.
using ErrorScript = std::map<std::int64_t, std::vector<std::pair<int, int>>>;
EpisodeCheck Scripted(ErrorScript script);

// The date and time that every report heading carries, replaced by
// "DD/MM/AAAA HH:MM", so reports can be compared with hand-written ones.
std::string WithoutTimes(const std::string& report);

// An expected report of tests/detection/expected/.
std::string ExpectedReport(const std::string& name);

class DetectionFixture {
 public:
  static constexpr const char* kCurrentFile = "C:\\Quirovel\\trabajo\\episodios.dbf";

  DetectionFixture();
  ~DetectionFixture();

  Session& session() { return *session_; }
  RecordingFeedback& feedback() { return feedback_; }
  FaultyFileSystem& fs() { return fs_; }
  CheckFixture& installation() { return installation_; }

  // Writes the current CMBD-A table (record n holds episodes[n - 1]).
  void WriteTable(const std::vector<Episode>& episodes,
                  const std::vector<std::string>& definitions = {});
  // The run under the given test type with the given check.
  bool Run(int test_type, const EpisodeCheck& check);

  // Bytes of a file of the working directory ("" when missing).
  std::string Work(const std::string& name) const;
  bool WorkExists(const std::string& name) const;
  std::string WorkPath(const std::string& name) const { return installation_.WorkPath(name); }
  // The configuration record as saved in "Quirovel.dat".
  ConfigRecord SavedConfig() const;

 private:
  CheckFixture installation_;
  FaultyFileSystem fs_{RealFileSystem()};
  RecordingFeedback feedback_;
  std::unique_ptr<Session> session_;
};

}  // namespace quirovel::testing
