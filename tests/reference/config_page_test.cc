#include "reference/config_page.h"
#include "session/config_page_actions.h"

#include <gtest/gtest.h>

#include "session/session.h"
#include "session/startup.h"
#include "platform/faulty_file_system.h"
#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"
#include "reference/config_defaults.h"

namespace quirovel {
namespace {

TEST(ConfigPageTest, PrinterScaleShowsTwoDecimalsWithoutALeadingZero) {
  const std::pair<float, const char*> cases[] = {{1.0f, "1.00"},     {0.5f, ".50"}, {0.7f, ".70"},
                                                 {12.345f, "12.35"}, {0.0f, ".00"}, {-0.5f, "-.50"}};
  for (const auto& [scale, text] : cases) EXPECT_EQ(FormatPrinterScale(scale), text) << scale;
}

TEST(ConfigPageTest, ApplyingCutsWhatDoesNotFitAndKeepsWhatWasNotChosen) {
  ConfigRecord r = NewConfigRecord();
  r.SetVersionYear(2005);
  r.SetWorkDirectory("C:\\otro");
  ConfigControls c = FillControls(r);
  EXPECT_EQ(c.version_button, -1);  // no button for 2005
  ApplyControls(c, &r);
  EXPECT_EQ(r.VersionYear(), 2005);  // leaving without choosing keeps it
  EXPECT_EQ(r.WorkDirectory(), "C:\\quirovel\\trabajo");
  c.version_button = 5;
  c.printer_scale = ".7000009";  // the box holds five characters
  ApplyControls(c, &r);
  EXPECT_EQ(r.VersionYear(), 1992);
  EXPECT_FLOAT_EQ(r.PrinterScale(), 0.7f);
  c.printer_scale = "abc";  // no number: the scale stays
  ApplyControls(c, &r);
  EXPECT_FLOAT_EQ(r.PrinterScale(), 0.7f);
  // An editor keeps its program name, Windows paths too; one that does not fit is refused.
  ASSERT_TRUE(ChooseEditor("C:\\Archivos de programa\\Notepad++\\notepad++.exe", &r));
  EXPECT_EQ(r.EditorProgram(), "notepad++.exe");
  EXPECT_FALSE(ChooseEditor("/" + std::string(120, 'e'), &r));
  EXPECT_EQ(r.EditorProgram(), "notepad++.exe");
}

TEST(ConfigPageTest, SavingThePageWritesAndReportsFailures) {
  MemoryFileSystem memory;
  memory.MakeDirectories("/r/QUIROVEL");
  FaultyFileSystem fs(memory);
  RecordingFeedback feedback;
  Session s(fs, feedback, "/r");
  LoadConfig(s);
  ConfigControls c = FillControls(s.config);
  c.hospital_code = "11005";
  feedback.Clear();
  ASSERT_TRUE(ApplyConfigPage(s, c, true));
  EXPECT_TRUE(feedback.Texts().empty());
  EXPECT_EQ(memory.Contents("/r/QUIROVEL/Quirovel.dat")->substr(320, 6), std::string("11005\0", 6));
  fs.SetFileSizeLimit(1000);
  EXPECT_FALSE(ApplyConfigPage(s, c, true));
  EXPECT_EQ(feedback.Texts(), std::vector<std::string>{"Error al grabar la configuracion"});
  feedback.Clear();
  EXPECT_TRUE(ApplyConfigPage(s, c, false));  // leaving the page writes nothing
  EXPECT_TRUE(feedback.Texts().empty());
}

}  // namespace
}  // namespace quirovel
