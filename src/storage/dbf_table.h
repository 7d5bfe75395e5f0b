// One open dBase III table: header, up to 150 field descriptors and one record
// buffer. Records are numbered from 1, fields from 1 in file order. Field values
// are the raw fixed-width texts as stored; callers interpret them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/feedback.h"
#include "platform/file_system.h"

namespace quirovel {

// A field text as the program reads it for every comparison and print: up to
// its first zero byte, since a field filled with zeros is an empty text, not a
// run of NULs.
inline std::string_view CView(std::string_view text) {
  const std::size_t nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

struct FieldDescriptor {
  std::string name;  // up to 10 characters
  char type = 0;
  int width = 0;  // signed 8-bit as stored
  int decimals = 0;
};

class DbfTable {
 public:
  static constexpr int kMaxSlots = 150;
  static constexpr int kMaxFields = 149;
  static constexpr int kMaxRecordLength = 638;  // 639 or more is refused

  DbfTable(FileSystem& fs, Feedback& feedback);
  ~DbfTable();
  DbfTable(const DbfTable&) = delete;
  DbfTable& operator=(const DbfTable&) = delete;

  // 1 when open, -1 when refused (after the message that says why).
  int Open(const std::string& path);
  // Writes the record count back into the header and closes the file.
  void Close();
  bool is_open() const { return file_ != nullptr; }

  // 0 on success, 1 when the record cannot be read. A record read in part
  // (the file ends inside it) counts as read; its missing bytes are blanks.
  int ReadRecord(std::int64_t n);
  // Field i's full-width text in the record buffer (valid until the buffer
  // changes); empty for a field number outside the table.
  std::string_view FieldText(int i) const;
  // Copies at most the field's width and fills the rest with blanks.
  void SetFieldText(int i, std::string_view text);
  void BlankField(int i);
  // Writes the record buffer after the last record. False (after
  // "APPEND:ERROR ESCRITURA"), with the count unchanged, when the record
  // could not be written whole.
  bool Append();
  // Writes a whole record laid out by the caller (cut or blank-filled to the
  // record length).
  bool AppendScratch(std::string_view record);

  std::uint32_t record_count() const { return record_count_; }
  // Records the file held when it was opened (a record cut short counts, a
  // lone end-of-file mark does not).
  std::uint32_t records_in_file() const { return records_in_file_; }
  // The header promises records the file does not hold: a table cut short or
  // a damaged header. Open has said so; reading stops at the first missing record.
  bool HeaderOvercounts() const { return record_count_ > records_in_file_; }
  int field_count() const { return field_count_; }
  int header_length() const { return header_length_; }
  int record_length() const { return record_length_; }
  const std::string& path() const { return path_; }
  int status() const { return status_; }
  // Descriptor of field i (1-based); a default one outside the table.
  FieldDescriptor Descriptor(int i) const;
  // Name of field i (1-based) as stored, without copying; empty outside the table.
  std::string_view FieldName(int i) const;
  // Where field i (1-based) starts in Record(), or -1 outside the table.
  int FieldOffset(int i) const {
    return i >= 1 && i <= field_count_ && i <= kMaxSlots ? offsets_[static_cast<std::size_t>(i - 1)]
                                                         : -1;
  }
  // 1-based number of the first field with exactly this name, or 0.
  int FieldNumber(std::string_view name) const;
  // The whole record buffer, deletion flag first.
  std::string_view Record() const {
    return {record_.data(), static_cast<std::size_t>(record_length_ > 0 ? record_length_ : 0)};
  }
  // False when the record buffer certainly holds no zero byte.
  bool RecordMayHoldZero() const { return record_may_hold_zero_; }

 private:
  bool CheckLayout();
  void CountRecordsInFile();
  int Refuse();
  bool WriteRecordAt(std::uint32_t index, const char* bytes);
  void DropReadAhead() { ahead_first_ = ahead_count_ = 0; }

  FileSystem& fs_;
  Feedback& feedback_;
  std::unique_ptr<File> file_;
  std::string path_;
  int status_ = 0;
  std::uint32_t record_count_ = 0;
  std::uint32_t records_in_file_ = 0;
  std::string overcount_said_;  // the last "incompleto" message, not repeated
  int field_count_ = 0;
  int header_length_ = 0;
  int record_length_ = 0;
  std::array<unsigned char, 32> header_{};
  std::array<std::array<unsigned char, 32>, kMaxSlots> descriptors_{};
  std::array<int, kMaxSlots> offsets_{};
  std::array<char, kMaxRecordLength + 2> record_{};

  // Read-ahead for passes over the whole file: grows while records are read
  // in order, and is dropped on a jump or a write.
  std::vector<char> ahead_;
  std::int64_t ahead_first_ = 0;  // record number of the first buffered record
  std::int64_t ahead_count_ = 0;  // whole or partial records buffered
  std::int64_t ahead_bytes_ = 0;
  bool ahead_has_zero_ = false;        // some byte of the buffered block is zero
  bool record_may_hold_zero_ = false;  // the record came from such a block
  std::int64_t last_read_ = -1;
  std::size_t ahead_want_ = 0;
};

}  // namespace quirovel
