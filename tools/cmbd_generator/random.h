// A small seeded generator with its own distributions, so that one seed gives
// the same file with any compiler or standard library.
#pragma once

#include <cmath>
#include <cstdint>

namespace quirovel::gen {

class Random {
 public:
  explicit Random(std::uint64_t seed) {
    for (auto& s : state_) s = SplitMix(seed);
  }

  // xoshiro256**
  std::uint64_t Next() {
    const std::uint64_t result = Rotl(state_[1] * 5, 7) * 9;
    const std::uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = Rotl(state_[3], 45);
    return result;
  }

  // Uniform in [0, n); n > 0.
  std::uint32_t Below(std::uint32_t n) {
    return static_cast<std::uint32_t>(((Next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
  }
  // Uniform in [lo, hi].
  int Between(int lo, int hi) {
    return lo + static_cast<int>(Below(static_cast<std::uint32_t>(hi - lo + 1)));
  }
  // Uniform in [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  bool Chance(double p) { return Unit() < p; }
  bool Percent(int p) { return Below(100) < static_cast<std::uint32_t>(p); }
  // Triangular on [lo, hi] with its peak at mode.
  double Triangular(double lo, double mode, double hi) {
    double u = Unit();
    double f = (mode - lo) / (hi - lo);
    if (u < f) return lo + std::sqrt(u * (hi - lo) * (mode - lo));
    return hi - std::sqrt((1 - u) * (hi - lo) * (hi - mode));
  }
  // Approximately normal (sum of four uniforms), deterministic everywhere.
  double Normal(double mean, double sd) {
    double s = Unit() + Unit() + Unit() + Unit() - 2.0;
    return mean + sd * s * 1.7320508075688772;  // the sum has variance 1/3
  }
  // Geometric-like stay: mean roughly `mean`, 0 allowed.
  int Exponential(double mean) { return static_cast<int>(-mean * std::log(1.0 - Unit())); }

 private:
  static std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  static std::uint64_t SplitMix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  std::uint64_t state_[4];
};

}  // namespace quirovel::gen
