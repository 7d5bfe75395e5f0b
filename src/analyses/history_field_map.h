// Which field of the current CMBD-A file fills each field of the history
// table: the first one with exactly the same name, or none (the field is
// appended blank). The tables need not share their structure: values are cut
// or blank-filled to the history field's width.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quirovel {

class DbfTable;

class HistoryFieldMap {
 public:
  // Maps the fields of `history` to those of `current` by name.
  HistoryFieldMap(const DbfTable& history, const DbfTable& current);

  // The history record for the current record `source` (deletion flag
  // first): each mapped field's text up to its first zero byte, cut or
  // blank-filled to the history field's width; unmapped fields blank; the
  // record not deleted.
  void Fill(std::string_view source, std::string* record) const;

  // Current-file field number of history field i (1-based), 0 when none.
  int SourceOf(int history_field) const;

 private:
  struct Copy {
    int source_field = 0;  // 0: none
    std::size_t from = 0, from_width = 0;
    std::size_t to = 0, to_width = 0;
  };
  std::vector<Copy> copies_;
  std::size_t record_length_ = 0;
};

}  // namespace quirovel
