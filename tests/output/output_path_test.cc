#include "output/output_path.h"

#include <gtest/gtest.h>

#include "session/session.h"
#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"
#include "reference/config_defaults.h"

namespace quirovel {
namespace {

TEST(OutputPathTest, JoinsTheWorkingDirectoryAndTheName) {
  MemoryFileSystem fs;
  fs.MakeDirectories("/r/QUIROVEL/Trabajo");
  RecordingFeedback feedback;
  Session s(fs, feedback, "/r");
  s.config = NewConfigRecord();
  std::string first = OutputPath(s, "fallos.dat");
  std::string second = OutputPath(s, "errores.txt");
  EXPECT_EQ(first, "C:\\quirovel\\trabajo\\fallos.dat");  // not overwritten by the second call
  EXPECT_EQ(second, "C:\\quirovel\\trabajo\\errores.txt");
  // Resolved as Windows would, whatever case the folders have on disk.
  EXPECT_EQ(OutputHostPath(s, "fallos.dat"), "/r/QUIROVEL/Trabajo/fallos.dat");

  s.config.SetWorkDirectory("C:\\quirovel\\trabajo\\");
  EXPECT_EQ(OutputPath(s, "resumen.txt"), "C:\\quirovel\\trabajo\\\\resumen.txt");
  EXPECT_EQ(OutputHostPath(s, "resumen.txt"), "/r/QUIROVEL/Trabajo/resumen.txt");

  s.config.SetWorkDirectory("/var/informes");
  EXPECT_EQ(OutputHostPath(s, "resumen.txt"), "/var/informes/resumen.txt");
}

}  // namespace
}  // namespace quirovel
