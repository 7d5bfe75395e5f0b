// The run's writing of "fallos.dat": SETERR hands its entries over (through the
// run's entry sink) and they reach the log in large blocks instead of one
// positioned write each. When a write falls short, the entries that did not
// reach the log are taken back out of the run's counts, so the count the run
// stores names only entries that are really there.
#pragma once

#include <cstddef>
#include <vector>

#include "validation/error_entry.h"

namespace quirovel {

struct Session;

class RunLogWriter {
 public:
  // Entries held before they are written; a failed write is noticed at most
  // this many entries late, and the run then stops after the current episode.
  static constexpr std::size_t kBatchEntries = 2048;

  // Becomes the sink of SETERR's entries until destroyed. The log must be open.
  explicit RunLogWriter(Session& s);
  ~RunLogWriter();
  RunLogWriter(const RunLogWriter&) = delete;
  RunLogWriter& operator=(const RunLogWriter&) = delete;

  // Writes the held entries when a whole block is waiting.
  void WriteIfFull();
  // Writes every held entry. On a short write: "SETERR: Error de escritura",
  // StopFlag, and the counts forget the entries not stored. False then.
  bool WriteAll();

 private:
  Session& s_;
  std::vector<ErrorEntry> pending_;
};

}  // namespace quirovel
