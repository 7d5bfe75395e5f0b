// Appending records to the history table so that it is never left damaged.
//
// The new records go after the counted ones: the second and later ones first,
// in large blocks, then the first one, then a flush to the device, and the
// new record count in the header last. Until that count is written the
// header still describes the table as it was, so a process killed part way
// leaves a table that opens with its old records, followed by bytes that no
// record count covers. Those bytes (one record's length or more past the
// counted records) are cut off when the next append opens the table.
//
// A failure or a stop before the count is written puts the table back as it
// was: cut back to its old length and the bytes after its last record (an
// end-of-file mark) written back. When the history holds no records yet, the
// header and the first record are written together, in one write, so that
// even then its end mark is never overwritten before the append is certain.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/file_system.h"

namespace quirovel {

class HistoryAppendFile {
 public:
  // Opens the table for appending records of its own record length. False,
  // with the reason in *problem (Windows-1252), when it cannot be opened, its
  // header is not whole, or it holds fewer records than its header counts.
  bool Open(FileSystem& fs, const std::string& host_path, std::string* problem);

  int record_length() const { return record_length_; }
  std::uint32_t old_count() const { return old_count_; }
  std::uint32_t appended() const { return appended_; }
  // Bytes past the counted records cut off when opening (an interrupted append).
  std::uint64_t cut_bytes() const { return cut_bytes_; }

  // Adds a record of record_length() bytes. False once a write fell short.
  bool Add(const char* record);
  // Writes what is left and then the new count. False when anything fell short.
  bool Commit();
  // Puts the table back as it was when opened; false when that failed too.
  bool RollBack();
  void Close() { file_.reset(); }

 private:
  bool WriteBlock();
  bool Restore(std::uint64_t offset, const std::string& bytes);
  std::uint64_t DataEnd() const {
    return static_cast<std::uint64_t>(header_length_) +
           static_cast<std::uint64_t>(old_count_) * static_cast<std::uint64_t>(record_length_);
  }

  std::unique_ptr<File> file_;
  std::string head_;  // the bytes before the first record, as they were
  std::string tail_;  // the bytes after the last counted record, shorter than a record
  std::string first_;
  std::string block_;
  std::uint64_t old_size_ = 0;
  std::uint64_t block_offset_ = 0;  // where the next block goes
  std::uint64_t cut_bytes_ = 0;
  std::uint32_t old_count_ = 0;
  std::uint32_t appended_ = 0;
  int header_length_ = 0;
  int record_length_ = 0;
  bool failed_ = false;
  bool first_written_ = false;   // the first record (and, for an empty table, the header)
  bool header_written_ = false;  // the count
};

}  // namespace quirovel
