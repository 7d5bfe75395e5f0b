#include "session/episode_walk.h"

#include "session/session.h"

namespace quirovel {

bool ReopenCurrentTable(Session& s) {
  s.table.Close();
  const bool opened = s.table.Open(s.paths.ToHost(s.config.CurrentPath())) == 1;
  AnalyseStructure(s);
  return opened;
}

WalkResult WalkEpisodes(Session& s, ProgressTracker& progress, const EpisodeVisitor& visit) {
  WalkResult result;
  // A table cut short is not walked at all: what an operation would say of
  // part of it would read as the whole file's. Open has said why.
  if (s.table.HeaderOvercounts()) {
    result.end = WalkEnd::kUnreadable;
    return result;
  }
  const std::int64_t n = s.table.record_count();
  progress.Start(static_cast<long>(n));
  for (std::int64_t r = 1; r <= n; ++r) {
    // Asked for every record: one load, nothing beside reading a record.
    if (s.feedback.StopRequested()) {
      result.end = WalkEnd::kStopped;
      break;
    }
    if (s.table.ReadRecord(r) != 0) {
      result.end = WalkEnd::kUnreadable;
      break;
    }
    DecodeRecord(s);
    result.last_record = r;
    const bool go_on = visit(r);
    progress.Step(static_cast<long>(r));
    if (!go_on) {
      result.end = r < n ? WalkEnd::kEnded : WalkEnd::kCompleted;
      break;
    }
  }
  s.feedback.ProgressPosition(static_cast<long>(result.last_record));
  return result;
}

}  // namespace quirovel
