#include "reference/lookup_memo.h"

namespace quirovel {

void LookupMemo::Remember(std::uint64_t tag, std::int32_t answer) {
  if (tag == 0) return;
  if (2 * (used_ + 1) > slots_.size()) {
    if (used_ >= kMaxAnswers) {
      std::int32_t known;
      if (!Find(tag, &known)) return;  // full: new questions are not kept
    } else {
      Grow();
    }
  }
  for (std::size_t i = Home(tag);; i = (i + 1) & mask_) {
    Slot& slot = slots_[i];
    if (slot.tag == tag) {
      slot.answer = answer;
      return;
    }
    if (slot.tag == 0) {
      slot = {tag, answer};
      ++used_;
      return;
    }
  }
}

void LookupMemo::Grow() {
  std::vector<Slot> old;
  old.swap(slots_);
  bits_ = bits_ == 0 ? 10 : bits_ + 1;
  slots_.assign(std::size_t{1} << bits_, Slot{});
  mask_ = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.tag == 0) continue;
    std::size_t i = Home(slot.tag);
    while (slots_[i].tag != 0) i = (i + 1) & mask_;
    slots_[i] = slot;
  }
}

}  // namespace quirovel
