#include "reference/text_lines.h"

namespace quirovel {

bool TextLineReader::Fill() {
  if (eof_) return false;
  begin_ = 0;
  std::int64_t got = file_.ReadAt(offset_, buffer_.data(), buffer_.size());
  if (got < 0) failed_ = true;
  if (got <= 0) {
    eof_ = true;
    end_ = 0;
    return false;
  }
  offset_ += static_cast<std::uint64_t>(got);
  end_ = static_cast<std::size_t>(got);
  return true;
}

bool TextLineReader::Next(std::string* line) {
  line->clear();
  cut_ = false;
  bool any = false;
  for (;;) {
    if (begin_ == end_ && !Fill()) break;
    any = true;
    char c = buffer_[begin_++];
    if (c == '\n') break;
    if (c == '\x1A') {  // old DOS end-of-file mark
      eof_ = true;
      begin_ = end_;
      if (line->empty()) return false;
      break;
    }
    if (line->size() < kMaxLine + 1)
      line->push_back(c);
    else
      cut_ = true;
  }
  if (!line->empty() && line->back() == '\r') line->pop_back();
  if (line->size() > kMaxLine) {
    line->resize(kMaxLine);
    cut_ = true;
  }
  return any;
}

}  // namespace quirovel
