#include "output/report_file.h"

#include <cstdarg>
#include <cstdio>

namespace quirovel {
namespace {
constexpr std::size_t kBlock = 1 << 16;
}

bool ReportFile::Create(FileSystem& fs, const std::string& host_path) {
  Close();
  failed_ = false;
  offset_ = 0;
  buffer_.clear();
  // Written under a temporary name and renamed at the end: the report is
  // the last whole one or the new one, whatever happens on the way.
  file_ = fs.Open(TemporaryNameFor(host_path), OpenMode::kCreateTruncate);
  if (!file_) return false;
  fs_ = &fs;
  path_ = host_path;
  return true;
}

void ReportFile::Abandon() {
  if (!file_) return;
  buffer_.clear();
  file_.reset();
  fs_->Remove(TemporaryNameFor(path_));
}

void ReportFile::Discard() {
  if (!file_) return;
  buffer_.clear();
  file_.reset();
  fs_->Remove(TemporaryNameFor(path_));
  fs_->Remove(path_);
}

void ReportFile::Write(std::string_view text) {
  if (!file_) return;
  for (;;) {
    std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      buffer_.append(text);
      break;
    }
    buffer_.append(text.substr(0, end));
    buffer_.append("\r\n");
    text.remove_prefix(end + 1);
  }
  if (buffer_.size() >= kBlock) Flush();
}

void ReportFile::WriteFormatted(const char* format, ...) {
  if (!file_) return;
  char small[512];
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (n >= 0 && static_cast<std::size_t>(n) < sizeof small) {
    Write(std::string_view(small, static_cast<std::size_t>(n)));
  } else if (n >= 0) {
    std::string big(static_cast<std::size_t>(n) + 1, '\0');
    std::vsnprintf(big.data(), big.size(), format, copy);
    big.resize(static_cast<std::size_t>(n));
    Write(big);
  }
  va_end(copy);
}

void ReportFile::WriteRaw(std::string_view bytes) {
  if (!file_) return;
  buffer_.append(bytes);
  if (buffer_.size() >= kBlock) Flush();
}

bool ReportFile::Flush() {
  if (!file_ || buffer_.empty()) return !failed_;
  std::int64_t n = file_->WriteAt(offset_, buffer_.data(), buffer_.size());
  if (n != static_cast<std::int64_t>(buffer_.size())) failed_ = true;
  if (n > 0) offset_ += static_cast<std::uint64_t>(n);
  buffer_.clear();
  return !failed_;
}

bool ReportFile::Close() {
  if (!file_) return !failed_;
  Flush();
  if (!failed_ && !file_->Sync()) failed_ = true;
  file_.reset();
  const std::string temporary = TemporaryNameFor(path_);
  if (failed_ || !fs_->Rename(temporary, path_)) {
    // The report of the last whole run stays as it was.
    fs_->Remove(temporary);
    failed_ = true;
  }
  return !failed_;
}

}  // namespace quirovel
