// The one pass over the current CMBD-A file that the detection run and every
// analysis, import and export share. The caller reopens the table first
// (ReopenCurrentTable), so that records appended or changed since it was
// opened are seen and its field map is rebuilt; the walk starts the progress,
// reads and decodes each record in turn, honours the stop request and leaves
// the bar at the last record handled.
#pragma once

#include <cstdint>
#include <functional>

#include "output/progress_tracker.h"

namespace quirovel {

struct Session;

// Closes and reopens the current table and rebuilds its field map and
// structure report. False, after the table's own message, when it cannot be
// opened (missing, or refused as malformed).
bool ReopenCurrentTable(Session& s);

enum class WalkEnd {
  kCompleted,   // every record was handled
  kUnreadable,  // a record could not be read: the walk ends before it
  kStopped,     // a stop was requested
  kEnded,       // the visitor asked to end
};

struct WalkResult {
  WalkEnd end = WalkEnd::kCompleted;
  std::int64_t last_record = 0;  // the last record handled, 0 when none
};

// Called with the record number once the record is read and decoded into
// s.record; returns false to end the walk after this record.
using EpisodeVisitor = std::function<bool(std::int64_t record)>;

// Walks records 1 to the table's record count; none, ending kUnreadable, when
// the header counts more records than the file holds. Starts `progress` with the
// count, steps it for every record and moves the bar to the last record
// handled at the end; Finish (the elapsed time) is the caller's.
WalkResult WalkEpisodes(Session& s, ProgressTracker& progress, const EpisodeVisitor& visit);

}  // namespace quirovel
