// A session for tests of the detection run, its reports and the groupings,
// over the installation of CheckFixture (hospital "HOSPITAL DE PRUEBAS"),
// current file "C:\Quirovel\trabajo\episodios.dbf", a real "Quirovel.dat".
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

#include "detection/run_detection.h"
#include "platform/faulty_file_system.h"
#include "platform/recording_feedback.h"
#include "session/session.h"
#include "support/check_fixture.h"

namespace quirovel::testing {

// (catalogue number, field number) pairs by record number, recorded through
// SETERR in the order given.
using ErrorScript = std::map<std::int64_t, std::vector<std::pair<int, int>>>;
EpisodeCheck Scripted(ErrorScript script);

// The date and time of every report heading replaced by "DD/MM/AAAA HH:MM".
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

  // As CheckFixture::WriteTable, the table left closed.
  void WriteTable(const std::vector<Episode>& episodes,
                  const std::vector<std::string>& definitions = {});
  bool Run(int test_type, const EpisodeCheck& check);

  std::string Work(const std::string& name) const;  // "" when missing
  bool WorkExists(const std::string& name) const;
  std::string WorkPath(const std::string& name) const { return installation_.WorkPath(name); }
  ConfigRecord SavedConfig() const;  // as saved in "Quirovel.dat"

 private:
  CheckFixture installation_;
  FaultyFileSystem fs_{RealFileSystem()};
  RecordingFeedback feedback_;
  std::unique_ptr<Session> session_;
};

}  // namespace quirovel::testing
