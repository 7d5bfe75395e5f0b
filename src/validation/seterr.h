// Recording of errors: SETERR (declared with the checks) and what the run
// does around it. SETERR queues its log entries; at the end of each episode
// FlushErrorLog makes sure each of them is stored or reported lost before
// the run moves on, so a failed write stops the run right after the episode
// that recorded it, as one write per entry would. Entries that land where
// the log already has room (old entries, or zeros written ahead in large
// steps) cannot run out of space and are written in larger batches.
#pragma once

#include <string>

#include "platform/feedback.h"
#include "validation/error_recorder.h"

namespace quirovel {

struct CheckContext;

// Writes the entries queued by SETERR. For each entry not stored whole it
// shows "SETERR: Error de escritura" and sets StopFlag. CheckAdministrative
// calls it at the end of every episode.
void FlushErrorLog(ErrorRecorder& run, Feedback& feedback);

// Closes the log at the end of a run: what is still held back is written
// (a loss is reported as above) and the file keeps only the room its entries
// take, or its old length when that is longer.
void CloseErrorLog(ErrorRecorder& run, Feedback& feedback);

// Shows "%ld:%ld" (record, error count) and repaints the count lists when
// SETERR held them back: they are repainted at most every tenth of a second
// while errors pour in.
void ShowErrorStatus(ErrorRecorder& run, Feedback& feedback);
// The same, when an error is waiting to be shown and the last showing is at
// least a tenth of a second old.
void ShowErrorStatusWhenDue(ErrorRecorder& run, Feedback& feedback);

// Every row of the two count lists, from the counters.
void RepaintCountLists(const ErrorRecorder& run);

// The line SETERR writes to "errores.txt" for error e against field f of the
// current episode, "\n" included (the report file turns it into CR LF).
// not_in_version adds the "No CIE9MC'" mark with the version label.
void AppendErrorLine(const CheckContext& c, int e, int f, bool not_in_version, std::string* out);

}  // namespace quirovel
