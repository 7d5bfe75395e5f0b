// What an operation tells the person in front of it: modal messages, yes/no
// questions, the status line, the information label, the activity field, the
// record-count label and the progress bar. The window, the command line and
// the tests each implement it. Every text is Windows-1252.
#pragma once

#include <atomic>
#include <string_view>

namespace quirovel {

class Feedback {
 public:
  virtual ~Feedback() = default;

  // A modal message with one OK button; caption may be empty.
  virtual void Message(std::string_view text, std::string_view caption = {}) = 0;
  // A yes/no question; true for yes.
  virtual bool Ask(std::string_view question, std::string_view caption = {}) = 0;

  virtual void ShowStatus(std::string_view text) = 0;
  virtual void ShowInfo(std::string_view text) = 0;
  // An empty text puts the current file's path back.
  virtual void ShowActivity(std::string_view text) = 0;
  virtual void ShowRecordCount(long count) = 0;

  virtual void ProgressRange(long total) = 0;
  virtual void ProgressPosition(long position) = 0;

  // A request to stop the operation in progress, from any thread (Cancel
  // beside the progress bar, Ctrl-C) and from a signal handler. Every loop
  // over records asks at least every 1,024 records and ends cleanly.
  void RequestStop() { stop_.store(true, std::memory_order_relaxed); }
  bool StopRequested() const { return stop_.load(std::memory_order_relaxed); }
  // The front end clears the request before it starts the next operation.
  void ClearStop() { stop_.store(false, std::memory_order_relaxed); }

 private:
  static_assert(std::atomic<bool>::is_always_lock_free,
                "RequestStop must be safe in a signal handler");
  std::atomic<bool> stop_{false};
};

// Says nothing; for callers that want an operation's result only.
class SilentFeedback final : public Feedback {
 public:
  void Message(std::string_view, std::string_view) override {}
  bool Ask(std::string_view, std::string_view) override { return false; }
  void ShowStatus(std::string_view) override {}
  void ShowInfo(std::string_view) override {}
  void ShowActivity(std::string_view) override {}
  void ShowRecordCount(long) override {}
  void ProgressRange(long) override {}
  void ProgressPosition(long) override {}
};

}  // namespace quirovel
