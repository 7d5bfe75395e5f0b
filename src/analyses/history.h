// The history file: one dBase table, chosen in the configuration, that keeps
// the discharges of past periods. "Añadir a Historico" appends every record
// of the current CMBD-A file to it, field by field by name, after asking with
// the range of discharge dates it already holds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quirovel {

struct Session;

// The history file's name as the button shows it: the text after the last
// "\" or ":" of its path, or the whole path.
std::string HistoryFileName(std::string_view stored_path);

enum class HistoryOutcome {
  kAppended,   // every record of the current file was appended
  kSameFile,   // "El historico coincide con el fichero actual"
  kNotOpened,  // no history configured, or a table that cannot be opened
  kDeclined,   // the question was answered No: nothing appended
  kFailed,     // a write or a read failed: nothing appended, said so
  kCancelled,  // a stop request: nothing appended
};

struct HistoryAppendResult {
  HistoryOutcome outcome = HistoryOutcome::kNotOpened;
  std::uint32_t appended = 0;
  std::uint32_t records = 0;  // the history's records afterwards
  bool restored = true;       // false when a failed append could not be undone
};

// Appends the current file to the history. A failure part way (a record of
// the current file that cannot be read, a write that falls short) or a stop
// leaves the history as it was. Nothing is appended without a yes.
HistoryAppendResult AppendToHistory(Session& s);

struct HistorySummary {
  bool opened = false;
  std::uint32_t records = 0;
  bool has_fecalt = false;
  bool cancelled = false;
  std::string smallest = "99999999";  // raw FECALT texts, compared as texts
  std::string largest = "        ";
};

// The history's record count and the range of its discharge dates.
HistorySummary SummariseHistory(Session& s);

}  // namespace quirovel
