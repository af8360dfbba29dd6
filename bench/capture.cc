// A small library for LD_PRELOAD into report-host: it writes every query the
// data layer runs (its text and its values, one JSON object a line) to the
// file named by BENCH_CAPTURE, then runs the query as usual. bench-fetch
// replays these lines, so the fetch measurement runs exactly the texts and
// values the report ran.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <type_traits>

#include <nlohmann/json.hpp>

#include "host/dataworks/client_dataset.h"
#include "host/dataworks/connection.h"

namespace {

nlohmann::json ValueJson(const vcl::Variant& v) {
  return std::visit(
      [](const auto& x) -> nlohmann::json {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, vcl::Null>) return {{"null", true}};
        else if constexpr (std::is_same_v<T, int64_t>) return {{"int", x}};
        else if constexpr (std::is_same_v<T, double>) return {{"float", x}};
        else if constexpr (std::is_same_v<T, vcl::DateTimeValue>) return {{"datetime", x.value}};
        else if constexpr (std::is_same_v<T, std::string>) return {{"text", x}};
        else return {{"bool", x}};
      },
      v);
}

void Record(const std::string& sql, const vcl::VariantArray& values) {
  const char* path = std::getenv("BENCH_CAPTURE");
  if (path == nullptr || *path == '\0') return;
  nlohmann::json line{{"sql", sql}, {"values", nlohmann::json::array()}};
  for (const vcl::Variant& v : values) line["values"].push_back(ValueJson(v));
  std::string text = line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
  if (FILE* out = std::fopen(path, "ab")) {
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
  }
}

}  // namespace

namespace dataworks {

// Same signature as the data layer's; the real one is found with RTLD_NEXT.
// A member function takes `this` as its first argument, so a plain function
// pointer with the connection first calls it.
std::unique_ptr<TnClientDataSet> TnConnection::Query(const std::string& sql,
                                                     const vcl::VariantArray& values) {
  using Real = std::unique_ptr<TnClientDataSet> (*)(TnConnection*, const std::string&,
                                                    const vcl::VariantArray&);
  static Real real = reinterpret_cast<Real>(dlsym(
      RTLD_NEXT,
      "_ZN9dataworks12TnConnection5QueryERKNSt7__cxx1112basic_stringIcSt11char_"
      "traitsIcESaIcEEERKSt6vectorISt7variantIJN3vcl4NullEldNSB_13DateTimeValueES6_"
      "bEESaISE_EE"));
  if (real == nullptr) {
    std::fprintf(stderr, "bench capture: the data layer's query function was not found\n");
    std::abort();
  }
  Record(sql, values);
  return real(this, sql, values);
}

}  // namespace dataworks
