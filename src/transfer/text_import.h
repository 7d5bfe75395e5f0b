// The text import: a new dBase table whose structure is copied from a
// structure table, filled with one record per line of a text file. A strict
// loader: it stops at the first malformed line and keeps the records before
// it. The table is built under a temporary name and renamed over the target
// when its header and its records agree.
#pragma once

#include <string>

#include "platform/feedback.h"
#include "platform/file_system.h"
#include "transfer/text_import_line.h"

namespace quirovel {

struct TextImportJob {
  std::string text_path;  // host paths
  std::string structure_path;
  std::string target_path;
  TextImportOptions options;
  bool header_line = false;  // the first line is skipped
};

enum class TextImportEnd {
  kNotStarted,     // the text, the structure or the new table could not be opened
  kCompleted,      // every line was imported
  kMalformedLine,  // stopped at a line that could not be read
  kStopped,        // a stop was requested
  kWriteFailed,    // a record could not be written
  kReadFailed,     // the text file could not be read to its end
};

struct TextImportResult {
  TextImportEnd end = TextImportEnd::kNotStarted;
  long records = 0;            // records in the new table
  long lines = 0;              // lines read, the header included
  bool table_written = false;  // the target now holds the new table
};

TextImportResult RunTextImport(FileSystem& fs, Feedback& feedback, const TextImportJob& job);

}  // namespace quirovel
