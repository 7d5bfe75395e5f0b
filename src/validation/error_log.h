// The error log "fallos.dat": entry k at byte 32 * k, the first 32 bytes are
// not an entry. Created when missing, never truncated: a run overwrites
// entries 1..its count and leaves older entries behind them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/file_system.h"
#include "validation/error_entry.h"

namespace quirovel {

class ErrorLog {
 public:
  // Opens (creating when missing) for reading and writing. A new log gets 32
  // zero bytes before entry 1. False when it cannot be opened.
  bool Open(FileSystem& fs, const std::string& host_path);
  void Close();
  bool is_open() const { return file_ != nullptr; }

  // Writes entry k (k >= 1). False when not all 32 bytes were stored.
  bool Write(std::int64_t k, const ErrorEntry& entry);
  // Reads entry k. False when nothing could be read (the end of the log).
  bool Read(std::int64_t k, ErrorEntry* entry);

 private:
  std::unique_ptr<File> file_;
};

}  // namespace quirovel
