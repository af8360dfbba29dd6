// A double as a decimal digit string, correctly rounded to 15 significant
// digits, so that formatting rounds the number a person reads (2.675 with two
// decimals is 2.68) rather than its binary approximation (2.67499999...).
#pragma once

#include <string>

namespace vcl {

struct Decimal {
  bool negative = false;
  std::string digits;  // no leading or trailing zeros; empty for zero
  int exponent = 0;    // value = 0.digits x 10^exponent

  // Finite values only.
  static Decimal FromDouble(double value, int significant = 15);
  // Rounds to `decimals` digits after the decimal point, halves away from zero.
  void RoundToDecimals(int decimals);
  bool IsZero() const { return digits.empty(); }
};

}  // namespace vcl
