// Remembers the answers of catalogue lookups. A lookup's answer depends only
// on the code's key and on how many characters are compared, and the tables
// it searches do not change while they are open: an episode file repeats the
// same few thousand codes, and each is searched for once.
#pragma once

#include <cstdint>
#include <vector>

namespace quirovel {

class LookupMemo {
 public:
  // Beyond this many answers, lookups of new codes are searched every time
  // (a file of garbage codes must not make the memo grow without end).
  static constexpr std::size_t kMaxAnswers = 1 << 15;

  // True with the answer when it is remembered. A tag of 0 is never remembered.
  bool Find(std::uint64_t tag, std::int32_t* answer) const {
    const Slot* slot = Locate(tag);
    if (slot == nullptr) return false;
    *answer = slot->answer;
    return true;
  }

  void Remember(std::uint64_t tag, std::int32_t answer);
  void Clear() {
    slots_.clear();
    used_ = 0;
    mask_ = 0;
    bits_ = 0;
  }
  std::size_t size() const { return used_; }

 private:
  struct Slot {
    std::uint64_t tag = 0;  // 0: empty
    std::int32_t answer = 0;
  };

  std::size_t Home(std::uint64_t tag) const {
    return static_cast<std::size_t>((tag * 0x9E3779B97F4A7C15ull) >> (64 - bits_));
  }
  // The slot holding the tag, or null.
  const Slot* Locate(std::uint64_t tag) const {
    if (slots_.empty()) return nullptr;
    for (std::size_t i = Home(tag);; i = (i + 1) & mask_) {
      if (slots_[i].tag == 0) return nullptr;
      if (slots_[i].tag == tag) return &slots_[i];
    }
  }
  void Grow();

  std::vector<Slot> slots_;  // open addressing, at most three quarters full
  std::size_t used_ = 0;
  std::size_t mask_ = 0;
  int bits_ = 0;
};

}  // namespace quirovel
