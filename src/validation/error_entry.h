// One entry of the error log "fallos.dat": 32 bytes, little-endian.
//   0..2  error number written with "%2d", then a zero byte (3)
//   4     own field number          8, 12  related field numbers (0 = none)
//   16    third related slot, 0     20     record number of the episode
//   24    a blank, then 3 zeros     28     NotInVersionMark (0 or 1)
#pragma once

#include <array>
#include <cstdint>

namespace quirovel {

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

}  // namespace quirovel
