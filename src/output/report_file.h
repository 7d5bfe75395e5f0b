// A report being written: Windows-1252 text through the file seam, buffered and
// written in large blocks. Reports end their lines with CR LF; the formats
// carry "\n" and WriteFormatted turns each into "\r\n", as a text-mode stream
// on the original platform did.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace quirovel {

class ReportFile {
 public:
  ReportFile() = default;
  // A report never closed was never finished: the one there before stays.
  ~ReportFile() { Abandon(); }
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;

  // Starts the report under a temporary name beside host_path. False when it
  // cannot be created.
  bool Create(FileSystem& fs, const std::string& host_path);
  bool is_open() const { return file_ != nullptr; }

  // Text as it stands, with every "\n" written as "\r\n".
  void Write(std::string_view text);
  // printf-style, then as Write.
  void WriteFormatted(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Bytes exactly as given (no line-end translation).
  void WriteRaw(std::string_view bytes);

  // Writes what is buffered. False once any write fell short.
  bool Flush();
  // Flushes, closes and renames the report over host_path; false when
  // anything was lost, and then the report that was there stays.
  bool Close();
  // Closes and removes the report and the one it would have replaced: an
  // operation that was stopped leaves none older than what it changed.
  void Discard();
  // Closes and removes what was written; the report there before stays.
  void Abandon();
  bool failed() const { return failed_; }

 private:
  std::unique_ptr<File> file_;
  FileSystem* fs_ = nullptr;
  std::string path_;
  std::string buffer_;
  std::uint64_t offset_ = 0;
  bool failed_ = false;
};

}  // namespace quirovel
