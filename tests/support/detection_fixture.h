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
// Its file system can make the writes of "fallos.dat" fall short past a size,
// the way a full disk would, leaving every other file alone.
#pragma once

#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "session/session.h"
#include "detection/run_detection.h"
#include "platform/recording_feedback.h"
#include "support/check_fixture.h"

namespace quirovel::testing {

// Forwards to the real disk; writes to "fallos.dat" store nothing past a size.
class LogLimitFileSystem final : public FileSystem {
 public:
  void LimitLog(std::uint64_t bytes) { log_limit_ = bytes; }
  std::uint64_t log_limit() const { return log_limit_; }

  std::unique_ptr<File> Open(const std::string& path, OpenMode mode) override;
  bool Exists(const std::string& path) override { return RealFileSystem().Exists(path); }
  bool IsDirectory(const std::string& path) override { return RealFileSystem().IsDirectory(path); }
  std::vector<std::string> List(const std::string& dir) override { return RealFileSystem().List(dir); }
  bool MakeDirectories(const std::string& path) override { return RealFileSystem().MakeDirectories(path); }
  bool Remove(const std::string& path) override { return RealFileSystem().Remove(path); }

 private:
  std::uint64_t log_limit_ = std::numeric_limits<std::uint64_t>::max();
};

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
  LogLimitFileSystem& fs() { return fs_; }
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
  LogLimitFileSystem fs_;
  RecordingFeedback feedback_;
  std::unique_ptr<Session> session_;
};

}  // namespace quirovel::testing
