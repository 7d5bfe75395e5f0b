// "temp.dat", the work file of the readmission analysis: one 32-byte record
// per selected episode, record k at offset 32 * k, no header. Bytes 0..27 hold
// the sort key, at most 27 characters, ended and padded with zero bytes;
// bytes 28..31 the episode's record number in the CMBD-A file, 32-bit
// little-endian. The records are written in blocks; the keys and record
// numbers stay in memory for the sort and the walk.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace quirovel {

class ReadmissionKeyFile {
 public:
  static constexpr std::size_t kRecordSize = 32;
  static constexpr std::size_t kKeySize = 27;

  // Opens the file, created when missing; `empty_it` empties an existing one
  // (otherwise it is written over from its start). False when it cannot be opened.
  bool Open(FileSystem& fs, const std::string& host_path, bool empty_it);
  // Adds the next record. False once a write of the file fell short: then
  // records() says how many of those added are in the file whole.
  bool Add(std::string_view key, std::uint32_t record_number);
  // Writes what is buffered; false when it fell short.
  bool Flush();
  void Close();

  // Records in the file (after a failed write: the whole ones).
  std::int64_t records() const { return written_ / static_cast<std::int64_t>(kRecordSize); }

  // The key as stored: cut to 27 characters (a zero byte ends it earlier).
  static std::string_view StoredKey(std::string_view key);

 private:
  std::unique_ptr<File> file_;
  std::string buffer_;
  std::int64_t written_ = 0;  // bytes on disk from offset 0
  bool failed_ = false;
};

}  // namespace quirovel
