// A set of short codes (hospital and occupation codes) held as an unbalanced
// binary search tree in insertion order. The lists are short, so the tree is
// never rebalanced. Lookups, which the checks make for every episode, go to a
// hash set of the same keys: a list read in sorted order makes the tree a
// chain, and a walk down it costs a comparison per code.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/feedback.h"
#include "storage/short_key.h"

namespace quirovel {

class CodeIndex {
 public:
  static constexpr std::size_t kMaxKey = kShortKeyMax;  // longer codes are cut to 7 characters

  // Adds the code; a code already present gives "Btree: Código duplicado" and
  // then the code itself, and is not added again.
  void Insert(std::string_view code, Feedback& feedback);
  bool Contains(std::string_view code) const;
  void Clear() {
    nodes_.clear();
    members_.clear();
  }
  bool empty() const { return nodes_.empty(); }
  std::size_t size() const { return nodes_.size(); }

  // For tests of the tree's shape: the key at the end of a path of 'L'/'R'
  // steps from the root, or nothing.
  const std::string* KeyAt(std::string_view path) const;

 private:
  struct Node {
    std::string key;
    int left = -1, right = -1;
  };
  std::vector<Node> nodes_;                    // nodes_[0] is the root; children by index
  std::unordered_set<std::uint64_t> members_;  // the keys packed by PackShortKey
};

}  // namespace quirovel
