// The one reader of the error log "fallos.dat": entries through a block
// buffer, since the summary, the groupings and the counts read every entry of
// a run and one positioned read of 32 bytes per entry would cost a system call
// each. The entry's fields are read with the accessors of error_entry.h.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/file_system.h"
#include "validation/error_entry.h"

namespace quirovel {

// The log opened as every reader of it does: read and write, created when
// missing, never emptied; read only when that is all the medium allows. Null
// when it cannot be opened.
std::unique_ptr<File> OpenErrorLogFile(FileSystem& fs, const std::string& host_path);

class ErrorLogReader {
 public:
  using Bytes = EntryBytes;

  // Opens the log as every reader of it does: read and write, created when
  // missing, never emptied; read only when that is all the medium allows.
  // False when it cannot be opened.
  bool Open(FileSystem& fs, const std::string& host_path);
  void Close();
  bool is_open() const { return file_ != nullptr; }

  // Entry k (k >= 1) at byte 32 * k. False when nothing can be read there (the
  // end of the log); an entry cut short by the end of the file reads as zeros
  // where its bytes are missing.
  bool Read(std::int64_t k, Bytes* entry);

  // How many entries Read can return: the last may be cut short. Zero when
  // the log is not open or cannot tell its size.
  std::int64_t HeldEntries();

 private:
  std::unique_ptr<File> file_;
  std::unique_ptr<unsigned char[]> block_;  // allocated on the first read, never cleared
  std::uint64_t block_offset_ = 0;          // file offset of block_[0]
  std::size_t block_bytes_ = 0;             // valid bytes in block_
};

}  // namespace quirovel
