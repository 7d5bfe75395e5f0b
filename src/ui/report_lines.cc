#include "ui/report_lines.h"

namespace quirovel {

ReportLineReader::ReportLineReader(std::unique_ptr<File> file)
    : file_(std::move(file)), block_(64 * 1024) {}

int ReportLineReader::Peek() {
  if (at_ == size_) {
    if (at_end_ || !file_) return -1;
    const std::int64_t got = file_->ReadAt(offset_, block_.data(), block_.size());
    if (got <= 0) {
      at_end_ = true;
      return -1;
    }
    offset_ += static_cast<std::uint64_t>(got);
    at_ = 0;
    size_ = static_cast<std::size_t>(got);
  }
  return static_cast<unsigned char>(block_[at_]);
}

int ReportLineReader::Get() {
  const int c = Peek();
  if (c >= 0) ++at_;
  return c;
}

bool ReportLineReader::Next(ReportLine* line) {
  line->text = std::move(carry_);
  carry_.clear();
  line->continuation = continuing_;
  continuing_ = false;
  std::string& text = line->text;
  if (text.empty() && Peek() < 0) return false;
  for (;;) {
    const int c = Peek();
    if (c < 0) {                                           // a last line without its line end
      if (text.size() > kMaxPrintedLine) text.pop_back();  // a '\r' left of a line end
      return true;
    }
    if (c == '\n') {
      Get();
      if (!text.empty() && text.back() == '\r') text.pop_back();
      return true;
    }
    if (text.size() >= kMaxPrintedLine) {
      // A full piece, unless a line end follows it: a '\r' is held until
      // the next byte says whether it ends the line.
      if (text.size() == kMaxPrintedLine && c == '\r') {
        text.push_back(static_cast<char>(Get()));
        continue;
      }
      if (text.size() > kMaxPrintedLine) {
        carry_.assign(1, '\r');
        text.pop_back();
      }
      continuing_ = true;
      return true;
    }
    text.push_back(static_cast<char>(Get()));
  }
}

}  // namespace quirovel
