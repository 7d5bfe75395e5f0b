#include "validation/error_log_reader.h"

#include <algorithm>
#include <cstring>

namespace quirovel {
namespace {
constexpr std::size_t kBlockSize = 1 << 16;  // 2048 entries
}

std::unique_ptr<File> OpenErrorLogFile(FileSystem& fs, const std::string& host_path) {
  std::unique_ptr<File> file = fs.Open(host_path, OpenMode::kReadWriteCreate);
  // A log on read-only media is still read.
  if (!file) file = fs.Open(host_path, OpenMode::kRead);
  return file;
}

bool ErrorLogReader::Open(FileSystem& fs, const std::string& host_path) {
  Close();
  file_ = OpenErrorLogFile(fs, host_path);
  return file_ != nullptr;
}

void ErrorLogReader::Close() {
  file_.reset();
  block_bytes_ = 0;
  block_offset_ = 0;
}

bool ErrorLogReader::Read(std::int64_t k, Bytes* entry) {
  if (!file_ || k < 1) return false;
  const std::uint64_t offset = 32 * static_cast<std::uint64_t>(k);
  if (offset < block_offset_ || offset + 32 > block_offset_ + block_bytes_) {
    if (!block_) block_.reset(new unsigned char[kBlockSize]);
    std::int64_t got = file_->ReadAt(offset, block_.get(), kBlockSize);
    block_offset_ = offset;
    block_bytes_ = got > 0 ? static_cast<std::size_t>(got) : 0;
  }
  if (offset >= block_offset_ + block_bytes_) return false;
  std::size_t at = static_cast<std::size_t>(offset - block_offset_);
  std::size_t n = std::min<std::size_t>(32, block_bytes_ - at);
  if (n == 0) return false;
  entry->fill(0);
  std::memcpy(entry->data(), block_.get() + at, n);
  return true;
}

std::int64_t ErrorLogReader::HeldEntries() {
  if (!file_) return 0;
  const std::int64_t size = file_->Size();
  return size > 32 ? (size - 1) / 32 : 0;  // entry k starts at byte 32 * k
}

}  // namespace quirovel
