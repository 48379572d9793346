// The simulator's random numbers: the same start value gives the same
// contest on every machine, since the generator and every mapping onto a
// range are fixed here rather than left to the standard library's
// distributions.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace rezov::simulate {

class RandomSource {
 public:
  explicit RandomSource(std::uint64_t start) : engine_(start) {}

  // A number in [0, n); n > 0.
  std::uint64_t Below(std::uint64_t n) { return engine_() % n; }

  // A number in [low, high].
  std::int64_t Between(std::int64_t low, std::int64_t high) {
    return low + static_cast<std::int64_t>(Below(static_cast<std::uint64_t>(high - low + 1)));
  }

  // A number in [0, 1).
  double Fraction() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

  bool Chance(double p) { return Fraction() < p; }

  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[Below(items.size())];
  }

 private:
  std::mt19937_64 engine_;
};

}  // namespace rezov::simulate
