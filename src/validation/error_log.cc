#include "validation/error_log.h"

namespace quirovel {

bool ErrorLog::Open(FileSystem& fs, const std::string& host_path) {
  Close();
  file_ = fs.Open(host_path, OpenMode::kReadWriteCreate);
  return file_ != nullptr;
}

int ErrorLog::Close() {
  int lost = Flush();
  file_.reset();
  return lost;
}

bool ErrorLog::Write(std::int64_t k, const ErrorEntry& entry) {
  if (!file_ || k < 1) return false;
  auto bytes = entry.Encode();
  return file_->WriteAt(32 * static_cast<std::uint64_t>(k), bytes.data(), bytes.size()) == 32;
}

bool ErrorLog::Read(std::int64_t k, ErrorEntry* entry) {
  if (!file_ || k < 1) return false;
  unsigned char bytes[32];
  if (file_->ReadAt(32 * static_cast<std::uint64_t>(k), bytes, sizeof bytes) != 32) return false;
  *entry = ErrorEntry::Decode(bytes);
  return true;
}

void ErrorLog::Queue(std::int64_t k, const ErrorEntry& entry) {
  if (!queued_bytes_.empty() && k != queued_first_ + static_cast<std::int64_t>(queued())) Flush();
  if (queued_bytes_.empty()) queued_first_ = k;
  auto bytes = entry.Encode();
  queued_bytes_.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

int ErrorLog::Flush() {
  if (queued_bytes_.empty()) return 0;
  const int count = static_cast<int>(queued());
  int stored = 0;
  if (file_ && queued_first_ >= 1) {
    std::int64_t n = file_->WriteAt(32 * static_cast<std::uint64_t>(queued_first_),
                                    queued_bytes_.data(), queued_bytes_.size());
    // Entries are stored in order: those wholly inside the bytes written made it.
    if (n > 0) stored = static_cast<int>(n / 32);
  }
  queued_bytes_.clear();
  return count - stored;
}

}  // namespace quirovel
