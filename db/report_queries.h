// The query texts of the report plug-ins, byte for byte, each with parameter
// values (in order of first appearance of the parameter names) and whether
// the sample database answers it with rows. Selection fragments are left out.
#pragma once

#include <string>
#include <vector>

#include "host/vcl/variant.h"

namespace agency_db {

struct ReportQuery {
  const char* name;
  std::string sql;
  vcl::VariantArray values;
  bool rows_in_sample;
};

const std::vector<ReportQuery>& ReportQueries();

}  // namespace agency_db
