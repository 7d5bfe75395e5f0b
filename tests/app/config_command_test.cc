// quirovel config show / set / defaults, on an installation made by init.
#include <gtest/gtest.h>

#include "app/cli_installation.h"
#include "reference/config_image.h"

namespace quirovel {
namespace {

using testing::CliInstallation;
using testing::CliRun;

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

TEST_F(ConfigCommandTest, SetChangesWhatThePageChangesAndSaves) {
  const std::pair<const char*, const char*> settings[] = {
      {"version", "2004"},        {"hospital", "Hospital del Mar"}, {"errors.E11", "X-X"},
      {"errors.all.cma", "off"},  {"printer-scale", ".5"},          {"group-after-test", "off"},
      {"completeness", "none"},   {"completeness", "+FECALT"},      {"editor", "/bin/sh"}};
  for (const auto& [key, value] : settings) ASSERT_EQ(Set(key, value).exit_code, 0) << key;
  const std::string r = Record();
  ASSERT_EQ(r.size(), 2460u);
  EXPECT_EQ(r.substr(1196, 4), std::string("\xD4\x07\0\0", 4));
  EXPECT_EQ(r.substr(320, 23), std::string("11005\0Hospital del Mar\0", 23));  // the code from hospital.dat
  EXPECT_EQ(r.substr(104, 3), "X  ");  // E11: monthly on, quarterly off, then CMA off
  EXPECT_EQ(r.substr(104 + 3 * 70, 3), "XX ");
  EXPECT_EQ(r.substr(2456, 4), std::string("\0\0\0\x3F", 4));
  EXPECT_EQ(r[1816], 0);
  EXPECT_EQ(r.substr(1728, 16), std::string(15, ' ') + "X");
  EXPECT_EQ(r[1791], 'X');  // the 64th flag is never changed
  EXPECT_EQ(r.substr(497, 8), std::string("/bin/sh\0", 8));
  EXPECT_EQ(r.substr(597, 3), std::string("sh\0", 3));
  CliRun show = inst.Run("config show");
  for (const char* line : {"printer-scale: .50\n", "errors.E11: X--\n", "completeness: FECALT\n"})
    EXPECT_NE(show.out.find(line), std::string::npos) << line;
}

TEST_F(ConfigCommandTest, BadValuesAreRefusedAndChangeNothing) {
  const std::string before = Record();
  struct Case {
    const char* key;
    const char* value;
    int code;
  } cases[] = {{"version", "2005", 2},           {"version", "50", 2},
               {"hospital", "Hospital de Nadie", 1}, {"errors.E999", "XXX", 2},
               {"errors.E11", "XX", 2},          {"errors.E11.semanal", "on", 2},
               {"printer-scale", "abc", 2},      {"printer-scale", "123456", 2},
               {"completeness", "FECALT,NOEXISTE", 2}, {"editor", "/no/such/editor", 2},
               {"history", "/x/" "0123456789012345678901234567890123456789012345678901234567890123456789"
                           "0123456789012345678901234567890.dbf", 2},
               {"color", "1", 2}};
  for (const Case& c : cases) {
    CliRun run = Set(c.key, c.value);
    EXPECT_EQ(run.exit_code, c.code) << c.key << " " << c.value << ": " << run.err;
    EXPECT_FALSE(run.err.empty()) << c.key;
  }
  EXPECT_EQ(Record(), before);
}

TEST_F(ConfigCommandTest, DefaultsKeepTheOwnHospitalAndTheEditor) {
  ASSERT_EQ(Set("hospital", "Hospital del Mar").exit_code, 0);
  ASSERT_EQ(Set("editor", "/bin/sh").exit_code, 0);
  ASSERT_EQ(Set("version", "1999").exit_code, 0);
  CliRun run = inst.Run("config defaults");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  std::string expected = testing::NewRecordImage();
  expected.replace(320, 6, std::string("11005\0", 6));
  expected.replace(326, 17, std::string("Hospital del Mar\0", 17));
  expected.replace(497, 8, std::string("/bin/sh\0", 8));
  // Bytes after each kept text's terminator keep what the defaults held.
  EXPECT_EQ(Record(), expected);

  inst.Put("root/QUIROVEL/Quiroveldef.dat", "");  // an empty file changes nothing but what is kept
  EXPECT_EQ(inst.Run("config defaults").exit_code, 0);
  testing::RunCommand("rm " + testing::ShellQuote(inst.root() + "/QUIROVEL/Quiroveldef.dat"));
  run = inst.Run("config defaults");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "Error al leer la configuración\n");
  EXPECT_EQ(Record(), expected);
}

}  // namespace
}  // namespace quirovel
