#include "validation/error_log.h"

#include <algorithm>

namespace quirovel {
namespace {

// Zeros written ahead at a time: room for 8192 entries.
constexpr std::uint64_t kRoomStep = 256 * 1024;
// Entries held back at most, even inside the room.
constexpr std::size_t kMaxHeldBytes = 64 * 1024;

}  // namespace

bool ErrorLog::Open(FileSystem& fs, const std::string& host_path) {
  Close();
  file_ = fs.Open(host_path, OpenMode::kReadWriteCreate);
  if (!file_) return false;
  const std::int64_t size = file_->Size();
  original_size_ = size_ = size > 0 ? static_cast<std::uint64_t>(size) : 0;
  written_end_ = 0;
  // Cutting the file to its own size changes nothing and tells whether the
  // zeros written ahead could be taken back at the end.
  can_cut_ = may_reserve_ = size >= 0 && file_->Truncate(size_);
  return true;
}

int ErrorLog::Close() {
  if (!file_) return 0;
  int lost = Flush();
  const std::uint64_t final_size = std::max(original_size_, written_end_);
  if (can_cut_ && size_ > final_size) file_->Truncate(final_size);
  file_.reset();
  return lost;
}

bool ErrorLog::Write(std::int64_t k, const ErrorEntry& entry) {
  if (!file_ || k < 1) return false;
  Flush();
  auto bytes = entry.Encode();
  const std::uint64_t at = 32 * static_cast<std::uint64_t>(k);
  const std::int64_t n = file_->WriteAt(at, bytes.data(), bytes.size());
  if (n > 0) {
    size_ = std::max(size_, at + static_cast<std::uint64_t>(n));
    written_end_ = std::max(written_end_, at + static_cast<std::uint64_t>(n));
  }
  return n == 32;
}

void ErrorLog::Queue(std::int64_t k, const ErrorEntry& entry) {
  if (!queued_bytes_.empty() && k != queued_first_ + static_cast<std::int64_t>(queued())) Flush();
  if (queued_bytes_.empty()) queued_first_ = k;
  auto bytes = entry.Encode();
  queued_bytes_.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::uint64_t ErrorLog::QueuedEnd() const {
  return 32 * static_cast<std::uint64_t>(queued_first_) + queued_bytes_.size();
}

int ErrorLog::Flush() {
  if (queued_bytes_.empty()) return 0;
  const int count = static_cast<int>(queued());
  int stored = 0;
  if (file_ && queued_first_ >= 1) {
    const std::uint64_t at = 32 * static_cast<std::uint64_t>(queued_first_);
    const std::int64_t n = file_->WriteAt(at, queued_bytes_.data(), queued_bytes_.size());
    // Entries are stored in order: those wholly inside the bytes written made it.
    if (n > 0) {
      stored = static_cast<int>(n / 32);
      size_ = std::max(size_, at + static_cast<std::uint64_t>(n));
      written_end_ = std::max(written_end_, at + static_cast<std::uint64_t>(n));
    }
  }
  queued_bytes_.clear();
  return count - stored;
}

void ErrorLog::Reserve(std::uint64_t needed_end) {
  if (!may_reserve_) return;
  const std::uint64_t target = (needed_end / kRoomStep + 1) * kRoomStep;
  // Only past the end of the file: the zeros never cover an entry.
  const std::string zeros(static_cast<std::size_t>(target - size_), '\0');
  const std::int64_t n = file_->WriteAt(size_, zeros.data(), zeros.size());
  if (n > 0) size_ += static_cast<std::uint64_t>(n);
  // The disk is filling up: from now on entries beyond the room are written
  // at the end of their episode, where a failure shows.
  if (n != static_cast<std::int64_t>(zeros.size())) may_reserve_ = false;
}

int ErrorLog::EndEpisode() {
  if (queued_bytes_.empty()) return 0;
  // Every byte below the file's size is already on the device.
  if (QueuedEnd() > size_) Reserve(QueuedEnd());
  if (QueuedEnd() <= size_ && queued_bytes_.size() < kMaxHeldBytes) return 0;
  return Flush();
}

}  // namespace quirovel
