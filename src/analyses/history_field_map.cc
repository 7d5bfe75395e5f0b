#include "analyses/history_field_map.h"

#include <algorithm>
#include <cstring>

#include "storage/dbf_table.h"

namespace quirovel {

HistoryFieldMap::HistoryFieldMap(const DbfTable& history, const DbfTable& current) {
  record_length_ = static_cast<std::size_t>(std::max(history.record_length(), 1));
  const int current_fields = std::min(current.field_count(), DbfTable::kMaxSlots);
  for (int i = 1; i <= std::min(history.field_count(), DbfTable::kMaxSlots); ++i) {
    Copy c;
    const int to = history.FieldOffset(i);
    const int to_width = history.Descriptor(i).width;
    // A field that does not lie inside the record is never written.
    if (to < 1 || to_width <= 0 || static_cast<std::size_t>(to + to_width) > record_length_) {
      copies_.push_back(c);
      continue;
    }
    c.to = static_cast<std::size_t>(to);
    c.to_width = static_cast<std::size_t>(to_width);
    const std::string_view name = history.FieldName(i);
    for (int j = 1; j <= current_fields; ++j) {
      if (current.FieldName(j) != name) continue;
      const int from = current.FieldOffset(j);
      const int from_width = current.Descriptor(j).width;
      if (from >= 1 && from_width > 0 && from + from_width <= current.record_length()) {
        c.source_field = j;
        c.from = static_cast<std::size_t>(from);
        c.from_width = static_cast<std::size_t>(from_width);
      }
      break;
    }
    copies_.push_back(c);
  }
}

int HistoryFieldMap::SourceOf(int history_field) const {
  if (history_field < 1 || static_cast<std::size_t>(history_field) > copies_.size()) return 0;
  return copies_[static_cast<std::size_t>(history_field - 1)].source_field;
}

void HistoryFieldMap::Fill(std::string_view source, std::string* record) const {
  record->assign(record_length_, ' ');
  char* out = record->data();
  for (const Copy& c : copies_) {
    if (c.source_field == 0 || c.from + c.from_width > source.size()) continue;
    std::size_t n = std::min(c.from_width, c.to_width);
    const char* text = source.data() + c.from;
    if (const void* nul = std::memchr(text, '\0', n); nul != nullptr)
      n = static_cast<std::size_t>(static_cast<const char*>(nul) - text);
    std::memcpy(out + c.to, text, n);
  }
}

}  // namespace quirovel
