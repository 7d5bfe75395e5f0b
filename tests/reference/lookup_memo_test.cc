#include "reference/lookup_memo.h"

#include <gtest/gtest.h>

#include <random>

namespace quirovel {
namespace {

TEST(LookupMemo, KeepsAnswersThroughGrowthUpToItsLimit) {
  LookupMemo memo;
  std::int32_t answer = -1;
  EXPECT_FALSE(memo.Find(5, &answer));
  // Tags as the catalogue makes them: a key with the count compared below it.
  std::mt19937_64 random(3);
  std::vector<std::uint64_t> tags;
  for (std::size_t i = 0; i < LookupMemo::kMaxAnswers + 1000; ++i) tags.push_back((random() << 8) | 6);
  for (std::size_t i = 0; i < tags.size(); ++i) memo.Remember(tags[i], static_cast<std::int32_t>(i % 7));
  EXPECT_EQ(memo.size(), LookupMemo::kMaxAnswers);
  for (std::size_t i = 0; i < tags.size(); ++i) {
    const bool kept = i < LookupMemo::kMaxAnswers;
    ASSERT_EQ(memo.Find(tags[i], &answer), kept) << i;
    if (kept) {
      ASSERT_EQ(answer, static_cast<std::int32_t>(i % 7)) << i;
    }
  }
  // The same key compared over five characters is another question.
  EXPECT_FALSE(memo.Find((tags[0] & ~std::uint64_t{0xFF}) | 5, &answer));
  memo.Remember(tags[0], 42);
  ASSERT_TRUE(memo.Find(tags[0], &answer));
  EXPECT_EQ(answer, 42);
  memo.Remember(0, 1);  // 0 marks an empty slot: never stored
  EXPECT_FALSE(memo.Find(0, &answer));
  memo.Clear();
  EXPECT_EQ(memo.size(), 0u);
  EXPECT_FALSE(memo.Find(tags[1], &answer));
  memo.Remember(tags[1], 3);
  ASSERT_TRUE(memo.Find(tags[1], &answer));
  EXPECT_EQ(answer, 3);
}

}  // namespace
}  // namespace quirovel
