#include "platform/host_paths.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "platform/memory_file_system.h"

namespace quirovel {
namespace {

class HostPathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs_.MakeDirectories("/inst/Quirovel/trabajo");
    fs_.MakeDirectories("/inst/datos");
    fs_.MakeDirectories("/inst/Datos");
    fs_.SetContents("/inst/Quirovel/trabajo/Ctprueba.dbf", "");
    fs_.SetContents("/inst/Quirovel/Quirovel.dat", "");
  }
  MemoryFileSystem fs_;
};

TEST_F(HostPathsTest, MapsDriveCUnderTheRootIgnoringCase) {
  HostPaths paths(fs_, "/inst/");
  EXPECT_EQ(paths.root(), "/inst");
  EXPECT_EQ(paths.ToHost("C:\\QUIROVEL\\TRABAJO\\ctprueba.DBF"), "/inst/Quirovel/trabajo/Ctprueba.dbf");
  EXPECT_EQ(paths.ToHost("c:/quirovel/quirovel.dat"), "/inst/Quirovel/Quirovel.dat");
  EXPECT_EQ(paths.ToHost("C:\\Quirovel\\\\trabajo\\.\\Ctprueba.dbf"), "/inst/Quirovel/trabajo/Ctprueba.dbf");
  // What does not exist yet is used as written, so it can be created.
  EXPECT_EQ(paths.ToHost("C:\\QUIROVEL\\Trabajo\\Nuevo.TXT"), "/inst/Quirovel/trabajo/Nuevo.TXT");
  EXPECT_EQ(paths.ToHost("C:\\Nada\\Quirovel"), "/inst/Nada/Quirovel");
  // An exact match wins over one that differs in case.
  EXPECT_EQ(paths.ToHost("C:\\Datos"), "/inst/Datos");
  EXPECT_EQ(paths.ToHost("C:\\datos"), "/inst/datos");
  EXPECT_EQ(paths.ToHost("C:\\"), "/inst");
}

TEST_F(HostPathsTest, LeavesHostPathsAndOtherDrivesAsTheyStand) {
  HostPaths paths(fs_, "/inst");
  EXPECT_EQ(paths.ToHost("/tmp/x.dbf"), "/tmp/x.dbf");
  EXPECT_EQ(paths.ToHost("relativo/X.dbf"), "relativo/X.dbf");
  EXPECT_EQ(paths.ToHost("D:\\datos\\x.dbf"), "D:\\datos\\x.dbf");
  EXPECT_EQ(paths.ToHost(""), "");
}

TEST_F(HostPathsTest, StoresPathsUnderTheRootInDriveForm) {
  HostPaths paths(fs_, "/inst");
  EXPECT_EQ(paths.ToStored("/inst/Quirovel/trabajo/Ctprueba.dbf"), "C:\\Quirovel\\trabajo\\Ctprueba.dbf");
  EXPECT_EQ(paths.ToStored("/install/x.dbf"), "/install/x.dbf");
  EXPECT_EQ(paths.ToStored("/elsewhere/x.dbf"), "/elsewhere/x.dbf");
  const std::string stored = "C:\\Quirovel\\trabajo\\Ctprueba.dbf";
  EXPECT_EQ(paths.ToStored(paths.ToHost(stored)), stored);
}

TEST(HostPathsDefaultRoot, TakesTheOptionThenTheEnvironmentThenTheUserDataDirectory) {
  ::setenv("QUIROVEL_ROOT", "/from/env", 1);
  ::setenv("XDG_DATA_HOME", "/xdg", 1);
  ::setenv("HOME", "/home/ana", 1);
  EXPECT_EQ(HostPaths::DefaultRoot("/from/option"), "/from/option");
  EXPECT_EQ(HostPaths::DefaultRoot(""), "/from/env");
  ::setenv("QUIROVEL_ROOT", "", 1);
  EXPECT_EQ(HostPaths::DefaultRoot(""), "/xdg/quirovel");
  ::unsetenv("QUIROVEL_ROOT");
  ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(HostPaths::DefaultRoot(""), "/home/ana/.local/share/quirovel");
}

}  // namespace
}  // namespace quirovel
