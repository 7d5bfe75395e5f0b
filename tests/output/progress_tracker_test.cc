#include "output/progress_tracker.h"

#include <gtest/gtest.h>

#include <regex>

#include "platform/recording_feedback.h"

namespace quirovel {
namespace {

TEST(ProgressTrackerTest, BarMovesAbout95TimesWhateverTheSizeAndFinishShowsTheSeconds) {
  for (long total : {0L, 190L, 12345L, 95L * 1000}) {
    RecordingFeedback feedback;
    ProgressTracker tracker(feedback);
    tracker.Start(total);
    EXPECT_EQ(feedback.progress_total, total);
    const long steps = total == 0 ? 6 : total;  // an empty pass moves every second step
    for (long i = 1; i <= steps; ++i) tracker.Step(i);
    // A move when the counter before the step exceeds the interval: every interval + 2 steps.
    const long every = total / 95 + 2;
    EXPECT_EQ(feedback.progress_moves, steps / every) << total;
    EXPECT_EQ(feedback.progress_position, steps / every * every) << total;
    tracker.Finish();
    EXPECT_EQ(feedback.progress_position, total);
    EXPECT_TRUE(std::regex_match(feedback.status, std::regex(R"(\(\d+"\))"))) << feedback.status;
    EXPECT_EQ(feedback.status, tracker.elapsed_text());
    EXPECT_TRUE(std::regex_match(tracker.start_date(), std::regex(R"(\d\d/\d\d/\d{4})")));
  }
}

}  // namespace
}  // namespace quirovel
