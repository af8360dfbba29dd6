// Test-only faults of the data layer, for reliability tests: make the k-th
// query, or the k-th fetched row, fail as if the database had failed. Off by
// default; while off, each query and row pays one untaken branch.
#pragma once

namespace dataworks {

// The k-th TnConnection::Query from now (counting from 1) raises
// vcl::Exception "Falha simulada na consulta <k>". k <= 0 turns it off.
void FailQueryNumber(int k);

// The k-th row fetched from now, counted over every query, raises
// vcl::Exception "Falha simulada ao ler a linha <k>". k <= 0 turns it off.
void FailFetchNumber(int k);

// Turns both faults off.
void ResetFaults();

namespace fault_detail {
extern int query_countdown;
extern int fetch_countdown;
void OnQuery();
void OnFetch();
}  // namespace fault_detail

// Called by the data layer at each query and each fetched row.
inline void CheckQueryFault() {
  if (fault_detail::query_countdown > 0) fault_detail::OnQuery();
}
inline void CheckFetchFault() {
  if (fault_detail::fetch_countdown > 0) fault_detail::OnFetch();
}

}  // namespace dataworks
