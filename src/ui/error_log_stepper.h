// Reads the error log "fallos.dat" for the error browser, which moves from an
// entry to its neighbour in either direction. One step reads one entry; while
// the steps go on in one direction the block read ahead (or behind) doubles,
// up to 64 KiB, so a search over many entries costs few reads and never more
// than about twice the bytes it examines.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "validation/error_entry.h"

namespace quirovel {

class ErrorLogStepper {
 public:
  // Opens the log for reading and writing, created when missing (read only
  // when that is all the medium allows). False when it cannot be opened.
  bool Open(FileSystem& fs, const std::string& host_path);
  void Close();

  // Entry k (k >= 1) at byte 32 * k. False when nothing of it can be read; an
  // entry cut short by the end of the file reads as zeros where bytes are missing.
  bool Read(std::int64_t k, EntryBytes* entry);

  // What has been read from the file since it was opened.
  std::uint64_t bytes_read() const { return bytes_read_; }
  std::int64_t reads() const { return reads_; }

 private:
  bool Fill(std::uint64_t start, std::size_t size);

  std::unique_ptr<File> file_;
  std::vector<unsigned char> block_;
  std::uint64_t block_offset_ = 0;
  std::size_t block_bytes_ = 0;
  std::int64_t last_ = 0;  // the entry read last, 0 for none
  std::size_t run_ = 32;   // the size of the next block in the direction of travel
  std::uint64_t bytes_read_ = 0;
  std::int64_t reads_ = 0;
};

}  // namespace quirovel
