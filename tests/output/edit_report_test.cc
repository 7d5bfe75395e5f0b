#include "output/edit_report.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "session/session.h"
#include "platform/recording_feedback.h"
#include "support/temp_dir.h"

namespace quirovel {
namespace {

class EditReportTest : public ::testing::Test {
 protected:
  EditReportTest() : session(RealFileSystem(), feedback, dir.Path("root")) {
    session.config.SetWorkDirectory(dir.path());  // a host path: reports land in the temp dir
  }

  testing::TempDir dir;
  RecordingFeedback feedback;
  Session session;
};

TEST_F(EditReportTest, StartsTheEditorWithItsNameFirstAndThePathSecondAndWaits) {
  // The "report" is a shell script run by /bin/sh configured as the editor; it
  // writes down the arguments the editor process received.
  testing::WriteFileBytes(dir.Path("erragr.txt"),
                          "tr '\\000' '\\n' < /proc/$$/cmdline > " + dir.Path("args") + "\n");
  session.config.SetEditorPath("/bin/sh");
  session.config.SetEditorProgram("WORDPAD.EXE");
  EditOutcome outcome = EditReport(session.config, session.paths, session.fs, "erragr.txt");
  ASSERT_TRUE(outcome.started);
  EXPECT_EQ(outcome.exit_status, 0);
  EXPECT_EQ(outcome.report_path, dir.Path("erragr.txt"));
  // Waited for: the file is complete when EditReport returns.
  EXPECT_EQ(testing::ReadFileBytes(dir.Path("args")), "WORDPAD.EXE\n" + dir.Path("erragr.txt") + "\n");
}

TEST_F(EditReportTest, BareEditorNamesAreLookedUpInPath) {
  session.config.SetEditorPath("true");
  session.config.SetEditorProgram("true");
  EditOutcome outcome = EditReport(session.config, session.paths, session.fs, "no-existe.txt");  // passed all the same
  EXPECT_TRUE(outcome.started);
  EXPECT_EQ(outcome.exit_status, 0);
}

TEST_F(EditReportTest, EditorThatCannotStartIsNotAnError) {
  EditOutcome outcome = EditReport(session.config, session.paths, session.fs, "resumen.txt");  // the default WORDPAD.EXE
  EXPECT_FALSE(outcome.started);
  EXPECT_EQ(outcome.report_path, dir.Path("resumen.txt"));
  EXPECT_TRUE(feedback.Texts().empty());
  session.config.SetEditorPath("editor-que-no-existe-en-path");
  EXPECT_FALSE(EditReport(session.config, session.paths, session.fs, "resumen.txt").started);
  EXPECT_EQ(RunProgramAndWait("", {"x"}), -1);
}

}  // namespace
}  // namespace quirovel
