// Puts a report line together in a buffer of its own and adds it to a string
// in one piece: "errores.txt" gets a line for every error of a run, a million
// or more, and each of them is made of a dozen small pieces.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace quirovel {

class LineBuilder {
 public:
  explicit LineBuilder(std::string* out) : out_(*out) {}
  ~LineBuilder() { Spill(); }
  LineBuilder(const LineBuilder&) = delete;
  LineBuilder& operator=(const LineBuilder&) = delete;

  void Append(std::string_view text) {
    if (text.size() > kRoom) {  // longer than the room: straight to the string
      Spill();
      out_.append(text);
      return;
    }
    if (text.empty()) return;  // an absent field's text has no data at all
    if (text.size() > kRoom - used_) Spill();
    std::memcpy(buffer_ + used_, text.data(), text.size());
    used_ += text.size();
  }
  void Push(char c) {
    if (used_ == kRoom) Spill();
    buffer_[used_++] = c;
  }
  void Repeat(char c, std::size_t n) {
    while (n > 0) {
      if (used_ == kRoom) Spill();
      const std::size_t k = std::min(n, kRoom - used_);
      std::memset(buffer_ + used_, c, k);
      used_ += k;
      n -= k;
    }
  }

 private:
  static constexpr std::size_t kRoom = 512;  // longer than any usual line

  void Spill() {
    out_.append(buffer_, used_);
    used_ = 0;
  }

  std::string& out_;
  std::size_t used_ = 0;
  char buffer_[kRoom];
};

}  // namespace quirovel
