#include "host/dataworks/field_mapper.h"

#include <atomic>

namespace dataworks {

namespace {
std::atomic<long> g_bindings{0};
}  // namespace

long TnFieldMapper::Bindings() { return g_bindings.load(); }

void TnFieldMapper::CountBinding() { ++g_bindings; }

TnFieldMapper& FieldMapper() {
  static TnFieldMapper mapper;
  return mapper;
}

}  // namespace dataworks
