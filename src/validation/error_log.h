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
  // Opens (creating when missing) for reading and writing. A new file holds
  // zeros before entry 1 once an entry is written (the gap a positioned write
  // leaves). False when it cannot be opened.
  bool Open(FileSystem& fs, const std::string& host_path);
  // Writes what is queued, then closes. Returns the number of queued entries
  // that could not be stored whole (0 normally).
  int Close();
  bool is_open() const { return file_ != nullptr; }

  // Writes entry k (k >= 1) at once. False when not all 32 bytes were stored.
  bool Write(std::int64_t k, const ErrorEntry& entry);
  // Reads entry k. False when nothing could be read (the end of the log).
  bool Read(std::int64_t k, ErrorEntry* entry);

  // Batched writing for the detection run: entries queued for consecutive
  // positions go out together at the next Flush. The run flushes before it
  // moves to the next episode, so a failed write is noticed in the episode
  // that recorded the entry, as with one write per entry.
  void Queue(std::int64_t k, const ErrorEntry& entry);
  std::size_t queued() const { return queued_bytes_.size() / 32; }
  // Writes the queued entries. Returns how many of them were not stored whole.
  int Flush();

 private:
  std::unique_ptr<File> file_;
  std::string queued_bytes_;
  std::int64_t queued_first_ = 0;  // entry number of the first queued entry
};

}  // namespace quirovel
