#include "support/detection_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <regex>

#include "session/config_file.h"
#include "validation/checks.h"

namespace quirovel::testing {

EpisodeCheck Scripted(ErrorScript script) {
  return [script = std::move(script)](CheckContext& s) {
    auto it = script.find(s.run.CurrentRecordNumber);
    if (it == script.end()) return;
    for (auto [e, f] : it->second) SETERR(s, e, f);
  };
}

std::string WithoutTimes(const std::string& report) {
  static const std::regex kStamp(R"(\d\d/\d\d/\d\d\d\d \d\d:\d\d\r\n)");
  return std::regex_replace(report, kStamp, "DD/MM/AAAA HH:MM\r\n");
}

std::string ExpectedReport(const std::string& name) {
  return ReadFileBytes(std::string(QUIROVEL_SOURCE_DIR) + "/tests/detection/expected/" + name);
}

DetectionFixture::DetectionFixture() {
  fs_.KeepFaultsTo("fallos.dat");
  session_ = std::make_unique<Session>(fs_, feedback_, installation_.root().path());
  Session& s = *session_;
  s.config = installation_.session().config;
  s.config.SetCurrentPath(kCurrentFile);
  s.config.SetHospitalName("HOSPITAL DE PRUEBAS");
  installation_.LoadReferences(s, feedback_);
  const auto& bytes = s.config.bytes();
  WriteFileBytes(installation_.InstallPath("Quirovel.dat"),
                 std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  EXPECT_TRUE(OpenConfigFile(s));
  feedback_.Clear();
}

DetectionFixture::~DetectionFixture() {
  session_->table.Close();
  session_->catalogue.Close();
  session_->run.log.Close();
  session_->run.errors_report.Close();
}

void DetectionFixture::WriteTable(const std::vector<Episode>& episodes,
                                  const std::vector<std::string>& definitions) {
  session_->table.Close();
  installation_.WriteTable(episodes, definitions);
  installation_.session().table.Close();
}

bool DetectionFixture::Run(int test_type, const EpisodeCheck& check) {
  return RunDetection(*session_, test_type, check);
}

std::string DetectionFixture::Work(const std::string& name) const {
  return WorkExists(name) ? ReadFileBytes(WorkPath(name)) : "";
}

bool DetectionFixture::WorkExists(const std::string& name) const {
  return RealFileSystem().Exists(WorkPath(name));
}

ConfigRecord DetectionFixture::SavedConfig() const {
  ConfigRecord record;
  std::string bytes = ReadFileBytes(installation_.InstallPath("Quirovel.dat"));
  std::memcpy(record.bytes().data(), bytes.data(), std::min(bytes.size(), ConfigRecord::kSize));
  return record;
}

}  // namespace quirovel::testing
