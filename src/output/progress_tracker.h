// Progress of one pass over a file: the bar moves about 95 times whatever the
// file's size, and the end shows the elapsed seconds in the status line.
#pragma once

#include <ctime>
#include <string>

#include "platform/feedback.h"

namespace quirovel {

class ProgressTracker {
 public:
  explicit ProgressTracker(Feedback& feedback) : feedback_(feedback) {}

  void Start(long total);
  void Step(long position);
  // Moves the bar to the end and shows "(%ld\")" with the whole seconds.
  void Finish();

  double elapsed_seconds() const { return elapsed_; }
  const std::string& start_date() const { return start_date_; }  // "%d/%m/%Y"
  const std::string& elapsed_text() const { return elapsed_text_; }
  std::time_t start_time() const { return start_; }

 private:
  Feedback& feedback_;
  std::time_t start_ = 0;
  std::string start_date_;
  long total_ = 0;
  long counter_ = 0;
  long interval_ = 0;
  double elapsed_ = 0;
  std::string elapsed_text_;
};

}  // namespace quirovel
