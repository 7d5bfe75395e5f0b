#include "output/edit_report.h"

#include <gtest/gtest.h>

#include "platform/recording_feedback.h"
#include "session/session.h"
#include "support/temp_dir.h"

namespace quirovel {
namespace {

TEST(EditReport, StartsTheEditorWithItsNameAndThePathAndWaitsAndAMissingEditorIsNoError) {
  testing::TempDir dir;
  RecordingFeedback feedback;
  Session session(RealFileSystem(), feedback, dir.Path("root"));
  session.config.SetWorkDirectory(dir.path());  // a host path: reports land in the temp dir
  auto edit = [&](const char* report) {
    return EditReport(session.config, session.paths, session.fs, report);
  };
  EXPECT_EQ(edit("resumen.txt").report_path, dir.Path("resumen.txt"));
  EXPECT_FALSE(edit("resumen.txt").started);  // the default WORDPAD.EXE is nowhere
  EXPECT_TRUE(feedback.Texts().empty());
  session.config.SetEditorPath("true");  // bare names are looked up in PATH
  EXPECT_TRUE(edit("no-existe.txt").started);

  // The "report" is a shell script that /bin/sh, as the editor, runs: it
  // writes down the arguments the editor process received.
  testing::WriteFileBytes(dir.Path("erragr.txt"),
                          "tr '\\000' '\\n' < /proc/$$/cmdline > " + dir.Path("args") + "\n");
  session.config.SetEditorPath("/bin/sh");
  session.config.SetEditorProgram("WORDPAD.EXE");
  const EditOutcome outcome = edit("erragr.txt");
  ASSERT_TRUE(outcome.started);
  EXPECT_EQ(outcome.exit_status, 0);
  // Waited for: the file is complete when EditReport returns.
  EXPECT_EQ(testing::ReadFileBytes(dir.Path("args")),
            "WORDPAD.EXE\n" + dir.Path("erragr.txt") + "\n");
}

}  // namespace
}  // namespace quirovel
