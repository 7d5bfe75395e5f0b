#include "support/detection_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <regex>

#include "session/config_file.h"
#include "reference/reference_tables.h"
#include "validation/checks.h"

namespace quirovel::testing {
namespace {

class LogLimitFile final : public File {
 public:
  LogLimitFile(std::unique_ptr<File> base, const LogLimitFileSystem& owner)
      : base_(std::move(base)), owner_(owner) {}
  std::int64_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) override {
    return base_->ReadAt(offset, buffer, size);
  }
  std::int64_t WriteAt(std::uint64_t offset, const void* buffer, std::size_t size) override {
    const std::uint64_t limit = owner_.log_limit();
    if (offset >= limit) return 0;
    return base_->WriteAt(offset, buffer, std::min<std::uint64_t>(size, limit - offset));
  }
  std::int64_t Size() override { return base_->Size(); }
  bool Sync() override { return base_->Sync(); }
  // Like a full disk: a file may shrink, or grow up to the limit only.
  bool Truncate(std::uint64_t size) override {
    return size <= owner_.log_limit() && base_->Truncate(size);
  }

 private:
  std::unique_ptr<File> base_;
  const LogLimitFileSystem& owner_;
};

}  // namespace

std::unique_ptr<File> LogLimitFileSystem::Open(const std::string& path, OpenMode mode) {
  auto file = RealFileSystem().Open(path, mode);
  const std::string log = "fallos.dat";
  if (!file || path.size() < log.size() || path.compare(path.size() - log.size(), log.size(), log) != 0)
    return file;
  return std::make_unique<LogLimitFile>(std::move(file), *this);
}

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
  session_ = std::make_unique<Session>(fs_, feedback_, installation_.root().path());
  Session& s = *session_;
  s.config = installation_.session().config;
  s.config.SetCurrentPath(kCurrentFile);
  s.config.SetHospitalName("HOSPITAL DE PRUEBAS");
  LoadReferenceTables(s.fs, feedback_, s.paths, &s.references);
  s.references.postal_codes.Open(s.fs, feedback_, installation_.InstallPath("ZKCP.dat"));
  s.catalogue.Open(installation_.InstallPath("CIE02.dbf"), installation_.InstallPath("CIEDE02.dbf"));
  s.catalogue.BuildSampleIndex(10);
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
  if (!WorkExists(name)) return {};
  return ReadFileBytes(WorkPath(name));
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
