#include "app/cli/interrupt_scope.h"

#include <gtest/gtest.h>

#include <csignal>

#include "platform/recording_feedback.h"

namespace quirovel {
namespace {

TEST(InterruptScopeTest, FirstCtrlCAsksTheOperationToStopAndTheNextIsLeftToTheSystem) {
  RecordingFeedback feedback;
  {
    InterruptScope scope(feedback);
    EXPECT_FALSE(scope.interrupted());
    std::raise(SIGINT);
    EXPECT_TRUE(scope.interrupted());
    EXPECT_TRUE(feedback.StopRequested());
    // The handler removed itself: a second Ctrl-C would end the process.
    struct sigaction now {};
    sigaction(SIGINT, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
  }
  RecordingFeedback next;
  InterruptScope scope(next);
  EXPECT_FALSE(scope.interrupted()) << "each command starts uninterrupted";
}

}  // namespace
}  // namespace quirovel
