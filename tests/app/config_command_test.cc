// The configuration record as every command reads it first, on files that
// fail; and quirovel config show / set / defaults.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "app/cli_installation.h"
#include "platform/cp1252.h"
#include "platform/faulty_file_system.h"
#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"
#include "reference/config_image.h"
#include "session/config_file.h"
#include "session/session.h"
#include "session/startup.h"

namespace quirovel {
namespace {

using testing::CliInstallation;
using testing::CliRun;
using ::testing::Contains;
using ::testing::Not;

constexpr const char* kConfigPath = "/r/QUIROVEL/Quirovel.dat";

TEST(StartupTest, ShortOrFailingConfigurationFiles) {
  MemoryFileSystem memory, empty;  // empty: no installation folder at all
  memory.MakeDirectories("/r/QUIROVEL/trabajo");
  RecordingFeedback feedback;
  auto start = [&](FileSystem& fs) {
    feedback.Clear();
    auto s = std::make_unique<Session>(fs, feedback, "/r");
    LoadConfig(*s);
    return s;
  };
  auto bytes = [](const ConfigRecord& r) {
    return std::string(reinterpret_cast<const char*>(r.bytes().data()), r.bytes().size());
  };
  {  // a short file fills only the beginning of the record
    memory.SetContents(kConfigPath, testing::NewRecordImage().substr(0, 100));
    auto s = start(memory);
    EXPECT_EQ(bytes(s->config), testing::NewRecordImage().substr(0, 100) + std::string(2360, '\0'));
    EXPECT_THAT(feedback.Texts(), Not(Contains("Creando registro")));
    // A year without an edition opens the latest one and leaves the year alone.
    EXPECT_THAT(feedback.Texts(),
                Contains("Version CIE9MC 0 sin catálogo propio: se usará la del 2006"_cp));
    EXPECT_EQ(memory.Contents(kConfigPath)->size(), 100u);
  }
  std::string image = testing::NewRecordImage();
  image[700] = 5;
  memory.SetContents(kConfigPath, image);
  {
    FaultyFileSystem unreadable(memory);
    unreadable.KeepFaultsTo("Quirovel.dat");
    unreadable.FailReadsFrom(1);
    unreadable.FailWithErrors();
    auto s = start(unreadable);
    EXPECT_THAT(feedback.Texts(), Contains("Error al leer la configuración"_cp));
    EXPECT_EQ(bytes(s->config), std::string(2460, '\0'));  // nothing half read
  }
  {
    FaultyFileSystem read_only(memory);
    read_only.FailWritesFrom(1);
    auto s = start(read_only);
    EXPECT_EQ(s->config.ErrorCount(), 5);  // read, not replaced
    EXPECT_FALSE(SaveConfig(*s));
    EXPECT_EQ(*memory.Contents(kConfigPath), image);
  }
  memory.Remove(kConfigPath);
  FaultyFileSystem full(memory);
  full.SetFileSizeLimit(100);
  auto s = start(full);
  EXPECT_THAT(feedback.Texts(), Contains("Error al grabar la configuración"_cp));
  EXPECT_EQ(bytes(s->config), testing::NewRecordImage());
  // Without the installation folder the defaults stay in memory, and say so.
  s = start(empty);
  EXPECT_THAT(feedback.Texts(), Contains("Creando registro"));
  EXPECT_THAT(feedback.Texts(), Not(Contains("Error al grabar la configuración"_cp)));
  EXPECT_EQ(bytes(s->config), testing::NewRecordImage());
  EXPECT_FALSE(SaveConfig(*s));
  s = start(memory);  // a working start keeps its file open until closed
  ASSERT_TRUE(SaveConfig(*s));
  CloseConfig(*s);
  EXPECT_FALSE(SaveConfig(*s));
}

class ConfigCommandTest : public ::testing::Test {
 protected:
  ConfigCommandTest() { EXPECT_EQ(inst.Init().exit_code, 0); }
  std::string Record() const { return inst.Read("root/QUIROVEL/Quirovel.dat"); }
  CliRun Set(const std::string& key, const std::string& value) {
    return inst.Run("config set " + testing::ShellQuote(key) + " " + testing::ShellQuote(value));
  }
  CliInstallation inst;
};

TEST_F(ConfigCommandTest, ShowDecodesEveryFieldInUtf8) {
  CliRun run = inst.Run("config show");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  for (const char* line : {"marker: 40\n", "current-path: C:\\Quirovel\\trabajo\\Ctprueba.dbf\n",
                           "hospital-code: 02012\n", "import.separator: \"|\"\n", "version: 2002\n",
                           "field-colour: 145 162 131\n", "last-run: ?\n", "printer-scale: 1.00\n",
                           "errors.E331: XXX\n"})
    EXPECT_NE(run.out.find(line), std::string::npos) << line;
  std::string accented = Record();
  accented.replace(326, 11, std::string("Cl\xEDnica \xD1u\0", 11));  // Windows-1252
  inst.Put("root/QUIROVEL/Quirovel.dat", accented);
  EXPECT_NE(inst.Run("config show").out.find("hospital: Clínica Ñu\n"), std::string::npos);
}

TEST_F(ConfigCommandTest, SetChangesWhatThePageChangesAndDefaultsUndoIt) {
  const std::pair<const char*, const char*> settings[] = {
      {"version", "2004"},       {"hospital", "Hospital del Mar"}, {"errors.E11", "X-X"},
      {"errors.all.cma", "off"}, {"printer-scale", ".5"},          {"group-after-test", "off"},
      {"completeness", "none"},  {"completeness", "+FECALT"},      {"editor", "/bin/sh"}};
  for (const auto& [key, value] : settings) ASSERT_EQ(Set(key, value).exit_code, 0) << key;
  const std::string r = Record();
  EXPECT_EQ(r.substr(1196, 4), std::string("\xD4\x07\0\0", 4));
  EXPECT_EQ(r.substr(320, 23),
            std::string("11005\0Hospital del Mar\0", 23));  // the code from hospital.dat
  EXPECT_EQ(r.substr(104, 3), "X  ");  // E11: monthly on, quarterly off, then CMA off
  EXPECT_EQ(r.substr(104 + 3 * 70, 3), "XX ");
  EXPECT_EQ(r.substr(2456, 4), std::string("\0\0\0\x3F", 4));
  EXPECT_EQ(r[1816], 0);
  EXPECT_EQ(r.substr(1728, 16), std::string(15, ' ') + "X");
  EXPECT_EQ(r[1791], 'X');  // the 64th flag is never changed
  EXPECT_EQ(r.substr(497, 8), std::string("/bin/sh\0", 8));
  EXPECT_EQ(r.substr(597, 3), std::string("sh\0", 3));
  EXPECT_NE(inst.Run("config show").out.find("printer-scale: .50\nerrors.E11: X--\n"),
            std::string::npos);

  // The defaults bring all of it back but the own hospital and the editor.
  CliRun run = inst.Run("config defaults");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  std::string expected = testing::NewRecordImage();
  expected.replace(320, 6, std::string("11005\0", 6));
  expected.replace(326, 17, std::string("Hospital del Mar\0", 17));
  expected.replace(497, 8, std::string("/bin/sh\0", 8));
  // Bytes after each kept text's terminator keep what the defaults held.
  EXPECT_EQ(Record(), expected);

  testing::RunCommand("rm " + testing::ShellQuote(inst.root() + "/QUIROVEL/Quiroveldef.dat"));
  run = inst.Run("config defaults");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "Error al leer la configuración\n");
  EXPECT_EQ(Record(), expected);
}

TEST_F(ConfigCommandTest, BadValuesAreRefusedAndChangeNothing) {
  const std::string before = Record();
  const std::pair<const char*, const char*> cases[] = {{"version", "2005"},
                                                       {"version", "50"},
                                                       {"errors.E999", "XXX"},
                                                       {"errors.E11", "XX"},
                                                       {"errors.E11.semanal", "on"},
                                                       {"printer-scale", "abc"},
                                                       {"printer-scale", "123456"},
                                                       {"printer-scale", "inf"},
                                                       {"completeness", "FECALT,NOEXISTE"},
                                                       {"editor", "/no/such/editor"},
                                                       {"color", "1"}};
  for (const auto& [key, value] : cases) {
    CliRun run = Set(key, value);
    EXPECT_EQ(run.exit_code, 2) << key << " " << value << ": " << run.err;
    EXPECT_NE(run.err, "") << key;
  }
  EXPECT_EQ(Set("history", "/x/" + std::string(96, 'h') + ".dbf").exit_code, 2);
  EXPECT_EQ(Set("hospital", "Hospital de Nadie").exit_code, 1);  // not in hospital.dat
  EXPECT_EQ(Record(), before);
}

}  // namespace
}  // namespace quirovel
