// The lookups read their block from a copy of the attributes table kept in
// memory. These tests hold that copy to the table itself: on random tables,
// sorted or not, with repeated codes, odd code widths, a cut file and a
// descriptions table of another length, every lookup gives the same record
// and the same columns both ways.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"
#include "reference/cie_catalogue.h"
#include "reference/cie_tables.h"

namespace quirovel {
namespace {

std::string RandomCode(std::mt19937& rng) {
  static const std::string kChars = std::string("0123456789.  VE\xE9\xA8") + '\0';
  std::uniform_int_distribution<std::size_t> length(0, 8), pick(0, kChars.size() - 1),
      digit(0, 9);
  std::string code;
  std::size_t n = length(rng);
  for (std::size_t i = 0; i < n; ++i)
    code += (i < 3 && rng() % 4 != 0) ? static_cast<char>('0' + digit(rng)) : kChars[pick(rng)];
  return code;
}

struct Case {
  std::vector<std::string> codes;      // attributes table, in file order
  std::vector<std::string> described;  // descriptions table
  int width = 7;
  int step = 10;
  std::size_t cut = 0;  // bytes removed from the end of the attributes file
};

Case RandomCase(std::mt19937& rng) {
  Case c;
  const int sizes[] = {0, 1, 5, 9, 10, 11, 37, 200, 1500, 2400};
  int n = sizes[rng() % std::size(sizes)];
  const int widths[] = {3, 5, 6, 7, 8};
  c.width = widths[rng() % std::size(widths)];
  const int steps[] = {1, 3, 10, 10, 10};
  c.step = steps[rng() % std::size(steps)];
  for (int i = 0; i < n; ++i) c.codes.push_back(RandomCode(rng));
  switch (rng() % 4) {
    case 0: break;  // unsorted
    case 1: std::sort(c.codes.begin(), c.codes.end()); break;
    case 2:  // sorted with a few records swapped
      std::sort(c.codes.begin(), c.codes.end());
      for (int k = 0; k < 3 && n > 1; ++k) std::swap(c.codes[rng() % n], c.codes[rng() % n]);
      break;
    case 3:  // sorted with repeats
      for (int i = 1; i < n; i += 3) c.codes[static_cast<std::size_t>(i)] = c.codes[static_cast<std::size_t>(i - 1)];
      std::sort(c.codes.begin(), c.codes.end());
      break;
  }
  c.described = c.codes;
  if (rng() % 4 == 0) {  // samples that do not line up with the attributes' records
    std::shuffle(c.described.begin(), c.described.end(), rng);
    std::sort(c.described.begin(), c.described.begin() + static_cast<long>(c.described.size() / 2));
  }
  if (rng() % 4 == 0 && n > 0) c.described.resize(rng() % n);
  if (rng() % 4 == 0) c.described.push_back("999");
  if (rng() % 5 == 0) c.cut = rng() % 40;
  return c;
}

class CieSamenessTest : public ::testing::Test {
 protected:
  CieSamenessTest() : memory(fs, feedback), table(fs, feedback) {}

  void Load(const Case& c) {
    std::string attributes = testing::CieAttributesBytes(testing::CieRows(c.codes), c.width);
    // Give each record distinct columns so that a wrong record shows.
    for (std::size_t r = 0; r < c.codes.size(); ++r) {
      std::size_t at = attributes.size() - (c.codes.size() - r) * static_cast<std::size_t>(c.width + 12);
      attributes[at + 1 + static_cast<std::size_t>(c.width) + 1] = static_cast<char>('A' + r % 26);
    }
    if (c.codes.size() >= 3) attributes.resize(attributes.size() - c.cut);
    fs.SetContents("/CIE.dbf", attributes);
    fs.SetContents("/CIEDE.dbf", testing::CieDescriptionsBytes(c.described, {}, c.width));
    memory.Open("/CIE.dbf", "/CIEDE.dbf");
    memory.BuildSampleIndex(c.step);
    table.set_use_memory_copy(false);
    table.Open("/CIE.dbf", "/CIEDE.dbf");
    table.BuildSampleIndex(c.step);
  }

  void ExpectSame(const std::string& code, const std::string& context) {
    ASSERT_EQ(memory.FindDiagnosis(code), table.FindDiagnosis(code)) << context;
    for (int col = 0; col <= 9; ++col) ASSERT_EQ(memory.Column(col), table.Column(col)) << context;
    ASSERT_EQ(memory.FindProcedure(code), table.FindProcedure(code)) << context;
    for (int col = 0; col <= 9; ++col) ASSERT_EQ(memory.Column(col), table.Column(col)) << context;
  }

  MemoryFileSystem fs;
  RecordingFeedback feedback;
  CieCatalogue memory, table;
};

TEST_F(CieSamenessTest, RandomTablesGiveTheSameRecordsBothWays) {
  std::mt19937 rng(20061);
  long found = 0;
  for (int round = 0; round < 120; ++round) {
    Case c = RandomCase(rng);
    Load(c);
    ASSERT_TRUE(memory.has_memory_copy());
    const std::string context = "round " + std::to_string(round);
    for (const std::string& code : c.codes) {
      for (std::size_t width : {code.size(), std::size_t{5}, std::size_t{6}, std::size_t{7}}) {
        std::string padded = code;
        padded.resize(width, ' ');
        ExpectSame(padded, context + " code [" + padded + "]");
        if (memory.FindDiagnosis(padded) != 0) ++found;
      }
    }
    for (int k = 0; k < 200; ++k) ExpectSame(RandomCode(rng), context);
  }
  EXPECT_GT(found, 1000);  // the comparison is not only between two zeros
}

TEST_F(CieSamenessTest, LongLastBlockAndGiveUpAgreeBothWays) {
  Case c;
  for (int i = 0; i < 3000; ++i) c.codes.push_back(std::to_string(10000 + 3 * i));
  std::reverse(c.codes.begin() + 2600, c.codes.end());  // the last block out of order too
  c.described = c.codes;
  c.step = 1;  // 2301 samples: the last block runs from record 2301 to 3000
  Load(c);
  for (int i = 0; i < 3000 * 3 + 10; ++i) ExpectSame(std::to_string(10000 + i), std::to_string(i));
}

}  // namespace
}  // namespace quirovel
