#include "session/startup.h"

#include <gtest/gtest.h>

#include <memory>

#include "session/session.h"
#include "platform/cp1252.h"
#include "platform/faulty_file_system.h"
#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"
#include "reference/config_defaults.h"
#include "session/config_file.h"
#include "reference/config_image.h"

namespace quirovel {
namespace {

constexpr const char* kRoot = "/r";
constexpr const char* kConfigPath = "/r/QUIROVEL/Quirovel.dat";

std::string Bytes(const ConfigRecord& r) {
  return std::string(reinterpret_cast<const char*>(r.bytes().data()), r.bytes().size());
}

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() { memory.MakeDirectories("/r/QUIROVEL/trabajo"); }

  std::unique_ptr<Session> Start(FileSystem& fs) {
    feedback.Clear();
    auto s = std::make_unique<Session>(fs, feedback, kRoot);
    LoadConfig(*s);
    return s;
  }
  std::unique_ptr<Session> Start() { return Start(memory); }
  bool Shown(const std::string& text) const {
    for (const auto& t : feedback.Texts())
      if (t == text) return true;
    return false;
  }

  MemoryFileSystem memory;
  RecordingFeedback feedback;
};

TEST_F(StartupTest, FirstStartCreatesTheRecordWithEveryDefaultAndSaysSoInOrder) {
  auto s = Start();
  ASSERT_NE(memory.Contents(kConfigPath), nullptr);
  EXPECT_EQ(*memory.Contents(kConfigPath), testing::NewRecordImage());
  EXPECT_EQ(Bytes(s->config), testing::NewRecordImage());
  // Every step runs and reports on an installation that has nothing but folders.
  std::vector<std::string> expected = {
      "Error al abrir fichero de servicios.txt",
      "Error al abrir fichero de hospitnosas.txt",
      "Error al abrir fichero de ocupaciones.txt",
      "Creando registro",
      "Error al abril el fichero /r/QUIROVEL/trabajo/Ctprueba.dbf",
      "Error al abril el fichero /r/QUIROVEL/CIE02.dbf",
      "Error al abril el fichero /r/QUIROVEL/CIEDE02.dbf",
      "Error al abrir fichero de codigos postales",
  };
  EXPECT_EQ(feedback.Texts(), expected);
  EXPECT_EQ(s->remembered_path, "C:\\Quirovel\\trabajo\\Ctprueba.dbf");
  // The postal code table was created empty and stays open.
  ASSERT_NE(memory.Contents("/r/QUIROVEL/ZKCP.dat"), nullptr);
  EXPECT_TRUE(s->references.postal_codes.is_open());
}

TEST_F(StartupTest, SecondStartReadsTheRecordBackUnchanged) {
  Start();
  auto s = Start();
  EXPECT_FALSE(Shown("Creando registro"));
  EXPECT_EQ(Bytes(s->config), testing::NewRecordImage());
  EXPECT_EQ(*memory.Contents(kConfigPath), testing::NewRecordImage());
}

TEST_F(StartupTest, AShortFileFillsOnlyTheBeginningOfTheRecord) {
  memory.SetContents(kConfigPath, testing::NewRecordImage().substr(0, 100));
  auto s = Start();
  const std::string bytes = Bytes(s->config);
  EXPECT_EQ(bytes.substr(0, 100), testing::NewRecordImage().substr(0, 100));
  EXPECT_EQ(bytes.substr(100), std::string(2360, '\0'));
  EXPECT_EQ(s->config.WorkDirectory(), "");
  EXPECT_EQ(s->config.VersionYear(), 0);
  EXPECT_FALSE(Shown("Creando registro"));
  // A year without an edition opens the latest one and leaves the year alone.
  EXPECT_TRUE(Shown("Version CIE9MC 0 sin catálogo propio: se usará la del 2006"_cp));
  EXPECT_EQ(memory.Contents(kConfigPath)->size(), 100u);
}

TEST_F(StartupTest, ReadErrorSaysSoAndKeepsTheRecordEmpty) {
  memory.SetContents(kConfigPath, testing::NewRecordImage());
  FaultyFileSystem failing(memory);
  failing.KeepFaultsTo("Quirovel.dat");
  failing.FailReadsFrom(1);
  failing.FailWithErrors();
  auto s = Start(failing);
  EXPECT_TRUE(Shown("Error al leer la configuración"_cp));
  EXPECT_FALSE(Shown("Creando registro"));
  EXPECT_EQ(Bytes(s->config), std::string(2460, '\0'));
}

TEST_F(StartupTest, WithoutTheInstallationFolderTheDefaultsStayInMemory) {
  MemoryFileSystem empty;
  auto s = Start(empty);
  EXPECT_TRUE(Shown("Creando registro"));
  EXPECT_FALSE(Shown("Error al grabar la configuración"_cp));
  EXPECT_EQ(Bytes(s->config), testing::NewRecordImage());
  EXPECT_FALSE(SaveConfig(*s));
  EXPECT_TRUE(Shown("Error al Crear fichero de codigos postales"));
}

TEST_F(StartupTest, ShortWriteOfTheNewRecordIsReported) {
  FaultyFileSystem faulty(memory);
  faulty.SetFileSizeLimit(100);
  auto s = Start(faulty);
  EXPECT_TRUE(Shown("Error al grabar la configuración"_cp));
  EXPECT_EQ(Bytes(s->config), testing::NewRecordImage());
}

TEST_F(StartupTest, SaveAndReloadGoThroughTheOpenFile) {
  auto s = Start();
  s->config.SetErrorCount(17);
  ASSERT_TRUE(SaveConfig(*s));
  EXPECT_EQ(memory.Contents(kConfigPath)->substr(700, 4), std::string("\x11\0\0\0", 4));
  s->config.SetErrorCount(3);
  ASSERT_TRUE(ReloadConfig(*s));
  EXPECT_EQ(s->config.ErrorCount(), 17);
  CloseConfig(*s);
  EXPECT_EQ(s->config_file, nullptr);
  EXPECT_FALSE(SaveConfig(*s));
}

TEST_F(StartupTest, ReadOnlyConfigurationIsReadNotReplaced) {
  std::string image = testing::NewRecordImage();
  image[700] = 5;
  memory.SetContents(kConfigPath, image);
  FaultyFileSystem faulty(memory);
  faulty.FailWritesFrom(1);
  auto s = Start(faulty);
  EXPECT_EQ(s->config.ErrorCount(), 5);
  EXPECT_FALSE(SaveConfig(*s));
  EXPECT_EQ(*memory.Contents(kConfigPath), image);
}

TEST_F(StartupTest, AutomaticYearOpensTheLatestEditionAndIsStoredAs2006) {
  std::string image = testing::NewRecordImage();
  image[1196] = 50, image[1197] = 0;
  memory.SetContents(kConfigPath, image);
  auto s = Start();
  EXPECT_TRUE(Shown("Version incorrecta: Se activará la del 2006"_cp));
  EXPECT_TRUE(Shown("Error al abril el fichero /r/QUIROVEL/CIE06.dbf"));
  EXPECT_EQ(s->config.VersionYear(), 2006);
  EXPECT_EQ(memory.Contents(kConfigPath)->substr(1196, 2), std::string("\x32\0", 2));  // saved later
}

TEST_F(StartupTest, DefaultsKeepTheOwnHospitalAndTheEditorPath) {
  ConfigRecord defaults = NewConfigRecord();
  defaults.SetHospitalName("Otro");
  defaults.SetHospitalCode("99999");
  defaults.SetEditorPath("C:\\otro\\ed.exe");
  defaults.SetEditorProgram("ed.exe");
  defaults.SetVersionYear(1999);
  memory.SetContents("/r/QUIROVEL/Quiroveldef.dat", Bytes(defaults));
  auto s = Start();
  s->config.SetHospitalName("Hospital de la Prueba");
  s->config.SetHospitalCode("11005");
  s->config.SetEditorPath("/usr/bin/gedit");
  s->config.SetEditorProgram("gedit");
  s->config.SetVersionYear(2004);
  feedback.Clear();
  ASSERT_TRUE(LoadDefaultsFile(*s));
  EXPECT_EQ(s->config.HospitalName(), "Hospital de la Prueba");
  EXPECT_EQ(s->config.HospitalCode(), "11005");
  EXPECT_EQ(s->config.EditorPath(), "/usr/bin/gedit");
  EXPECT_EQ(s->config.EditorProgram(), "ed.exe");
  EXPECT_EQ(s->config.VersionYear(), 1999);
  EXPECT_TRUE(feedback.Texts().empty());
  // Nothing reaches the file until the next save, which goes to Quirovel.dat.
  EXPECT_EQ(*memory.Contents(kConfigPath), testing::NewRecordImage());
  ASSERT_TRUE(SaveConfig(*s));
  EXPECT_EQ(memory.Contents(kConfigPath)->substr(1196, 2), std::string("\xCF\x07", 2));
  EXPECT_EQ(*memory.Contents("/r/QUIROVEL/Quiroveldef.dat"), Bytes(defaults));
}

TEST_F(StartupTest, MissingDefaultsFileLeavesTheRecordAlone) {
  auto s = Start();
  s->config.SetVersionYear(2004);
  ConfigRecord before = s->config;
  feedback.Clear();
  EXPECT_FALSE(LoadDefaultsFile(*s));
  EXPECT_EQ(feedback.Texts(), std::vector<std::string>{"Error al leer la configuración"_cp});
  EXPECT_TRUE(s->config == before);
  EXPECT_TRUE(SaveConfig(*s));  // "Quirovel.dat" is open again
}

}  // namespace
}  // namespace quirovel
