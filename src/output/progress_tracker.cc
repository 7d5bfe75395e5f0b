#include "output/progress_tracker.h"

#include "platform/format.h"

namespace quirovel {

void ProgressTracker::Start(long total) {
  total_ = total;
  feedback_.ProgressRange(total);
  counter_ = 0;
  interval_ = total / 95;
  start_ = std::time(nullptr);
  std::tm local{};
  localtime_r(&start_, &local);
  char text[129];
  std::strftime(text, sizeof text, "%d/%m/%Y", &local);
  start_date_ = text;
}

void ProgressTracker::Step(long position) {
  long before = counter_++;
  if (before > interval_) {
    feedback_.ProgressPosition(position);
    counter_ = 0;
  }
}

void ProgressTracker::Finish() {
  feedback_.ProgressPosition(total_);
  std::time_t end = std::time(nullptr);
  elapsed_ = std::difftime(end, start_);
  elapsed_text_ = StrFormat("(%ld\")", static_cast<long>(elapsed_));
  feedback_.ShowStatus(elapsed_text_);
}

}  // namespace quirovel
