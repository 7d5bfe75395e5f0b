#include "storage/block36.h"

#include <array>
#include <cstdint>

namespace quirovel {
namespace {

using Matrix = std::array<std::array<int, 6>, 6>;

// Unit upper triangular with its columns permuted: determinant -1 or 1, so it is
// invertible over the integers and therefore modulo 256.
constexpr Matrix kDecode = {{
    {1, 1, 0, -1, 0, 1},
    {-1, 0, 1, 0, 1, 0},
    {1, 0, 0, 1, -1, 0},
    {0, 0, 0, 1, 0, -1},
    {1, 0, 0, 0, 0, 1},
    {0, 0, 0, 0, 0, 1},
}};

constexpr int Mod256(long v) { return static_cast<int>(((v % 256) + 256) % 256); }

// Inverse modulo 256 by Gauss-Jordan elimination; every pivot used is odd.
constexpr Matrix InverseMod256(const Matrix& m) {
  Matrix a = m;
  Matrix inv{};
  for (int i = 0; i < 6; ++i) inv[i][i] = 1;
  for (int col = 0; col < 6; ++col) {
    int pivot = col;
    while (pivot < 6 && Mod256(a[pivot][col]) % 2 == 0) ++pivot;
    if (pivot == 6) throw "decoding matrix is not invertible modulo 256";
    std::swap(a[pivot], a[col]);
    std::swap(inv[pivot], inv[col]);
    int p = Mod256(a[col][col]);
    int p_inv = 1;
    while (Mod256(static_cast<long>(p) * p_inv) != 1) p_inv += 2;
    for (int j = 0; j < 6; ++j) {
      a[col][j] = Mod256(static_cast<long>(a[col][j]) * p_inv);
      inv[col][j] = Mod256(static_cast<long>(inv[col][j]) * p_inv);
    }
    for (int r = 0; r < 6; ++r) {
      if (r == col) continue;
      int f = Mod256(a[r][col]);
      if (f == 0) continue;
      for (int j = 0; j < 6; ++j) {
        a[r][j] = Mod256(a[r][j] - static_cast<long>(f) * a[col][j]);
        inv[r][j] = Mod256(inv[r][j] - static_cast<long>(f) * inv[col][j]);
      }
    }
  }
  return inv;
}

constexpr Matrix kEncode = InverseMod256(kDecode);

// Row-major product of a 36-byte block with a matrix; low 8 bits of each cell.
std::string Multiply(std::string_view text, const Matrix& k) {
  std::int32_t t[6][6];
  for (int i = 0; i < 36; ++i)
    t[i / 6][i % 6] = i < static_cast<int>(text.size())
                          ? static_cast<std::int8_t>(text[static_cast<std::size_t>(i)])
                          : 0;
  std::string out(36, '\0');
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c < 6; ++c) {
      std::int32_t sum = 0;
      for (int j = 0; j < 6; ++j)
        sum += t[r][j] * k[static_cast<std::size_t>(j)][static_cast<std::size_t>(c)];
      out[static_cast<std::size_t>(r * 6 + c)] =
          static_cast<char>(static_cast<std::uint8_t>(sum & 0xFF));
    }
  return out;
}

}  // namespace

std::string DecodeBlock36(std::string_view text) {
  std::string out = Multiply(text, kDecode);
  // The result text ends at its first NUL, as a C text would.
  if (auto nul = out.find('\0'); nul != std::string::npos) out.resize(nul);
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::string EncodeBlock36(std::string_view plain) {
  std::string padded(plain.substr(0, 36));
  padded.resize(36, ' ');
  return Multiply(padded, kEncode);
}

}  // namespace quirovel
