// Writing the error log "fallos.dat": entry k at byte 32 * k, the first 32
// bytes are not an entry (ErrorLogReader reads it). Created when missing,
// never truncated: a run overwrites
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
  ErrorLog() = default;
  ~ErrorLog() { Close(); }
  ErrorLog(const ErrorLog&) = delete;
  ErrorLog& operator=(const ErrorLog&) = delete;

  // Opens (creating when missing) for reading and writing. A new file holds
  // zeros before entry 1 once an entry is written. False when it cannot be opened.
  bool Open(FileSystem& fs, const std::string& host_path);
  // Writes what is queued and closes, leaving the file as long as the entries
  // written made it (or as it was, when longer). Returns the number of queued
  // entries that could not be stored whole (0 normally).
  int Close();
  bool is_open() const { return file_ != nullptr; }

  // Writes entry k (k >= 1) at once. False when not all 32 bytes were stored.
  bool Write(std::int64_t k, const ErrorEntry& entry);

  // Batched writing for the detection run. Entries queued for consecutive
  // positions go out together.
  void Queue(std::int64_t k, const ErrorEntry& entry);
  std::size_t queued() const { return queued_bytes_.size() / 32; }
  // Writes the queued entries now. Returns how many were not stored whole.
  int Flush();
  // The end of an episode: every queued entry must be known stored, or known
  // lost, before the next episode. Entries that fall inside room the log
  // already holds (old entries, or zeros written ahead by this log) cannot
  // run out of space and may wait for a larger write; others are written now.
  // Returns how many were not stored whole.
  int EndEpisode();

 private:
  // Extends the room ahead of the entries by writing zeros past the end of
  // the file; Close cuts the file back. Only where the file can be cut.
  void Reserve(std::uint64_t needed_end);
  std::uint64_t QueuedEnd() const;

  std::unique_ptr<File> file_;
  std::string queued_bytes_;
  std::int64_t queued_first_ = 0;    // entry number of the first queued entry
  std::uint64_t original_size_ = 0;  // the file's size when opened
  std::uint64_t size_ = 0;           // its size now, zeros ahead included
  std::uint64_t written_end_ = 0;    // end of the last entry written
  bool can_cut_ = false;             // the file can be cut back to its true length
  bool may_reserve_ = false;         // writing zeros ahead has not fallen short
};

}  // namespace quirovel
