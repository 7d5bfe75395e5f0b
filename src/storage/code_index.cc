#include "storage/code_index.h"

#include "platform/cp1252.h"

namespace quirovel {
namespace {

// Byte order, as the C locale compares; a code never holds a NUL.
int Compare(std::string_view a, std::string_view b) { return a.compare(b); }

std::string_view Key(std::string_view code) {
  if (auto nul = code.find('\0'); nul != std::string_view::npos) code = code.substr(0, nul);
  return code.substr(0, CodeIndex::kMaxKey);
}

}  // namespace

void CodeIndex::Insert(std::string_view code, Feedback& feedback) {
  std::string_view key = Key(code);
  if (nodes_.empty()) {
    nodes_.push_back({std::string(key)});
    members_.insert(PackShortKey(key));
    return;
  }
  int at = 0;
  for (;;) {
    int c = Compare(key, nodes_[static_cast<std::size_t>(at)].key);
    if (c == 0) {
      feedback.Message("Btree: Código duplicado"_cp);
      feedback.Message(key);
      return;
    }
    int& link = c < 0 ? nodes_[static_cast<std::size_t>(at)].left
                      : nodes_[static_cast<std::size_t>(at)].right;
    if (link < 0) {
      link = static_cast<int>(nodes_.size());
      nodes_.push_back({std::string(key)});  // `link` is not used after this
      members_.insert(PackShortKey(key));
      return;
    }
    at = link;
  }
}

bool CodeIndex::Contains(std::string_view code) const {
  if (code.size() > kMaxKey || code.find('\0') != std::string_view::npos) return false;
  return members_.count(PackShortKey(code)) != 0;
}

const std::string* CodeIndex::KeyAt(std::string_view path) const {
  int at = nodes_.empty() ? -1 : 0;
  for (char step : path) {
    if (at < 0) return nullptr;
    at = step == 'L' ? nodes_[static_cast<std::size_t>(at)].left
                     : nodes_[static_cast<std::size_t>(at)].right;
  }
  return at < 0 ? nullptr : &nodes_[static_cast<std::size_t>(at)].key;
}

}  // namespace quirovel
