// Parameter names compared without regard to case (ASCII letters only, the
// names being single-byte), and a hash table keyed that way that looks names
// up without building an upper-cased copy on every call.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace printworks {

inline char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

inline bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (UpperChar(a[i]) != UpperChar(b[i])) return false;
  }
  return true;
}

struct NameHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const {
    size_t h = 1469598103934665603ull;  // FNV-1a over the upper-cased bytes
    for (char c : s) {
      h ^= static_cast<unsigned char>(UpperChar(c));
      h *= 1099511628211ull;
    }
    return h;
  }
};

struct NameEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return SameName(a, b); }
};

template <class V>
using NameMap = std::unordered_map<std::string, V, NameHash, NameEqual>;

// Longest parameter name, in bytes.
inline constexpr size_t kMaxParamName = 128;

}  // namespace printworks
