// Keeps everything an operation said, for tests to assert on exact texts.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/feedback.h"

namespace quirovel {

class RecordingFeedback final : public Feedback {
 public:
  struct Shown {
    std::string text;
    std::string caption;
  };

  void Message(std::string_view text, std::string_view caption = {}) override {
    messages.push_back({std::string(text), std::string(caption)});
  }
  bool Ask(std::string_view question, std::string_view caption = {}) override {
    questions.push_back({std::string(question), std::string(caption)});
    return answer;
  }
  void ShowStatus(std::string_view text) override {
    status = text;
    ++status_writes;
    if (on_status) on_status(text);
  }
  void ShowInfo(std::string_view text) override { info = text; }
  void ShowActivity(std::string_view text) override { activity = text; }
  void ShowRecordCount(long count) override { record_count = count; }
  void ProgressRange(long total) override { progress_total = total; }
  void ProgressPosition(long position) override {
    progress_position = position;
    ++progress_moves;
  }

  // The message texts alone, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : messages) texts.push_back(m.text);
    return texts;
  }
  void Clear() {
    messages.clear();
    questions.clear();
    answer = true;
    status.clear(), info.clear(), activity.clear();
    status_writes = 0;
    record_count = progress_total = progress_position = -1;
    progress_moves = 0;
    on_status = nullptr;
    ClearStop();
  }

  // Called with every status text: a test asks for a stop at a chosen point.
  std::function<void(std::string_view)> on_status;

  std::vector<Shown> messages;
  std::vector<Shown> questions;
  bool answer = true;
  std::string status, info, activity;
  long status_writes = 0;
  long record_count = -1;
  long progress_total = -1, progress_position = -1, progress_moves = 0;
};

}  // namespace quirovel
