// Writes a CMBD-A table of 63 fields in large blocks: the header as the table
// layer creates it, then the records, then the record count.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace quirovel::gen {

class TableWriter {
 public:
  // Creates (or empties) the table; false with the reason in *error.
  bool Create(const std::string& path, std::string* error);
  // Queues one record of the table's record length.
  bool Add(const char* record, std::string* error);
  // Writes what is queued and the record count into the header.
  bool Finish(std::string* error);

  std::uint32_t records() const { return records_; }

 private:
  bool Flush(std::string* error);

  std::string path_;
  std::unique_ptr<File> file_;
  std::uint64_t header_length_ = 0;
  std::uint64_t record_length_ = 0;
  std::uint32_t records_ = 0;
  std::uint64_t written_ = 0;  // records already on disk
  std::vector<char> block_;
};

}  // namespace quirovel::gen
