// Records added at the end of a table that was just made (by Create or
// CopyStructure), written in large blocks rather than one write a record:
// an import or an export of a million records would otherwise make a
// million writes. The record count in the header is written at Close and
// counts only the records written whole.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/feedback.h"
#include "platform/file_system.h"

namespace quirovel {

class TableAppender {
 public:
  TableAppender(FileSystem& fs, Feedback& feedback) : fs_(fs), feedback_(feedback) {}
  // False when the file cannot be opened or has no whole header.
  bool Open(const std::string& path);
  // The record, deletion flag first, cut or blank-filled to the record
  // length. False once a block could not be written whole (after
  // "APPEND:ERROR ESCRITURA"): the records of that block are lost.
  bool Append(std::string_view record);
  // Writes the last block and the count; false when anything fell short.
  bool Close();
  // Records written whole so far (the buffered ones once Close succeeded).
  std::uint32_t written() const { return written_; }
  int record_length() const { return record_length_; }

 private:
  bool Flush();

  FileSystem& fs_;
  Feedback& feedback_;
  std::unique_ptr<File> file_;
  std::uint64_t header_length_ = 0;
  int record_length_ = 0;
  std::uint32_t written_ = 0;   // records on disk
  std::uint32_t buffered_ = 0;  // records in block_
  std::string block_;
  bool failed_ = false;
};

}  // namespace quirovel
