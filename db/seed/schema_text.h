// The agency database schema (db/schema.sql), built into the program.
#pragma once

#include <string_view>

namespace agency_seed {

std::string_view SchemaText();

}  // namespace agency_seed
