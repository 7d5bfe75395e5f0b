// What an operation tells the person in front of it: modal messages, yes/no
// questions, the status line, the information label, the activity field, the
// record-count label and the progress bar. The window, the command line and
// the tests each implement it. Every text is Windows-1252.
#pragma once

#include <string_view>

namespace quirovel {

class Feedback {
 public:
  virtual ~Feedback() = default;

  // A modal message with one OK button; caption may be empty.
  virtual void Message(std::string_view text, std::string_view caption = {}) = 0;
  // A yes/no question; true for yes.
  virtual bool Ask(std::string_view question, std::string_view caption = {}) = 0;

  virtual void Status(std::string_view text) = 0;
  virtual void Info(std::string_view text) = 0;
  // An empty text puts the current file's path back.
  virtual void Activity(std::string_view text) = 0;
  virtual void RecordCount(long count) = 0;

  virtual void ProgressRange(long total) = 0;
  virtual void ProgressPosition(long position) = 0;
};

// Says nothing; for callers that want an operation's result only.
class SilentFeedback final : public Feedback {
 public:
  void Message(std::string_view, std::string_view) override {}
  bool Ask(std::string_view, std::string_view) override { return false; }
  void Status(std::string_view) override {}
  void Info(std::string_view) override {}
  void Activity(std::string_view) override {}
  void RecordCount(long) override {}
  void ProgressRange(long) override {}
  void ProgressPosition(long) override {}
};

}  // namespace quirovel
