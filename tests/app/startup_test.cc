// What every command does first: the configuration record and the reference
// files loaded, on a fresh installation and on files that fail.
#include "session/startup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "platform/cp1252.h"
#include "platform/faulty_file_system.h"
#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"
#include "reference/config_image.h"
#include "session/config_file.h"
#include "session/session.h"

namespace quirovel {
namespace {

using ::testing::Contains;
using ::testing::Not;

constexpr const char* kConfigPath = "/r/QUIROVEL/Quirovel.dat";

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() { memory.MakeDirectories("/r/QUIROVEL/trabajo"); }
  std::unique_ptr<Session> Start(FileSystem* fs = nullptr) {
    feedback.Clear();
    auto s = std::make_unique<Session>(fs ? *fs : memory, feedback, "/r");
    LoadConfig(*s);
    return s;
  }
  static std::string Bytes(const ConfigRecord& r) {
    return std::string(reinterpret_cast<const char*>(r.bytes().data()), r.bytes().size());
  }
  MemoryFileSystem memory;
  RecordingFeedback feedback;
};

TEST_F(StartupTest, FirstStartCreatesTheRecordAndSaysWhatIsMissingInOrder) {
  auto s = Start();
  EXPECT_EQ(*memory.Contents(kConfigPath), testing::NewRecordImage());
  EXPECT_EQ(Bytes(s->config), testing::NewRecordImage());
  EXPECT_EQ(feedback.Texts(), (std::vector<std::string>{
                                  "Error al abrir fichero de servicios.txt", "Error al abrir fichero de hospitnosas.txt",
                                  "Error al abrir fichero de ocupaciones.txt", "Creando registro",
                                  "Error al abril el fichero /r/QUIROVEL/trabajo/Ctprueba.dbf",
                                  "Error al abril el fichero /r/QUIROVEL/CIE02.dbf",
                                  "Error al abril el fichero /r/QUIROVEL/CIEDE02.dbf",
                                  "Error al abrir fichero de codigos postales"}));
  EXPECT_EQ(*memory.Contents("/r/QUIROVEL/ZKCP.dat"), "");  // created empty, and kept open
  EXPECT_TRUE(s->references.postal_codes.is_open());
  // The second start reads the record back unchanged.
  s = Start();
  EXPECT_THAT(feedback.Texts(), Not(Contains("Creando registro")));
  EXPECT_EQ(Bytes(s->config), testing::NewRecordImage());
  EXPECT_EQ(*memory.Contents(kConfigPath), testing::NewRecordImage());
  // Saving and reloading go through the open file; once closed, nothing is saved.
  s->config.SetErrorCount(17);
  ASSERT_TRUE(SaveConfig(*s));
  EXPECT_EQ(memory.Contents(kConfigPath)->substr(700, 4), std::string("\x11\0\0\0", 4));
  s->config.SetErrorCount(3);
  ASSERT_TRUE(ReloadConfig(*s));
  EXPECT_EQ(s->config.ErrorCount(), 17);
  CloseConfig(*s);
  EXPECT_FALSE(SaveConfig(*s));
}

TEST_F(StartupTest, ShortFileFillsOnlyTheBeginningOfTheRecord) {
  memory.SetContents(kConfigPath, testing::NewRecordImage().substr(0, 100));
  auto s = Start();
  EXPECT_EQ(Bytes(s->config), testing::NewRecordImage().substr(0, 100) + std::string(2360, '\0'));
  EXPECT_THAT(feedback.Texts(), Not(Contains("Creando registro")));
  // A year without an edition opens the latest one and leaves the year alone.
  EXPECT_THAT(feedback.Texts(), Contains("Version CIE9MC 0 sin catálogo propio: se usará la del 2006"_cp));
  EXPECT_EQ(memory.Contents(kConfigPath)->size(), 100u);
}

TEST_F(StartupTest, FailingConfigurationFilesAreReported) {
  std::string image = testing::NewRecordImage();
  image[700] = 5;
  memory.SetContents(kConfigPath, image);
  {
    FaultyFileSystem unreadable(memory);
    unreadable.KeepFaultsTo("Quirovel.dat");
    unreadable.FailReadsFrom(1);
    unreadable.FailWithErrors();
    auto s = Start(&unreadable);
    EXPECT_THAT(feedback.Texts(), Contains("Error al leer la configuración"_cp));
    EXPECT_EQ(Bytes(s->config), std::string(2460, '\0'));  // nothing half read
  }
  {
    FaultyFileSystem read_only(memory);
    read_only.FailWritesFrom(1);
    auto s = Start(&read_only);
    EXPECT_EQ(s->config.ErrorCount(), 5);  // read, not replaced
    EXPECT_FALSE(SaveConfig(*s));
    EXPECT_EQ(*memory.Contents(kConfigPath), image);
  }
  memory.Remove(kConfigPath);
  FaultyFileSystem full(memory);
  full.SetFileSizeLimit(100);
  auto s = Start(&full);
  EXPECT_THAT(feedback.Texts(), Contains("Error al grabar la configuración"_cp));
  EXPECT_EQ(Bytes(s->config), testing::NewRecordImage());
}

TEST_F(StartupTest, WithoutTheInstallationFolderTheDefaultsStayInMemory) {
  MemoryFileSystem empty;
  auto s = Start(&empty);
  EXPECT_THAT(feedback.Texts(), Contains("Creando registro"));
  EXPECT_THAT(feedback.Texts(), Contains("Error al Crear fichero de codigos postales"));
  EXPECT_THAT(feedback.Texts(), Not(Contains("Error al grabar la configuración"_cp)));
  EXPECT_EQ(Bytes(s->config), testing::NewRecordImage());
  EXPECT_FALSE(SaveConfig(*s));
}

}  // namespace
}  // namespace quirovel
