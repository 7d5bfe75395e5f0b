#include "output/progress_tracker.h"

#include <gtest/gtest.h>

#include <regex>

#include "platform/recording_feedback.h"

namespace quirovel {
namespace {

TEST(ProgressTrackerTest, EmptyPassMovesTheBarEverySecondStep) {
  RecordingFeedback feedback;
  ProgressTracker tracker(feedback);
  tracker.Start(0);
  EXPECT_EQ(feedback.progress_total, 0);
  std::vector<long> moved_at;
  for (long i = 1; i <= 6; ++i) {
    long before = feedback.progress_moves;
    tracker.Step(i);
    if (feedback.progress_moves != before) moved_at.push_back(i);
  }
  EXPECT_EQ(moved_at, (std::vector<long>{2, 4, 6}));
}

TEST(ProgressTrackerTest, BarMovesAbout95TimesWhateverTheSize) {
  for (long total : {95L * 1000, 12345L, 190L}) {
    RecordingFeedback feedback;
    ProgressTracker tracker(feedback);
    tracker.Start(total);
    const long interval = total / 95;
    for (long i = 1; i <= total; ++i) tracker.Step(i);
    // A move happens when the counter before the step exceeds the interval:
    // every interval + 2 steps.
    EXPECT_EQ(feedback.progress_moves, total / (interval + 2)) << total;
    EXPECT_EQ(feedback.progress_position, (total / (interval + 2)) * (interval + 2)) << total;
  }
}

TEST(ProgressTrackerTest, FinishShowsTheWholeSecondsAndFillsTheBar) {
  RecordingFeedback feedback;
  ProgressTracker tracker(feedback);
  tracker.Start(500);
  EXPECT_TRUE(std::regex_match(tracker.start_date(), std::regex(R"(\d\d/\d\d/\d{4})")));
  tracker.Step(1);
  tracker.Finish();
  EXPECT_EQ(feedback.progress_position, 500);
  EXPECT_TRUE(std::regex_match(feedback.status, std::regex(R"(\(\d+"\))"))) << feedback.status;
  EXPECT_EQ(feedback.status, tracker.elapsed_text());
  EXPECT_GE(tracker.elapsed_seconds(), 0.0);
}

}  // namespace
}  // namespace quirovel
