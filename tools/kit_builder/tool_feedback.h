// Messages of the table layer go to standard error (UTF-8) and count as a
// failure of the build step that caused them.
#pragma once

#include <cstdio>
#include <string>

#include "platform/cp1252.h"
#include "platform/feedback.h"

namespace quirovel::kit {

class ToolFeedback final : public Feedback {
 public:
  void Message(std::string_view text, std::string_view) override {
    std::fprintf(stderr, "kit_builder: %s\n", Cp1252ToUtf8(text).c_str());
    failed_ = true;
  }
  bool Ask(std::string_view, std::string_view) override { return false; }
  void ShowStatus(std::string_view) override {}
  void ShowInfo(std::string_view) override {}
  void ShowActivity(std::string_view) override {}
  void ShowRecordCount(long) override {}
  void ProgressRange(long) override {}
  void ProgressPosition(long) override {}

  bool failed() const { return failed_; }

 private:
  bool failed_ = false;
};

}  // namespace quirovel::kit
