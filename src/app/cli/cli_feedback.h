// The command line's Feedback: messages as UTF-8 lines on standard error, a
// progress bar when standard error is a terminal, questions answered by
// --yes / --no or at the terminal.
#pragma once

#include <ostream>
#include <streambuf>
#include <string>

#include "platform/feedback.h"

namespace quirovel {

enum class Answer { kAsk, kYes, kNo };

class CliFeedback final : public Feedback {
 public:
  explicit CliFeedback(Answer answer);
  ~CliFeedback() override;

  void Message(std::string_view text, std::string_view caption = {}) override;
  bool Ask(std::string_view question, std::string_view caption = {}) override;
  void ShowStatus(std::string_view text) override;
  void ShowInfo(std::string_view text) override;
  void ShowActivity(std::string_view text) override;
  void ShowRecordCount(long count) override;
  void ProgressRange(long total) override;
  void ProgressPosition(long position) override;

  const std::string& last_status() const { return status_; }
  // How questions are answered from now on (a command's own --yes / --no).
  void set_answer(Answer answer) { answer_ = answer; }
  long message_count() const { return messages_; }
  // True once a question could not be answered (no terminal, no --yes/--no).
  bool refused_question() const { return refused_; }

  // Removes the progress bar from the terminal line, if one is shown.
  void ClearBar();

 private:
  Answer answer_;
  bool terminal_;
  bool bar_shown_ = false;
  long total_ = 0;
  std::string label_;  // shown before the bar
  std::string status_;
  long messages_ = 0;
  bool refused_ = false;
};

// A stream over `out` that takes the progress bar off the terminal before
// anything is written, so that results never run on from it.
class BarClearingStream final : public std::ostream {
 public:
  BarClearingStream(std::ostream& out, CliFeedback& feedback)
      : std::ostream(&buffer_), buffer_(out, feedback) {}

 private:
  class Buffer final : public std::streambuf {
   public:
    Buffer(std::ostream& out, CliFeedback& feedback) : out_(out), feedback_(feedback) {}

   protected:
    int overflow(int c) override {
      if (c == traits_type::eof()) return traits_type::not_eof(c);
      feedback_.ClearBar();
      return out_.rdbuf()->sputc(static_cast<char>(c));
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
      feedback_.ClearBar();
      return out_.rdbuf()->sputn(s, n);
    }
    int sync() override { return out_.rdbuf()->pubsync(); }

   private:
    std::ostream& out_;
    CliFeedback& feedback_;
  };
  Buffer buffer_;
};

}  // namespace quirovel
