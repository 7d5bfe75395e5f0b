#include "ui/output_path.h"

#include <gtest/gtest.h>

#include "app/session.h"
#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"
#include "reference/config_defaults.h"
#include "ui/status.h"

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

TEST(StatusTest, EachOutputReachesItsPlace) {
  MemoryFileSystem fs;
  RecordingFeedback feedback;
  Session s(fs, feedback, "/r");
  ShowStatus(s, "Exportado 12 ");
  ShowInfo(s, "Buscando rango de altas ...");
  ShowActivity(s, "Llenando tabla");
  ShowRecordCount(s, 5000);
  EXPECT_EQ(feedback.status, "Exportado 12 ");
  EXPECT_EQ(feedback.info, "Buscando rango de altas ...");
  EXPECT_EQ(feedback.activity, "Llenando tabla");
  EXPECT_EQ(feedback.record_count, 5000);
  ShowActivity(s, "");  // the front end puts the current file's path back
  EXPECT_EQ(feedback.activity, "");
}

}  // namespace
}  // namespace quirovel
