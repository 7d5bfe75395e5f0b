// One line of a text file laid out as a record of the new table: values taken
// by fixed lengths or between separators, delimiters removed, dates converted
// to AAAAMMDD, each value left-aligned and blank-filled to its field.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/feedback.h"
#include "reference/config_record.h"

namespace quirovel {

inline constexpr std::size_t kMaxImportValue = 78;  // characters of one value
inline constexpr std::size_t kMaxImportLine = 638;  // characters of one line, its end apart

struct ImportField {
  std::string name;
  char type = 'C';
  int width = 0;   // as the table defines it (0 for a nonsense width)
  int offset = 0;  // where it starts in the record, the deletion flag being byte 0
};

struct TextImportOptions {
  bool fixed_length = false;
  char separator = '|';
  char delimiter = ' ';  // a blank: no delimiter
  std::string date_format = "1";
};

// The mode and characters the settings choose: fixed lengths when the flag is
// set or the separator is "n" or "N"; a missing character reads as a blank.
TextImportOptions OptionsFrom(const ImportSettings& settings);

enum class LineVerdict {
  kWrite,    // the record is complete
  kBadDate,  // a date could not be read: the line was read, the record is not written
  kTooLong,  // a value longer than its field: the line is left there
};

class TextImportLine {
 public:
  TextImportLine(std::vector<ImportField> fields, int record_length, TextImportOptions options,
                 Feedback& feedback);

  // Lays out one line (without its end) as a record; record_number is the
  // number it would have (records written so far plus one), for the messages.
  LineVerdict Build(std::string_view line, long record_number);
  // The record of the last Build, deletion flag first.
  const std::string& record() const { return record_; }

 private:
  bool Collect(std::string_view line, std::size_t f, long record_number, std::size_t* pos,
               bool* quoted);

  std::vector<ImportField> fields_;
  TextImportOptions options_;
  Feedback& feedback_;
  std::string record_;
  std::string blank_record_;
  std::string value_;
  bool empty_reported_ = false;  // "Campo %d vacio" is told once per import
  bool date_error_ = false;      // the DateErrorFlag of the import
};

}  // namespace quirovel
