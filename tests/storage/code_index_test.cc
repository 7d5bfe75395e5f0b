#include "storage/code_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <string>

#include "platform/cp1252.h"
#include "platform/recording_feedback.h"

namespace quirovel {
namespace {

TEST(CodeIndex, RejectsADuplicateWithTwoMessagesAndKeepsItOnce) {
  CodeIndex index;
  RecordingFeedback feedback;
  index.Insert("02012", feedback);
  index.Insert("02012", feedback);
  EXPECT_EQ(feedback.Texts(), (std::vector<std::string>{"Btree: C\xF3" "digo duplicado", "02012"}));
  EXPECT_TRUE(index.Contains("02012"));
  EXPECT_EQ(index.size(), 1u);
}

TEST(CodeIndex, GrowsInInsertionOrderWithoutRebalancing) {
  CodeIndex index;
  RecordingFeedback feedback;
  for (const char* code : {"003", "001", "002"}) index.Insert(code, feedback);
  ASSERT_NE(index.KeyAt(""), nullptr);
  EXPECT_EQ(*index.KeyAt(""), "003");
  ASSERT_NE(index.KeyAt("L"), nullptr);
  EXPECT_EQ(*index.KeyAt("L"), "001");
  ASSERT_NE(index.KeyAt("LR"), nullptr);
  EXPECT_EQ(*index.KeyAt("LR"), "002");
  EXPECT_EQ(index.KeyAt("R"), nullptr);
  EXPECT_EQ(index.KeyAt("LL"), nullptr);
  EXPECT_FALSE(index.Contains("004"));

  // Ascending codes make a chain to the right.
  CodeIndex chain;
  for (const char* code : {"A", "B", "C", "D"}) chain.Insert(code, feedback);
  ASSERT_NE(chain.KeyAt("RRR"), nullptr);
  EXPECT_EQ(*chain.KeyAt("RRR"), "D");
  EXPECT_TRUE(feedback.messages.empty());
}

TEST(CodeIndex, MatchesOnlyTheExactText) {
  CodeIndex index;
  RecordingFeedback feedback;
  EXPECT_FALSE(index.Contains("02012"));
  EXPECT_FALSE(index.Contains(""));
  index.Insert("02012", feedback);
  index.Insert("0201", feedback);
  index.Insert("ab", feedback);
  EXPECT_TRUE(index.Contains("0201"));
  EXPECT_FALSE(index.Contains("020"));
  EXPECT_FALSE(index.Contains("02012 "));
  EXPECT_FALSE(index.Contains(" 02012"));
  EXPECT_FALSE(index.Contains("AB"));
  EXPECT_FALSE(index.Contains(std::string_view("0201\0", 5)));
  EXPECT_FALSE(index.Contains("020120000000"));
  EXPECT_TRUE(feedback.messages.empty());
}

TEST(CodeIndex, ClearEmptiesItAndCodesCanBeInsertedAgain) {
  CodeIndex index;
  RecordingFeedback feedback;
  for (const char* code : {"003", "001", "002"}) index.Insert(code, feedback);
  index.Clear();
  EXPECT_TRUE(index.empty());
  for (const char* code : {"003", "001", "002"}) EXPECT_FALSE(index.Contains(code));
  EXPECT_EQ(index.KeyAt(""), nullptr);
  index.Insert("002", feedback);
  EXPECT_TRUE(index.Contains("002"));
  EXPECT_FALSE(index.Contains("003"));
  EXPECT_TRUE(feedback.messages.empty());
}

TEST(CodeIndex, HoldsAFullListInAChainWithoutTrouble) {
  // A sorted list of a thousand codes is the deepest tree the program builds.
  CodeIndex index;
  RecordingFeedback feedback;
  char code[8];
  for (int i = 0; i < 1000; ++i) {
    std::snprintf(code, sizeof code, "%05d", i);
    index.Insert(code, feedback);
  }
  EXPECT_TRUE(index.Contains("00999"));
  EXPECT_TRUE(index.Contains("00000"));
  EXPECT_FALSE(index.Contains("01000"));
  index.Clear();
  EXPECT_FALSE(index.Contains("00500"));
}

TEST(CodeIndex, FindsWhatWasStoredAfterCuttingAndNothingElse) {
  // Insertion cuts at a NUL and after 7 characters; lookups see the cut key.
  CodeIndex index;
  RecordingFeedback feedback;
  std::set<std::string> stored;
  std::mt19937 random(7);
  const std::string alphabet = std::string("019AZ \xF3") + '\0';
  for (int i = 0; i < 3000; ++i) {
    std::string code(1 + random() % 9, ' ');
    for (char& c : code) c = alphabet[random() % alphabet.size()];
    std::string key = code.substr(0, std::min(code.find('\0'), std::size_t{7}));
    if (stored.count(key) == 0) {
      index.Insert(code, feedback);
      stored.insert(key);
    }
  }
  EXPECT_TRUE(feedback.messages.empty());
  EXPECT_EQ(index.size(), stored.size());
  for (int i = 0; i < 20000; ++i) {
    std::string code(random() % 9, ' ');
    for (char& c : code) c = alphabet[random() % alphabet.size()];
    const bool expected = code.size() <= 7 && code.find('\0') == std::string::npos && stored.count(code) != 0;
    ASSERT_EQ(index.Contains(code), expected) << code;
  }
  for (const std::string& key : stored) ASSERT_TRUE(index.Contains(key)) << key;
}

}  // namespace
}  // namespace quirovel
