#include "output/output_path.h"

#include <gtest/gtest.h>

#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"
#include "reference/config_defaults.h"
#include "session/session.h"

namespace quirovel {
namespace {

TEST(OutputPathTest, JoinsTheWorkingDirectoryAndTheNameAndResolvesItAsWindowsWould) {
  MemoryFileSystem fs;
  fs.MakeDirectories("/r/QUIROVEL/Trabajo");
  RecordingFeedback feedback;
  Session s(fs, feedback, "/r");
  s.config = NewConfigRecord();
  EXPECT_EQ(OutputPath(s, "errores.txt"), "C:\\quirovel\\trabajo\\errores.txt");
  EXPECT_EQ(OutputHostPath(s, "fallos.dat"),
            "/r/QUIROVEL/Trabajo/fallos.dat");  // whatever the case on disk
  s.config.SetWorkDirectory("C:\\quirovel\\trabajo\\");
  EXPECT_EQ(OutputPath(s, "resumen.txt"), "C:\\quirovel\\trabajo\\\\resumen.txt");
  EXPECT_EQ(OutputHostPath(s, "resumen.txt"), "/r/QUIROVEL/Trabajo/resumen.txt");
  s.config.SetWorkDirectory("/var/informes");
  EXPECT_EQ(OutputHostPath(s, "resumen.txt"), "/var/informes/resumen.txt");
  s.config.SetWorkDirectory("");  // "\resumen.txt" on Windows: the root of C:
  EXPECT_EQ(OutputHostPath(s, "resumen.txt"), "/r/resumen.txt");
}

}  // namespace
}  // namespace quirovel
