#include "app/cli/interrupt_scope.h"

#include <atomic>

namespace quirovel {
namespace {

// A signal handler reaches the program through globals only; these two are
// the command line's, set for the duration of one command.
std::atomic<Feedback*> g_target{nullptr};
volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnInterrupt(int) {
  g_interrupted = 1;
  if (Feedback* feedback = g_target.load()) feedback->RequestStop();
}

}  // namespace

InterruptScope::InterruptScope(Feedback& feedback) {
  g_interrupted = 0;
  g_target.store(&feedback);
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // The handler is removed as it runs: a second Ctrl-C ends the process.
  action.sa_flags = SA_RESETHAND;
  sigaction(SIGINT, &action, &previous_);
}

InterruptScope::~InterruptScope() {
  // A handler that ran has removed itself already; either way the one that was
  // there before the command is put back.
  sigaction(SIGINT, &previous_, nullptr);
  g_target.store(nullptr);
}

bool InterruptScope::interrupted() const { return g_interrupted != 0; }

}  // namespace quirovel
