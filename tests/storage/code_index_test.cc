#include "storage/code_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>

#include "platform/recording_feedback.h"

namespace quirovel {
namespace {

TEST(CodeIndex, FindsExactlyTheCutKeysStoredAndRefusesDuplicatesWithTwoMessages) {
  // Insertion cuts at a NUL and after 7 characters; lookups must match the cut
  // key exactly: no prefixes, extra blanks, other case or embedded NULs.
  CodeIndex index;
  RecordingFeedback feedback;
  std::set<std::string> stored;
  std::mt19937 random(7);
  const std::string alphabet = std::string("019aAZ \xF3") + '\0';
  auto random_code = [&](std::size_t min_size) {
    std::string code(min_size + random() % 9, ' ');
    for (char& c : code) c = alphabet[random() % alphabet.size()];
    return code;
  };
  index.Insert("0201234", feedback);
  index.Insert("02012345", feedback);  // cut after 7 characters: a duplicate
  stored.insert("0201234");
  ASSERT_EQ(feedback.Texts(), (std::vector<std::string>{"Btree: C\xF3"
                                                        "digo duplicado",
                                                        "0201234"}));
  for (int i = 0; i < 3000; ++i) {
    const std::string code = random_code(1);
    const std::string key = code.substr(0, std::min(code.find('\0'), std::size_t{7}));
    feedback.Clear();
    index.Insert(code, feedback);
    if (!stored.insert(key).second) {
      ASSERT_EQ(feedback.Texts(), (std::vector<std::string>{"Btree: C\xF3"
                                                            "digo duplicado",
                                                            key}));
    } else {
      ASSERT_TRUE(feedback.messages.empty()) << code;
    }
  }
  EXPECT_EQ(index.size(), stored.size());
  for (int i = 0; i < 20000; ++i) {
    const std::string code = random_code(0);
    const bool expected =
        code.size() <= 7 && code.find('\0') == std::string::npos && stored.count(code) != 0;
    ASSERT_EQ(index.Contains(code), expected) << code;
  }
  for (const std::string& key : stored) ASSERT_TRUE(index.Contains(key)) << key;

  index.Clear();
  EXPECT_FALSE(index.Contains(*stored.rbegin()));
  index.Insert(*stored.rbegin(), feedback);
  EXPECT_TRUE(index.Contains(*stored.rbegin()));
}

}  // namespace
}  // namespace quirovel
