#include "host/vcl/variant.h"

#include "host/vcl/convert.h"

namespace vcl {

std::string VarToStr(const Variant& v) {
  struct Visitor {
    std::string operator()(const Null&) const { return ""; }
    std::string operator()(int64_t x) const { return IntToStr(x); }
    std::string operator()(double x) const { return FloatToStr(x); }
    std::string operator()(const DateTimeValue& x) const { return DateTimeToStr(x.value); }
    std::string operator()(const std::string& x) const { return x; }
    std::string operator()(bool x) const { return x ? "True" : "False"; }
  };
  return std::visit(Visitor{}, v);
}

}  // namespace vcl
