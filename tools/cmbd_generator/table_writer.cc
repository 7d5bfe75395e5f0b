#include "table_writer.h"

#include <cstring>
#include <string_view>

#include "platform/feedback.h"
#include "storage/table_files.h"
#include "validation/cmbd_layout.h"

namespace quirovel::gen {
namespace {

constexpr std::size_t kBlockRecords = 4096;

}  // namespace

bool TableWriter::Create(const std::string& path, std::string* error) {
  path_ = path;
  SilentFeedback quiet;
  FileSystem& fs = RealFileSystem();
  std::vector<std::string_view> layout(kCmbdLayout.begin(), kCmbdLayout.end());
  if (!quirovel::Create(fs, quiet, layout, path) ||
      !(file_ = fs.Open(path, OpenMode::kReadWrite))) {
    *error = path + ": cannot be created";
    return false;
  }
  unsigned char header[32];
  if (file_->ReadAt(0, header, sizeof header) != static_cast<std::int64_t>(sizeof header)) {
    *error = path + ": cannot be read back";
    return false;
  }
  header_length_ = header[8] | static_cast<unsigned>(header[9]) << 8;
  record_length_ = header[10] | static_cast<unsigned>(header[11]) << 8;
  block_.reserve(kBlockRecords * record_length_);
  return true;
}

bool TableWriter::Add(const char* record, std::string* error) {
  block_.insert(block_.end(), record, record + record_length_);
  ++records_;
  return block_.size() < kBlockRecords * record_length_ || Flush(error);
}

bool TableWriter::Flush(std::string* error) {
  if (block_.empty()) return true;
  const std::uint64_t offset = header_length_ + written_ * record_length_;
  if (file_->WriteAt(offset, block_.data(), block_.size()) !=
      static_cast<std::int64_t>(block_.size())) {
    *error = path_ + ": write failed (disk full?)";
    return false;
  }
  written_ += block_.size() / record_length_;
  block_.clear();
  return true;
}

bool TableWriter::Finish(std::string* error) {
  if (!Flush(error)) return false;
  unsigned char count[4] = {
      static_cast<unsigned char>(records_), static_cast<unsigned char>(records_ >> 8),
      static_cast<unsigned char>(records_ >> 16), static_cast<unsigned char>(records_ >> 24)};
  if (file_->WriteAt(4, count, sizeof count) != 4) {
    *error = path_ + ": the record count cannot be written";
    return false;
  }
  file_.reset();
  return true;
}

}  // namespace quirovel::gen
