// The sample CMBD-A file and the generator that writes it: a valid table of
// the standard layout, a year of realistic episodes, about one error per
// episode of many kinds, and the same file for the same seed.
#include <sys/wait.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "session/session.h"
#include "session/startup.h"
#include "gtest/gtest.h"
#include "platform/file_system.h"
#include "platform/recording_feedback.h"
#include "storage/dbf_table.h"
#include "support/temp_dir.h"
#include "tools/kit_files.h"
#include "validation/checks.h"
#include "validation/cmbd_layout.h"
#include "validation/field_map.h"

namespace quirovel {
namespace {

using testing::KitInstall;
using testing::ReadFileBytes;
using testing::RunCommand;
using testing::ShellQuote;
using testing::TempDir;

std::string Sample() { return KitInstall() + "/trabajo/Ctprueba.dbf"; }

bool Blank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

#ifdef QUIROVEL_CMBD_GENERATOR
// Runs the generator on the kit's installation; the exit status.
int Generate(const std::string& arguments) {
  int status = 0;
  RunCommand(ShellQuote(QUIROVEL_CMBD_GENERATOR) + " " + arguments + " --kit " + ShellQuote(KitInstall()) +
                 " 2>/dev/null",
             &status);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

TEST(CmbdSampleTest, IsATableOfTheStandardLayout) {
  SKIP_WITHOUT_KIT();
  const std::string bytes = ReadFileBytes(Sample());
  ASSERT_GT(bytes.size(), 2049u);
  // Version 3, the creation date 96-02-24, header length 2049, record length 320.
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x03\x60\x02\x18", 4));
  EXPECT_EQ(bytes.substr(8, 4), std::string("\x01\x08\x40\x01", 4));
  const std::uint32_t count = static_cast<unsigned char>(bytes[4]) | static_cast<unsigned char>(bytes[5]) << 8 |
                              static_cast<unsigned char>(bytes[6]) << 16 |
                              static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[7])) << 24;
  EXPECT_GE(count, 6000u);
  EXPECT_EQ(bytes.size(), 2049u + 320u * count);

  RecordingFeedback feedback;
  DbfTable table(RealFileSystem(), feedback);
  ASSERT_EQ(table.Open(Sample()), 1);
  FieldMap map;
  StructureReport report;
  AnalyseStructure(table, &map, &report);
  EXPECT_EQ(report.bad_field_count, 0);
  EXPECT_TRUE(report.problems.empty()) << report.problems;
  EXPECT_TRUE(report.unknown.empty()) << report.unknown;
  EXPECT_TRUE(feedback.Texts().empty());
}

TEST(CmbdSampleTest, HoldsAYearOfEpisodesOfEveryService) {
  SKIP_WITHOUT_KIT();
  RecordingFeedback feedback;
  DbfTable table(RealFileSystem(), feedback);
  ASSERT_EQ(table.Open(Sample()), 1);
  auto field = [&](int k) { return table.FieldText(k); };  // fields lie in layout order
  std::set<std::string> months, services;
  long own_hospital = 0, codes = 0, deliveries = 0, external = 0, operations = 0, newborn_weights = 0;
  const long n = table.record_count();
  for (long r = 1; r <= n; ++r) {
    ASSERT_EQ(table.ReadRecord(r), 0);
    if (field(FECALT).substr(0, 4) == "2006") months.insert(std::string(field(FECALT).substr(4, 2)));
    services.insert(std::string(field(SERVALT)));
    own_hospital += field(HOSPITAL) == "02012";
    for (int k = C1; k <= P15; ++k) codes += !Blank(field(k));
    bool outcome = false;
    for (int k = C1 + 1; k <= C15; ++k) outcome = outcome || field(k).substr(0, 3) == "V27";
    deliveries += outcome;
    external += !Blank(field(CE));
    operations += !Blank(field(FEINTV));
    newborn_weights += !Blank(field(PESO1N));
  }
  EXPECT_EQ(months.size(), 12u);
  EXPECT_GE(services.size(), 40u);  // the 40 services, and a few mistaken codes
  EXPECT_GT(own_hospital, n * 99 / 100);
  EXPECT_GT(codes, n * 4);  // about five codes per episode
  EXPECT_LT(codes, n * 6);
  EXPECT_GT(deliveries, n / 30);
  EXPECT_GT(newborn_weights, n / 30);
  EXPECT_GT(external, n / 50);
  EXPECT_GT(operations, n / 5);
}

TEST(CmbdSampleTest, GivesAboutOneErrorPerEpisodeOfManyKinds) {
  SKIP_WITHOUT_KIT();
  // Start-up writes "Quirovel.dat": work on a copy of the installation.
  TempDir root;
  std::filesystem::copy(testing::KitRoot(), root.path(), std::filesystem::copy_options::recursive);
  RecordingFeedback feedback;
  Session s(RealFileSystem(), feedback, root.path());
  LoadConfig(s);  // version 2002, the sample as the current file
  ASSERT_TRUE(s.table.is_open());
  std::vector<ErrorEntry> entries;
  std::set<int> kinds;
  long errors = 0, marked = 0, clean = 0;
  const long n = s.table.record_count();
  for (long r = 1; r <= n; ++r) {
    ASSERT_EQ(s.table.ReadRecord(r), 0);
    DecodeRecord(s);
    s.run.ResetCounters();
    s.run.TestType = kMensual;
    s.run.CurrentRecordNumber = static_cast<std::uint32_t>(r);
    s.run.VersionLabel = "2002";
    s.run.VersionPosition = 0;
    entries.clear();
    s.run.entry_sink = &entries;
    CheckContext checks = s.Checks();
    CheckAdministrative(checks);
    s.run.entry_sink = nullptr;
    clean += entries.empty();
    errors += static_cast<long>(entries.size());
    for (const ErrorEntry& e : entries) {
      kinds.insert(e.error);
      marked += e.not_in_version;
    }
  }
  CloseConfig(s);
  EXPECT_GT(errors, n * 7 / 10);
  EXPECT_LT(errors, n * 14 / 10);
  EXPECT_GT(clean, n / 4) << "most episodes are right";
  EXPECT_GE(kinds.size(), 50u) << "of the 62 errors a monthly test can give";
  EXPECT_GT(marked, 0) << "codes of a later edition are found, not in the version";
}

#ifdef QUIROVEL_CMBD_GENERATOR
TEST(CmbdGeneratorTest, SameSeedSameFileAndOtherSeedAnother) {
  SKIP_WITHOUT_KIT();
  TempDir dir;
  ASSERT_EQ(Generate(ShellQuote(dir.Path("a.dbf")) + " --episodes 700 --seed 11"), 0);
  ASSERT_EQ(Generate(ShellQuote(dir.Path("b.dbf")) + " --episodes 700 --seed 11"), 0);
  ASSERT_EQ(Generate(ShellQuote(dir.Path("c.dbf")) + " --seed 12 --episodes 700"), 0);
  const std::string a = ReadFileBytes(dir.Path("a.dbf"));
  EXPECT_EQ(a, ReadFileBytes(dir.Path("b.dbf")));
  EXPECT_NE(a, ReadFileBytes(dir.Path("c.dbf")));
  RecordingFeedback feedback;
  DbfTable table(RealFileSystem(), feedback);
  ASSERT_EQ(table.Open(dir.Path("a.dbf")), 1);
  EXPECT_GE(table.record_count(), 700u);  // and the few duplicated records
  EXPECT_LT(table.record_count(), 720u);
}

TEST(CmbdGeneratorTest, NoEpisodesGiveAnEmptyTable) {
  SKIP_WITHOUT_KIT();
  TempDir dir;
  ASSERT_EQ(Generate(ShellQuote(dir.Path("e.dbf")) + " --episodes 0"), 0);
  const std::string bytes = ReadFileBytes(dir.Path("e.dbf"));
  ASSERT_EQ(bytes.size(), 2049u + 1u);  // header, then the end marker of a new table
  EXPECT_EQ(bytes.substr(4, 4), std::string(4, '\0'));
  EXPECT_EQ(bytes.substr(2048), "\x0D\x1A");
}

TEST(CmbdGeneratorTest, RefusesBadArgumentsAndAMissingInstallation) {
  SKIP_WITHOUT_KIT();
  TempDir dir;
  const std::string out = ShellQuote(dir.Path("x.dbf"));
  for (const std::string& arguments : {std::string(""), out + " --episodes many", out + " --episodes -3",
                                       out + " --seed", out + " other.dbf", out + " --frobnicate"}) {
    EXPECT_EQ(Generate(arguments), 2) << arguments;
  }
  int status = 0;
  RunCommand(ShellQuote(QUIROVEL_CMBD_GENERATOR) + " " + out + " --kit " + ShellQuote(dir.Path("none")) +
                 " 2>/dev/null",
             &status);
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_FALSE(RealFileSystem().Exists(dir.Path("x.dbf")));
}
#endif

}  // namespace
}  // namespace quirovel
