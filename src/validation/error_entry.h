// One entry of the error log "fallos.dat": 32 bytes, little-endian.
//   0..2  error number written with "%2d", then a zero byte (3)
//   4     own field number          8, 12  related field numbers (0 = none)
//   16    third related slot, 0     20     record number of the episode
//   24    a blank, then 3 zeros     28     NotInVersionMark (0 or 1)
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quirovel {

// An entry's 32 bytes as stored.
using EntryBytes = std::array<unsigned char, 32>;

struct ErrorEntry {
  int error = 0;  // 1..71
  std::uint32_t field = 0;
  std::uint32_t related1 = 0;
  std::uint32_t related2 = 0;
  std::uint32_t related3 = 0;
  std::uint32_t record = 0;
  std::uint32_t not_in_version = 0;

  std::array<unsigned char, 32> Encode() const;
  // The error number is the integer value of the text at offset 0.
  static ErrorEntry Decode(const unsigned char* bytes);
};

// Fields of a stored entry, read in place by the reports that walk the log.
// The error number text: the first bytes up to the zero byte that ends it (at
// most 4), as the groupings use it for their type key.
std::string ErrorNumberText(const EntryBytes& entry);
// The episode's record number (offset 20).
std::int64_t EntryRecordNumber(const EntryBytes& entry);
// Field slot 0..3 (offsets 4, 8, 12, 16): a CMBD-A field number, 0 when empty.
std::uint32_t EntryFieldSlot(const EntryBytes& entry, int slot);

}  // namespace quirovel
