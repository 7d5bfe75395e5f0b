// Reads the hospital's reference text files line by line, the way their
// 100-byte line buffer always did: a line keeps at most 99 characters. Unlike
// a bare fgets, the rest of a longer line is dropped instead of coming back as
// a line of its own, so one long line cannot invent a service or a code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace quirovel {

class TextLineReader {
 public:
  static constexpr std::size_t kMaxLine = 99;

  explicit TextLineReader(File& file) : file_(file) {}

  // The next line without its end ("\n" or "\r\n"), at most 99 characters.
  // False at the end of the file (a Ctrl-Z byte ends it too) or on a read error.
  bool Next(std::string* line);
  bool read_failed() const { return failed_; }
  // True when the last line returned was longer than 99 characters and was cut.
  bool last_cut() const { return cut_; }

 private:
  bool Fill();

  File& file_;
  std::vector<char> buffer_ = std::vector<char>(1 << 16);
  std::size_t begin_ = 0, end_ = 0;
  std::uint64_t offset_ = 0;
  bool eof_ = false;
  bool failed_ = false;
  bool cut_ = false;
};

}  // namespace quirovel
