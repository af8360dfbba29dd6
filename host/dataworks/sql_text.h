// Reading SQL text the way the engine will: parameter markers and statement
// boundaries are recognised only outside quoted texts ('...', "...",
// q'{...}') and comments (-- and /* */).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dataworks {

// A query whose colon-named parameters (:pName) became positional '?'.
struct ParsedSql {
  std::string text;
  // For each '?' of `text`, in order, the index of the value it takes. Every
  // occurrence of a name takes the same index; distinct names are numbered in
  // order of first appearance (without regard to case). A '?' already in the
  // text takes an index of its own.
  std::vector<size_t> slots;
  size_t distinct = 0;
};

ParsedSql ParseParameters(std::string_view sql);

// Whether the statement defines or runs procedural code (CREATE, ALTER,
// RECREATE, EXECUTE BLOCK), whose ":name" are the code's own variables.
// Such a statement run without values goes to the engine as written.
bool IsProceduralOrSchema(std::string_view sql);

// The statements of a script, separated by ';' or by the terminator chosen
// with "SET TERM <new> <current>", trimmed, empty ones left out. The SET TERM
// commands themselves are not returned.
std::vector<std::string> SplitScript(std::string_view script);

}  // namespace dataworks
