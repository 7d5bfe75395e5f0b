// The sample CMBD-A file and the generator that writes it: a table of the
// standard layout, a year of episodes with about one error per episode of many
// kinds, and the same file for the same seed.
#include <sys/wait.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "platform/file_system.h"
#include "platform/recording_feedback.h"
#include "session/session.h"
#include "session/startup.h"
#include "support/dbf_builder.h"
#include "support/temp_dir.h"
#include "tools/kit_files.h"
#include "validation/checks.h"
#include "validation/cmbd_layout.h"
#include "validation/field_map.h"

namespace quirovel {
namespace {

using testing::ReadFileBytes;
using testing::ShellQuote;
using testing::TempDir;

TEST(CmbdSampleTest, IsAYearOfEveryServiceInTheStandardLayoutWithAboutOneErrorPerEpisode) {
  SKIP_WITHOUT_KIT();
  // Start-up writes "Quirovel.dat": work on a copy of the installation.
  TempDir root;
  std::filesystem::copy(testing::KitRoot(), root.path(), std::filesystem::copy_options::recursive);
  RecordingFeedback feedback;
  Session s(RealFileSystem(), feedback, root.path());
  LoadConfig(s);  // version 2002, the sample as the current file
  ASSERT_TRUE(s.table.is_open());
  const long n = s.table.record_count();
  EXPECT_GE(n, 6000);
  EXPECT_EQ(ReadFileBytes(s.table.path()).size(), 2049u + 320u * s.table.record_count());
  FieldMap map;
  StructureReport report;
  AnalyseStructure(s.table, &map, &report);
  EXPECT_EQ(report.bad_field_count, 0);
  EXPECT_EQ(report.problems + report.unknown + report.layout,
            "");  // the fields lie in layout order

  std::vector<ErrorEntry> entries;
  s.run.TestType = kMensual;
  s.run.VersionLabel = "2002";
  s.run.entry_sink = &entries;
  std::set<std::string> months, services;
  std::set<int> kinds;
  long errors = 0, marked = 0, clean = 0;
  for (long r = 1; r <= n; ++r) {
    ASSERT_EQ(s.table.ReadRecord(r), 0);
    const std::string_view date = s.table.FieldText(FECALT);
    if (date.substr(0, 4) == "2006") months.insert(std::string(date.substr(4, 2)));
    services.insert(std::string(s.table.FieldText(SERVALT)));
    DecodeRecord(s);
    s.run.ResetCounters();
    s.run.CurrentRecordNumber = static_cast<std::uint32_t>(r);
    s.run.VersionPosition = 0;
    entries.clear();
    CheckContext checks = s.Checks();
    CheckAdministrative(checks);
    clean += entries.empty();
    errors += static_cast<long>(entries.size());
    for (const ErrorEntry& e : entries) kinds.insert(e.error), marked += e.not_in_version;
  }
  s.run.entry_sink = nullptr;
  CloseConfig(s);
  EXPECT_EQ(months.size(), 12u);
  EXPECT_GE(services.size(), 40u);  // the 40 services, and a few mistaken codes
  EXPECT_GT(errors, n * 7 / 10);
  EXPECT_LT(errors, n * 14 / 10);
  EXPECT_GT(clean, n / 4) << "most episodes are right";
  EXPECT_GE(kinds.size(), 50u) << "of the 62 errors a monthly test can give";
  EXPECT_GT(marked, 0) << "codes of a later edition are found, not in the version";
}

#ifdef QUIROVEL_CMBD_GENERATOR
TEST(CmbdGeneratorTest, WritesTheSameFileForTheSameSeedAndRefusesBadArguments) {
  SKIP_WITHOUT_KIT();
  TempDir dir;
  auto generate = [&](const std::string& arguments) {  // the exit status
    int status = 0;
    testing::RunCommand(ShellQuote(QUIROVEL_CMBD_GENERATOR) + " " + arguments + " 2>/dev/null",
                        &status);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  const std::string kit = " --kit " + ShellQuote(testing::KitInstall());
  ASSERT_EQ(generate(ShellQuote(dir.Path("a.dbf")) + " --episodes 700 --seed 11" + kit), 0);
  ASSERT_EQ(generate(ShellQuote(dir.Path("b.dbf")) + " --episodes 700 --seed 11" + kit), 0);
  ASSERT_EQ(generate(ShellQuote(dir.Path("c.dbf")) + " --seed 12 --episodes 700" + kit), 0);
  const std::string a = ReadFileBytes(dir.Path("a.dbf"));
  EXPECT_EQ(a, ReadFileBytes(dir.Path("b.dbf")));
  EXPECT_NE(a, ReadFileBytes(dir.Path("c.dbf")));
  EXPECT_GE(testing::Le32At(a, 4), 700u);  // and the few duplicated records
  EXPECT_LT(testing::Le32At(a, 4), 720u);
  // No episodes: a new table's header, then its end marker.
  ASSERT_EQ(generate(ShellQuote(dir.Path("e.dbf")) + " --episodes 0" + kit), 0);
  EXPECT_EQ(ReadFileBytes(dir.Path("e.dbf")),
            a.substr(0, 4) + std::string(4, '\0') + a.substr(8, 2041) + "\x1A");

  const std::string out = ShellQuote(dir.Path("x.dbf"));
  for (const std::string& arguments :
       {kit, out + " --episodes many" + kit, out + " --episodes -3" + kit, out + " other.dbf" + kit,
        out + kit + " --seed"}) {
    EXPECT_EQ(generate(arguments), 2) << arguments;
  }
  EXPECT_EQ(generate(out + " --kit " + ShellQuote(dir.Path("none"))), 1);
  EXPECT_FALSE(RealFileSystem().Exists(dir.Path("x.dbf")));
}
#endif

}  // namespace
}  // namespace quirovel
