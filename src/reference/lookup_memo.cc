#include "reference/lookup_memo.h"

namespace quirovel {

void LookupMemo::Remember(std::uint64_t tag, std::int32_t answer) {
  if (tag == 0) return;
  if (const Slot* known = Locate(tag)) {
    slots_[static_cast<std::size_t>(known - slots_.data())].answer = answer;
    return;
  }
  if (used_ >= kMaxAnswers) return;  // full: new questions are not kept
  if (4 * (used_ + 1) > 3 * slots_.size()) Grow();
  std::size_t i = Home(tag);
  while (slots_[i].tag != 0) i = (i + 1) & mask_;
  slots_[i] = {tag, answer};
  ++used_;
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
