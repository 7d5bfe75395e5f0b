// The CIE-9-MC catalogue of one edition: an attributes table consulted for
// every code, and a descriptions table for display, positioned record for
// record alike. Lookups bisect an in-memory sample of the codes and scan one
// block of records.
//
// The attributes table is also copied into memory when it is opened, and the
// lookups read their block from the copy: the same bisection, the same block,
// the same give-up, so every result is the one the table itself would give,
// on an unsorted table too. Column() reads the record found, from whichever
// place the lookup used.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/feedback.h"
#include "platform/file_system.h"
#include "reference/lookup_memo.h"
#include "storage/dbf_table.h"

namespace quirovel {

// Sign of the first difference over at most `limit` characters, as signed
// bytes; a text that ends compares as its terminating zero. The order of the
// lookups and of the catalogue order check.
int CompareCodes(std::string_view a, std::string_view b, std::size_t limit);

class CieCatalogue {
 public:
  static constexpr int kMaxSamples = 2300;  // one more is kept, with the message
  static constexpr int kProcedureGiveUp = 201;
  // Attributes tables larger than this are read from the file at each lookup.
  static constexpr std::int64_t kMaxMemoryCopy = 64 << 20;

  CieCatalogue(FileSystem& fs, Feedback& feedback);

  // Closes both tables and opens the given ones (host paths). A table that
  // does not open leaves the catalogue empty: every lookup returns 0.
  void Open(const std::string& attributes_path, const std::string& descriptions_path);
  void Close();
  void BuildSampleIndex(int step);

  // Record number of the code (first 6 / first 5 characters), or 0. On success
  // Column() reads that record until the next lookup.
  std::int32_t FindDiagnosis(std::string_view code);
  std::int32_t FindProcedure(std::string_view code);
  // Column c (1..8) of the attributes record last found; empty when none.
  std::string_view Column(int c) const;

  // Description of a code (6 characters compared for diagnoses and external
  // causes, 5 for procedures), found by the same search in the descriptions
  // table; "<< NO ES CIE9-MC >>" for an unknown code that is not blank, empty
  // for a blank one.
  std::string Description(std::string_view code, int compared);

  DbfTable& attributes() { return attributes_; }
  DbfTable& descriptions() { return descriptions_; }

  // Lookups through the table layer only; tests and benchmarks compare both ways.
  void set_use_memory_copy(bool on) { use_memory_ = on; }
  bool has_memory_copy() const { return memory_loaded_; }
  // The samples (without the final entry) and the final entry's record number.
  int sample_count() const { return samples_.empty() ? 0 : static_cast<int>(samples_.size()) - 1; }
  std::int32_t sample_record(int i) const { return samples_[static_cast<std::size_t>(i)].record; }

 private:
  struct Sample {
    std::uint64_t key = 0;  // first 7 characters, ordered as the lookup compares them
    std::int32_t record = 0;
  };

  // The block [first, last] of records that may hold the code.
  void Block(std::uint64_t key, std::int32_t* first, std::int32_t* last) const;
  std::int32_t Find(std::string_view code, std::size_t compared);
  std::int32_t FindInMemory(std::uint64_t key, std::size_t compared, std::int32_t first,
                            std::int32_t last) const;
  std::int32_t FindInTable(DbfTable& table, std::string_view code, std::size_t compared,
                           std::int32_t first, std::int32_t last);
  void LoadMemoryCopy();

  FileSystem& fs_;
  Feedback& feedback_;
  DbfTable attributes_;
  DbfTable descriptions_;
  std::vector<Sample> samples_;  // plus the final entry holding the record count
  LookupMemo memo_;              // answers of the lookups in the memory copy
  std::int32_t found_ = 0;
  bool found_in_memory_ = false;

  // The attributes table as ReadRecord would give each record: the whole
  // records of the file, and the last one blank-filled when the file cuts it.
  bool use_memory_ = true;
  bool memory_loaded_ = false;
  std::vector<char> memory_;
  std::vector<std::uint64_t> memory_keys_;  // column 1 of each record, as Sample::key
  std::int64_t memory_records_ = 0;
  std::size_t memory_length_ = 0;
  std::vector<std::size_t> column_offset_, column_width_;  // index c - 1
};

// The order key of a code's first 7 characters: comparing two keys gives the
// sign of comparing the codes character by character as signed bytes,
// stopping at the first difference, at the end of both, or after 7.
std::uint64_t CieCodeKey(std::string_view code);

// The description of column 2 of the descriptions table, both blocks of 36
// characters restored and joined.
std::string RestoreDescription(std::string_view stored);

}  // namespace quirovel
