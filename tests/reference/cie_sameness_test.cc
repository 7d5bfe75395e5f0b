// The lookups read their block from a copy of the attributes table kept in
// memory. On random tables (sorted or not, repeated codes, odd code widths and
// bytes, a cut file, descriptions of another length) every lookup gives the
// same record and the same columns from the copy as from the table itself.
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
  std::string code(rng() % 9, ' ');
  for (std::size_t i = 0; i < code.size(); ++i)
    code[i] = (i < 3 && rng() % 4 != 0) ? static_cast<char>('0' + rng() % 10) : kChars[rng() % kChars.size()];
  return code;
}

class CieSamenessTest : public ::testing::Test {
 protected:
  CieSamenessTest() : memory(fs, feedback), table(fs, feedback) {}

  // codes: the attributes table in file order; cut: bytes removed from its end.
  void Load(const std::vector<std::string>& codes, const std::vector<std::string>& described, int width,
            int step, std::size_t cut) {
    std::string attributes = testing::CieAttributesBytes(testing::CieRows(codes), width);
    // Give each record distinct columns so that a wrong record shows.
    for (std::size_t r = 0; r < codes.size(); ++r)
      attributes[attributes.size() - (codes.size() - r) * static_cast<std::size_t>(width + 12) + width + 2] =
          static_cast<char>('A' + r % 26);
    if (codes.size() >= 3) attributes.resize(attributes.size() - cut);
    fs.SetContents("/CIE.dbf", attributes);
    fs.SetContents("/CIEDE.dbf", testing::CieDescriptionsBytes(described, {}, width));
    table.set_use_memory_copy(false);
    for (CieCatalogue* c : {&memory, &table}) {
      c->Open("/CIE.dbf", "/CIEDE.dbf");
      c->BuildSampleIndex(step);
    }
  }

  void ExpectSame(const std::string& code, const std::string& context) {
    for (bool procedure : {false, true}) {
      ASSERT_EQ(procedure ? memory.FindProcedure(code) : memory.FindDiagnosis(code),
                procedure ? table.FindProcedure(code) : table.FindDiagnosis(code)) << context << code;
      for (int col = 0; col <= 9; ++col) ASSERT_EQ(memory.Column(col), table.Column(col)) << context << code;
    }
  }

  MemoryFileSystem fs;
  RecordingFeedback feedback;
  CieCatalogue memory, table;
};

TEST_F(CieSamenessTest, RandomTablesGiveTheSameRecordsBothWays) {
  std::mt19937 rng(20061);
  long found = 0;
  for (int round = 0; round < 120; ++round) {
    const int sizes[] = {0, 1, 5, 9, 10, 11, 37, 200, 1500, 2400}, widths[] = {3, 5, 6, 7, 8},
              steps[] = {1, 3, 10, 10, 10};
    const int n = sizes[rng() % 10];
    std::vector<std::string> codes;
    for (int i = 0; i < n; ++i) codes.push_back(RandomCode(rng));
    const unsigned order = rng() % 4;  // 0: unsorted, 1: sorted, 2: a few swapped, 3: repeats
    if (order == 3)
      for (int i = 1; i < n; i += 3) codes[static_cast<std::size_t>(i)] = codes[static_cast<std::size_t>(i - 1)];
    if (order != 0) std::sort(codes.begin(), codes.end());
    for (int k = 0; order == 2 && k < 3 && n > 1; ++k) std::swap(codes[rng() % n], codes[rng() % n]);
    std::vector<std::string> described = codes;
    if (rng() % 4 == 0) {  // samples that do not line up with the attributes' records
      std::shuffle(described.begin(), described.end(), rng);
      std::sort(described.begin(), described.begin() + static_cast<long>(described.size() / 2));
    }
    if (rng() % 4 == 0 && n > 0) described.resize(rng() % n);
    if (rng() % 4 == 0) described.push_back("999");
    Load(codes, described, widths[rng() % 5], steps[rng() % 5], rng() % 5 == 0 ? rng() % 40 : 0);
    ASSERT_TRUE(memory.has_memory_copy());
    const std::string context = "round " + std::to_string(round) + ": ";
    for (const std::string& code : codes) {
      for (std::size_t width : {code.size(), std::size_t{5}, std::size_t{6}, std::size_t{7}}) {
        std::string padded = code;
        padded.resize(width, ' ');
        ExpectSame(padded, context);
        if (memory.FindDiagnosis(padded) != 0) ++found;
      }
    }
    for (int k = 0; k < 200; ++k) ExpectSame(RandomCode(rng), context);
  }
  EXPECT_GT(found, 1000);  // the comparison is not only between two zeros
}

}  // namespace
}  // namespace quirovel
