#include "host/dataworks/fault_injection.h"

#include <string>

#include "host/vcl/exceptions.h"

namespace dataworks {

namespace fault_detail {
int query_countdown = 0;
int fetch_countdown = 0;
namespace {
int query_target = 0;
int fetch_target = 0;
}  // namespace

void OnQuery() {
  if (--query_countdown == 0) {
    throw vcl::Exception("Falha simulada na consulta " + std::to_string(query_target));
  }
}

void OnFetch() {
  if (--fetch_countdown == 0) {
    throw vcl::Exception("Falha simulada ao ler a linha " + std::to_string(fetch_target));
  }
}
}  // namespace fault_detail

void FailQueryNumber(int k) {
  fault_detail::query_target = k > 0 ? k : 0;
  fault_detail::query_countdown = fault_detail::query_target;
}

void FailFetchNumber(int k) {
  fault_detail::fetch_target = k > 0 ? k : 0;
  fault_detail::fetch_countdown = fault_detail::fetch_target;
}

void ResetFaults() {
  FailQueryNumber(0);
  FailFetchNumber(0);
}

}  // namespace dataworks
