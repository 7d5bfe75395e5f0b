// Ctrl-C while a command runs: the first asks the operation to stop (it ends
// cleanly and says so), the second ends the process as Ctrl-C always does.
#pragma once

#include <csignal>

#include "platform/feedback.h"

namespace quirovel {

class InterruptScope {
 public:
  explicit InterruptScope(Feedback& feedback);
  ~InterruptScope();
  InterruptScope(const InterruptScope&) = delete;
  InterruptScope& operator=(const InterruptScope&) = delete;

  // True once Ctrl-C was pressed while the scope was active.
  bool interrupted() const;

 private:
  struct sigaction previous_ {};  // put back at the end of the command
};

}  // namespace quirovel
