// The lines of a report as they are printed, read through a block buffer so
// that a report of any size is printed in a few kilobytes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace quirovel {

// A printed line holds at most this many characters.
inline constexpr std::size_t kMaxPrintedLine = 254;

struct ReportLine {
  std::string text;           // without its line end (CR LF or LF)
  bool continuation = false;  // the rest of a longer line: always an ordinary line
};

// Where the lines of a printed document come from.
class LineSource {
 public:
  virtual ~LineSource() = default;
  // The next line; false when there is none.
  virtual bool Next(ReportLine* line) = 0;
};

class ReportLineReader final : public LineSource {
 public:
  explicit ReportLineReader(std::unique_ptr<File> file);

  // The next line; false at the end of the file (or when it cannot be read).
  // A last line without its line end is a whole line; a line longer than
  // kMaxPrintedLine comes in pieces of that length, none of it lost.
  bool Next(ReportLine* line) override;

 private:
  int Get();  // the next byte, or -1 at the end
  int Peek();

  std::unique_ptr<File> file_;
  std::vector<char> block_;
  std::size_t at_ = 0, size_ = 0;
  std::uint64_t offset_ = 0;
  bool at_end_ = false;
  bool continuing_ = false;
  std::string carry_;  // a '\r' that turned out not to end a line
};

}  // namespace quirovel
