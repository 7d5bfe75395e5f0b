#include "app/cli/cli_feedback.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "platform/cp1252.h"

namespace quirovel {

CliFeedback::CliFeedback(Answer answer)
    : answer_(answer), terminal_(::isatty(STDERR_FILENO) != 0) {}

CliFeedback::~CliFeedback() { ClearBar(); }

void CliFeedback::ClearBar() {
  if (!bar_shown_) return;
  std::fputs("\r\033[K", stderr);
  bar_shown_ = false;
}

void CliFeedback::Message(std::string_view text, std::string_view caption) {
  ClearBar();
  ++messages_;
  std::string line;
  if (!caption.empty()) line = DisplayTextToUtf8(caption) + ": ";
  line += DisplayTextToUtf8(text);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  std::fprintf(stderr, "%s\n", line.c_str());
}

bool CliFeedback::Ask(std::string_view question, std::string_view caption) {
  ClearBar();
  std::string text = DisplayTextToUtf8(question);
  if (!caption.empty()) text = DisplayTextToUtf8(caption) + ": " + text;
  if (answer_ != Answer::kAsk) {
    std::fprintf(stderr, "%s [%s]\n", text.c_str(), answer_ == Answer::kYes ? "si" : "no");
    return answer_ == Answer::kYes;
  }
  if (::isatty(STDIN_FILENO) == 0) {
    std::fprintf(stderr, "%s\n(sin terminal: responda con --yes o --no)\n", text.c_str());
    refused_ = true;
    return false;
  }
  std::fprintf(stderr, "%s [s/n] ", text.c_str());
  std::string reply;
  std::getline(std::cin, reply);
  return !reply.empty() &&
         (reply[0] == 's' || reply[0] == 'S' || reply[0] == 'y' || reply[0] == 'Y');
}

void CliFeedback::ShowStatus(std::string_view text) { status_ = text; }

void CliFeedback::ShowInfo(std::string_view) {}

void CliFeedback::ShowActivity(std::string_view) {}

void CliFeedback::ShowRecordCount(long) {}

void CliFeedback::ProgressRange(long total) {
  total_ = total;
  // The bar is named after what the operation said it was doing ("Ordenando
  // Errores..."); a count in the status line is no name.
  const bool named = !status_.empty() && !(status_[0] >= '0' && status_[0] <= '9');
  label_ = named ? Cp1252ToUtf8(status_) : "Episodios";
}

void CliFeedback::ProgressPosition(long position) {
  if (!terminal_ || total_ <= 0) return;
  long percent = position * 100 / total_;
  if (percent > 100) percent = 100;
  int filled = static_cast<int>(percent / 2);
  std::fprintf(stderr, "\r%s [%.*s%*s] %3ld%%", label_.c_str(), filled,
               "##################################################", 50 - filled, "", percent);
  std::fflush(stderr);
  bar_shown_ = true;
}

}  // namespace quirovel
