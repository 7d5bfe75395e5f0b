// The configuration record: its layouts, its limits, and the page that edits it
// (its new bytes are checked where startup and `quirovel init` make it).
#include "reference/config_record.h"

#include <gtest/gtest.h>

#include "platform/faulty_file_system.h"
#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"
#include "reference/config_defaults.h"
#include "reference/config_page.h"
#include "session/config_page_actions.h"
#include "session/session.h"
#include "session/startup.h"

namespace quirovel {
namespace {

TEST(ConfigRecordTest, SavedImportLayoutsUseTheirOwnFieldOrder) {
  ConfigRecord r;
  ImportSettings settings{"T", "3", "D", "\"", ";", "S", 1, 0};
  ASSERT_TRUE(r.SetImport(ImportLayout::kSavedCmbd, settings));
  const auto& b = r.bytes();
  // Text file, date format, target, delimiter, separator, then the structure
  // table at 206, the fixed length at 308 and the header line at 312.
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[2140]), 207),
            "T" + std::string(99, '\0') + std::string("3\0D", 3) + std::string(99, '\0') +
                std::string("\"\0;\0S", 5));
  EXPECT_EQ(b[2452], 1);
  EXPECT_EQ(b[2448], 0);
  ASSERT_TRUE(r.SetImport(ImportLayout::kCurrent, settings));
  EXPECT_EQ(b[996], 'S');  // structure table at 216 in the current settings
  EXPECT_EQ(b[988], 1);    // header line at 208
  EXPECT_EQ(r.Import(ImportLayout::kSavedCmbd).structure_table, "S");
}

TEST(ConfigRecordTest, PathsThatDoNotFitAreRefusedAndNamesAreCut) {
  ConfigRecord r = NewConfigRecord();
  EXPECT_FALSE(r.SetCurrentPath(std::string(100, 'a')));
  EXPECT_EQ(r.CurrentPath(), "C:\\Quirovel\\trabajo\\Ctprueba.dbf");
  EXPECT_TRUE(r.SetCurrentPath(std::string(99, 'a')));
  EXPECT_EQ(r.bytes()[103], 0);
  EXPECT_FALSE(
      r.SetImport(ImportLayout::kCurrent, ImportSettings{"x", "12", "", "", "", "", 0, 0}));
  r.SetHospitalName(std::string(80, 'n'));
  EXPECT_EQ(r.HospitalName(), std::string(69, 'n'));
  r.SetHospitalCode("1234567");
  EXPECT_EQ(r.HospitalCode(), "12345");
  // Out-of-range indexes touch nothing.
  ConfigRecord before = r;
  r.SetFieldColour(3, 9);
  r.SetCompletenessField(64, false);
  r.SetErrorEnabled(72, 0, false);
  r.MarkField(64);
  EXPECT_FALSE(r.SetRecentStructure(5, "x"));
  EXPECT_TRUE(r == before);
}

TEST(ConfigPageTest, PrinterScaleShowsTwoDecimalsWithoutALeadingZero) {
  const std::pair<float, const char*> cases[] = {{1.0f, "1.00"}, {0.5f, ".50"},
                                                 {0.7f, ".70"},  {12.345f, "12.35"},
                                                 {0.0f, ".00"},  {-0.5f, "-.50"}};
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
  EXPECT_FALSE(ChooseEditor("/" + std::string(120, 'e'), &r));  // does not fit
}

TEST(ConfigPageTest, SavingThePageWritesAndReportsFailures) {
  MemoryFileSystem memory;
  memory.MakeDirectories("/r/QUIROVEL");
  FaultyFileSystem fs(memory);
  RecordingFeedback feedback;
  Session s(fs, feedback, "/r");
  LoadConfig(s);
  ConfigControls c = FillControls(s.config);
  feedback.Clear();
  fs.SetFileSizeLimit(1000);
  EXPECT_FALSE(ApplyConfigPage(s, c, true));
  EXPECT_EQ(feedback.Texts(), std::vector<std::string>{"Error al grabar la configuracion"});
  feedback.Clear();
  EXPECT_TRUE(ApplyConfigPage(s, c, false));  // leaving the page writes nothing
  EXPECT_TRUE(feedback.Texts().empty());
}

}  // namespace
}  // namespace quirovel
