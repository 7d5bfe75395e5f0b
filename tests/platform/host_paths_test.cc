#include "platform/host_paths.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "platform/memory_file_system.h"

namespace quirovel {
namespace {

TEST(HostPaths, MapsDriveCUnderTheRootIgnoringCaseAndStoresItBack) {
  MemoryFileSystem fs;
  fs.MakeDirectories("/inst/Quirovel/trabajo");
  fs.MakeDirectories("/inst/datos");
  fs.MakeDirectories("/inst/Datos");
  fs.SetContents("/inst/Quirovel/trabajo/Ctprueba.dbf", "");
  HostPaths paths(fs, "/inst/");
  EXPECT_EQ(paths.root(), "/inst");
  EXPECT_EQ(paths.ToHost("c:/QUIROVEL\\\\trabajo\\.\\ctprueba.DBF"),
            "/inst/Quirovel/trabajo/Ctprueba.dbf");
  // What does not exist yet is used as written, so it can be created.
  EXPECT_EQ(paths.ToHost("C:\\QUIROVEL\\Trabajo\\Nuevo.TXT"), "/inst/Quirovel/trabajo/Nuevo.TXT");
  // An exact match wins over one that differs in case.
  EXPECT_EQ(paths.ToHost("C:\\Datos"), "/inst/Datos");
  EXPECT_EQ(paths.ToHost("C:\\datos"), "/inst/datos");
  EXPECT_EQ(paths.ToHost("C:\\"), "/inst");
  // Host paths and other drives stay as they stand.
  for (const char* path : {"/tmp/x.dbf", "relativo/X.dbf", "D:\\datos\\x.dbf", ""})
    EXPECT_EQ(paths.ToHost(path), path);

  const std::string stored = "C:\\Quirovel\\trabajo\\Ctprueba.dbf";
  EXPECT_EQ(paths.ToStored(paths.ToHost(stored)), stored);
  EXPECT_EQ(paths.ToStored("/install/x.dbf"), "/install/x.dbf");
}

TEST(HostPaths, NamesOnTheHostAreUtf8AndNothingClimbsAboveTheRoot) {
  MemoryFileSystem fs;
  fs.MakeDirectories("/inst/Quirovel/A\xC3\xB1o");  // "Año" on disk
  HostPaths paths(fs, "/inst");
  // Stored Windows-1252, either case, resolves to the UTF-8 name.
  EXPECT_EQ(paths.ToHost("C:\\quirovel\\A\xD1O\\c.dbf"), "/inst/Quirovel/A\xC3\xB1o/c.dbf");
  EXPECT_EQ(paths.ToStored("/inst/Quirovel/A\xC3\xB1o/c.dbf"), "C:\\Quirovel\\A\xF1o\\c.dbf");
  EXPECT_EQ(paths.ToHost("/datos/tr\xE1"
                         "bajo\x80.dbf"),
            "/datos/tr\xC3\xA1"
            "bajo\xE2\x82\xAC.dbf");
  EXPECT_TRUE(
      FitsStoredText("/datos/tr\xC3\xA1"
                     "bajo\xE2\x82\xAC.dbf"));
  EXPECT_FALSE(FitsStoredText("/datos/\xE6\x96\x87.dbf"));  // no Windows-1252 byte for it
  // ".." stops at the root, as Windows stops at C:\.
  EXPECT_EQ(paths.ToHost("C:\\..\\..\\x"), "/inst/x");
  EXPECT_EQ(paths.ToHost("C:\\Quirovel\\..\\..\\Quirovel\\y"), "/inst/Quirovel/y");
  // A path from the root of the current drive, which is C:.
  EXPECT_EQ(paths.ToHost("\\..\\Quirovel\\z"), "/inst/Quirovel/z");
  EXPECT_EQ(paths.ToHost("\\"), "/inst");
}

TEST(HostPaths, DefaultRootIsTheOptionThenTheEnvironmentThenTheUserDataDirectory) {
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
