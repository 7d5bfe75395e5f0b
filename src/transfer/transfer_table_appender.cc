#include "transfer/transfer_table_appender.h"

#include "platform/little_endian.h"

namespace quirovel {
namespace {

constexpr std::size_t kBlock = 1 << 20;

}  // namespace

bool TableAppender::Open(const std::string& path) {
  file_ = fs_.Open(path, OpenMode::kReadWrite);
  unsigned char header[32];
  if (!file_ || file_->ReadAt(0, header, 32) != 32) {
    file_.reset();
    return false;
  }
  header_length_ = GetLe16(&header[8]);
  record_length_ = GetLe16(&header[10]);
  written_ = buffered_ = 0;
  failed_ = record_length_ <= 0;
  block_.clear();
  return !failed_;
}

bool TableAppender::Append(std::string_view record) {
  if (failed_ || !file_) return false;
  const std::size_t length = static_cast<std::size_t>(record_length_);
  block_.append(record.substr(0, length));
  if (record.size() < length) block_.append(length - record.size(), ' ');
  ++buffered_;
  return block_.size() < kBlock || Flush();
}

bool TableAppender::Flush() {
  if (block_.empty()) return !failed_;
  const std::uint64_t at = header_length_ + static_cast<std::uint64_t>(written_) *
                                                static_cast<std::uint64_t>(record_length_);
  if (file_->WriteAt(at, block_.data(), block_.size()) !=
      static_cast<std::int64_t>(block_.size())) {
    // What part of the block reached the disk lies beyond the count.
    file_->Truncate(at);
    feedback_.Message("APPEND:ERROR ESCRITURA");
    failed_ = true;
  } else {
    written_ += buffered_;
  }
  block_.clear();
  buffered_ = 0;
  return !failed_;
}

bool TableAppender::Close() {
  if (!file_) return false;
  bool whole = Flush();
  unsigned char count[4];
  PutLe32(count, written_);
  whole = file_->WriteAt(4, count, 4) == 4 && whole;
  file_.reset();
  return whole;
}

}  // namespace quirovel
