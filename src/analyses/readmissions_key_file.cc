#include "analyses/readmissions_key_file.h"

#include "platform/little_endian.h"

namespace quirovel {
namespace {
constexpr std::size_t kBlock = 64 * 1024;  // 2,048 records a write
}  // namespace

bool ReadmissionKeyFile::Open(FileSystem& fs, const std::string& host_path, bool empty_it) {
  Close();
  file_ = fs.Open(host_path, empty_it ? OpenMode::kCreateTruncate : OpenMode::kReadWriteCreate);
  written_ = 0;
  failed_ = false;
  buffer_.clear();
  buffer_.reserve(kBlock);
  return file_ != nullptr;
}

std::string_view ReadmissionKeyFile::StoredKey(std::string_view key) {
  const std::size_t nul = key.find('\0');
  if (nul != std::string_view::npos) key = key.substr(0, nul);
  return key.substr(0, std::min(key.size(), kKeySize));
}

bool ReadmissionKeyFile::Add(std::string_view key, std::uint32_t record_number) {
  if (failed_ || !file_) return false;
  unsigned char bytes[kRecordSize] = {};
  const std::string_view stored = StoredKey(key);
  stored.copy(reinterpret_cast<char*>(bytes), stored.size());
  PutLe32(bytes + 28, record_number);
  buffer_.append(reinterpret_cast<const char*>(bytes), kRecordSize);
  return buffer_.size() < kBlock || Flush();
}

bool ReadmissionKeyFile::Flush() {
  if (failed_ || !file_) return false;
  if (buffer_.empty()) return true;
  const std::int64_t n =
      file_->WriteAt(static_cast<std::uint64_t>(written_), buffer_.data(), buffer_.size());
  if (n > 0) written_ += n;
  if (n != static_cast<std::int64_t>(buffer_.size())) failed_ = true;
  buffer_.clear();
  return !failed_;
}

void ReadmissionKeyFile::Close() {
  if (file_) Flush();
  file_.reset();
}

}  // namespace quirovel
