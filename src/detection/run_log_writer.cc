#include "detection/run_log_writer.h"

#include "app/session.h"

namespace quirovel {

RunLogWriter::RunLogWriter(Session& s) : s_(s) {
  pending_.reserve(kBatchEntries + 64);
  s_.run.entry_sink = &pending_;
}

RunLogWriter::~RunLogWriter() { s_.run.entry_sink = nullptr; }

void RunLogWriter::WriteIfFull() {
  if (pending_.size() >= kBatchEntries) WriteAll();
}

bool RunLogWriter::WriteAll() {
  DetectionRun& run = s_.run;
  if (pending_.empty()) return true;
  // SETERR has counted every held entry: the first of them is entry number
  // ErrorCount - held + 1.
  const std::int64_t first = static_cast<std::int64_t>(run.ErrorCount) -
                             static_cast<std::int64_t>(pending_.size()) + 1;
  for (std::size_t i = 0; i < pending_.size(); ++i)
    run.log.Queue(first + static_cast<std::int64_t>(i), pending_[i]);
  const int lost = run.log.Flush();
  if (lost > 0) {
    // Entries are stored in order: the lost ones are the last.
    for (std::size_t i = pending_.size() - static_cast<std::size_t>(lost); i < pending_.size(); ++i) {
      const ErrorEntry& e = pending_[i];
      if (e.error >= 1 && e.error <= 71) --run.ErrorCounts[static_cast<std::size_t>(e.error)];
      if (e.field >= 1 && e.field <= 63) --run.FieldErrorCounts[e.field];
      --run.ErrorCount;
    }
    s_.feedback.Message("SETERR: Error de escritura");
    run.StopFlag = true;
  }
  pending_.clear();
  return lost == 0;
}

}  // namespace quirovel
