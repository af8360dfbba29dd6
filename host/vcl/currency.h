// Money as the platform keeps it: a fixed-point amount with four decimals, so
// that sums of money columns add up exactly.
#pragma once

#include <cmath>
#include <cstdint>

namespace vcl {

struct Currency {
  int64_t scaled = 0;  // the amount times 10 000

  static Currency FromDouble(double value) {
    return Currency{static_cast<int64_t>(std::llround(value * 10000.0))};
  }
  double ToDouble() const { return static_cast<double>(scaled) / 10000.0; }

  Currency& operator+=(Currency other) { scaled += other.scaled; return *this; }
  Currency& operator-=(Currency other) { scaled -= other.scaled; return *this; }
  friend Currency operator+(Currency a, Currency b) { return a += b; }
  friend Currency operator-(Currency a, Currency b) { return a -= b; }
  friend bool operator==(Currency a, Currency b) = default;
  friend auto operator<=>(Currency a, Currency b) = default;
};

}  // namespace vcl
