// A dynamically typed value as the platform's variants carry them: what query
// parameters are bound with and what single-value look-ups return.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "host/vcl/datetime.h"

namespace vcl {

struct Null {
  bool operator==(const Null&) const = default;
};

// A date-time kept apart from plain doubles so that it binds as a timestamp.
struct DateTimeValue {
  TDateTime value = 0;
  bool operator==(const DateTimeValue&) const = default;
};

using Variant = std::variant<Null, int64_t, double, DateTimeValue, std::string, bool>;

// An array of values, as ExecutarSQL takes them. Empty means Null.
using VariantArray = std::vector<Variant>;

inline bool VarIsNull(const Variant& v) { return std::holds_alternative<Null>(v); }

// The value as text: null -> "", numbers in the general number form, dates in
// the short date format.
std::string VarToStr(const Variant& v);

}  // namespace vcl
