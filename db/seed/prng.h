// A small deterministic random source for the sample data. splitmix64 gives
// the same sequence on every platform and library version, so a seed and a
// scale always make the same database.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace agency_seed {

class Prng {
 public:
  explicit Prng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ULL + 0x2545F4914F6CDD1DULL) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

  // A whole number in [lo, hi], both included.
  int64_t Range(int64_t lo, int64_t hi) {
    return lo + static_cast<int64_t>(Next() % static_cast<uint64_t>(hi - lo + 1));
  }

  // A number in [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

  bool Chance(double p) { return Unit() < p; }

  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[static_cast<size_t>(Next() % items.size())];
  }

  // An index chosen with the given relative weights.
  size_t Weighted(const std::vector<double>& weights) {
    double total = 0;
    for (double w : weights) total += w;
    double x = Unit() * total;
    for (size_t i = 0; i < weights.size(); ++i) {
      if (x < weights[i]) return i;
      x -= weights[i];
    }
    return weights.size() - 1;
  }

 private:
  uint64_t state_;
};

}  // namespace agency_seed
