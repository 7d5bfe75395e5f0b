// What every command does first: the configuration record read (or created)
// and the reference files loaded, on configuration files that fail.
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
  MemoryFileSystem empty;  // no installation folder at all
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
  // Without the installation folder the defaults stay in memory, and say so.
  s = Start(&empty);
  EXPECT_THAT(feedback.Texts(), Contains("Creando registro"));
  EXPECT_THAT(feedback.Texts(), Not(Contains("Error al grabar la configuración"_cp)));
  EXPECT_EQ(Bytes(s->config), testing::NewRecordImage());
  EXPECT_FALSE(SaveConfig(*s));
  s = Start();  // a working start keeps its file open until closed
  ASSERT_TRUE(SaveConfig(*s));
  CloseConfig(*s);
  EXPECT_FALSE(SaveConfig(*s));
}

}  // namespace
}  // namespace quirovel
