#include "ui/error_log_stepper.h"

#include <algorithm>
#include <cstring>

#include "validation/error_log_reader.h"

namespace quirovel {
namespace {
constexpr std::size_t kEntry = 32;
constexpr std::size_t kLargestBlock = 1 << 16;
}  // namespace

bool ErrorLogStepper::Open(FileSystem& fs, const std::string& host_path) {
  Close();
  file_ = OpenErrorLogFile(fs, host_path);
  return file_ != nullptr;
}

void ErrorLogStepper::Close() {
  file_.reset();
  block_bytes_ = 0;
  block_offset_ = 0;
  last_ = 0;
  run_ = kEntry;
  bytes_read_ = 0;
  reads_ = 0;
}

bool ErrorLogStepper::Fill(std::uint64_t start, std::size_t size) {
  block_.resize(size);
  const std::int64_t got = file_->ReadAt(start, block_.data(), size);
  ++reads_;
  block_offset_ = start;
  block_bytes_ = got > 0 ? static_cast<std::size_t>(got) : 0;
  bytes_read_ += block_bytes_;
  return block_bytes_ > 0;
}

bool ErrorLogStepper::Read(std::int64_t k, EntryBytes* entry) {
  if (!file_ || k < 1) return false;
  const std::uint64_t offset = kEntry * static_cast<std::uint64_t>(k);
  const bool held = offset >= block_offset_ && offset + kEntry <= block_offset_ + block_bytes_;
  if (!held) {
    const bool forwards = last_ != 0 && k == last_ + 1;
    const bool backwards = last_ != 0 && k == last_ - 1;
    run_ = forwards || backwards ? std::min(run_ * 2, kLargestBlock) : kEntry;
    if (backwards) {
      // The block ends with entry k; entry 1 is the first worth reading.
      const std::uint64_t end = offset + kEntry;
      const std::uint64_t start = std::max<std::uint64_t>(kEntry, end > run_ ? end - run_ : 0);
      Fill(start, static_cast<std::size_t>(end - start));
    } else {
      Fill(offset, run_);
    }
  }
  last_ = k;
  if (offset < block_offset_ || offset >= block_offset_ + block_bytes_) return false;
  const std::size_t at = static_cast<std::size_t>(offset - block_offset_);
  entry->fill(0);
  std::memcpy(entry->data(), block_.data() + at, std::min(kEntry, block_bytes_ - at));
  return true;
}

}  // namespace quirovel
