#include "host/dataworks/sql_text.h"

#include <cctype>
#include <unordered_map>

#include "host/vcl/strings.h"

namespace dataworks {

namespace {

bool IsIdentStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$';
}
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

char ClosingQuoteDelimiter(char open) {
  switch (open) {
    case '(': return ')';
    case '{': return '}';
    case '[': return ']';
    case '<': return '>';
    default: return open;
  }
}

// When a quoted text or a comment starts at `i`, the position just after it
// (or the end of the text when it is not closed); otherwise `i` itself.
size_t SkipQuotedOrComment(std::string_view s, size_t i) {
  const size_t n = s.size();
  const char c = s[i];
  if (c == '\'' || c == '"') {
    // A doubled quote inside is an escaped quote: scanning on from the second
    // one reopens the text, which has the same effect.
    size_t end = s.find(c, i + 1);
    return end == std::string_view::npos ? n : end + 1;
  }
  if (c == '-' && i + 1 < n && s[i + 1] == '-') {
    size_t end = s.find('\n', i + 2);
    return end == std::string_view::npos ? n : end + 1;
  }
  if (c == '/' && i + 1 < n && s[i + 1] == '*') {
    size_t end = s.find("*/", i + 2);
    return end == std::string_view::npos ? n : end + 2;
  }
  if ((c == 'q' || c == 'Q') && i + 2 < n && s[i + 1] == '\'' &&
      (i == 0 || !IsIdentChar(s[i - 1]))) {
    const char close = ClosingQuoteDelimiter(s[i + 2]);
    for (size_t j = i + 3; j + 1 < n; ++j) {
      if (s[j] == close && s[j + 1] == '\'') return j + 2;
    }
    return n;
  }
  return i;
}

bool StartsWithWordCI(std::string_view s, size_t i, std::string_view word) {
  if (i + word.size() > s.size()) return false;
  for (size_t k = 0; k < word.size(); ++k) {
    if (std::toupper(static_cast<unsigned char>(s[i + k])) != word[k]) return false;
  }
  return i + word.size() == s.size() || !IsIdentChar(s[i + word.size()]);
}

size_t SkipBlanks(std::string_view s, size_t i) {
  while (i < s.size() && IsBlank(s[i])) ++i;
  return i;
}

// At the start of a statement: when it is "SET TERM <new> <current>", sets
// `terminator` to <new> and returns the position after the command;
// otherwise returns `i`.
size_t TrySetTerm(std::string_view s, size_t i, std::string& terminator) {
  if (!StartsWithWordCI(s, i, "SET")) return i;
  size_t j = SkipBlanks(s, i + 3);
  if (j == i + 3 || !StartsWithWordCI(s, j, "TERM")) return i;
  j = SkipBlanks(s, j + 4);
  size_t start = j;
  while (j < s.size() && !IsBlank(s[j]) && s.compare(j, terminator.size(), terminator) != 0) ++j;
  if (j == start) return i;
  std::string next(s.substr(start, j - start));
  size_t end = s.find(terminator, j);
  size_t after = end == std::string_view::npos ? s.size() : end + terminator.size();
  terminator = std::move(next);
  return after;
}

}  // namespace

ParsedSql ParseParameters(std::string_view sql) {
  ParsedSql parsed;
  parsed.text.reserve(sql.size());
  std::unordered_map<std::string, size_t> index_of_name;
  size_t i = 0;
  while (i < sql.size()) {
    size_t skipped = SkipQuotedOrComment(sql, i);
    if (skipped != i) {
      parsed.text.append(sql.substr(i, skipped - i));
      i = skipped;
      continue;
    }
    const char c = sql[i];
    if (c == ':' && i + 1 < sql.size() && IsIdentStart(sql[i + 1])) {
      size_t end = i + 1;
      while (end < sql.size() && IsIdentChar(sql[end])) ++end;
      std::string name = vcl::UpperAscii(sql.substr(i + 1, end - i - 1));
      auto [it, inserted] = index_of_name.emplace(name, parsed.distinct);
      if (inserted) ++parsed.distinct;
      parsed.slots.push_back(it->second);
      parsed.text.push_back('?');
      i = end;
      continue;
    }
    if (c == '?') parsed.slots.push_back(parsed.distinct++);
    parsed.text.push_back(c);
    ++i;
  }
  return parsed;
}

bool IsProceduralOrSchema(std::string_view sql) {
  size_t i = 0;
  for (;;) {
    i = SkipBlanks(sql, i);
    if (i >= sql.size()) return false;
    if (sql[i] != '-' && sql[i] != '/') break;
    size_t skipped = SkipQuotedOrComment(sql, i);
    if (skipped == i) return false;
    i = skipped;
  }
  if (StartsWithWordCI(sql, i, "CREATE") || StartsWithWordCI(sql, i, "ALTER") ||
      StartsWithWordCI(sql, i, "RECREATE")) {
    return true;
  }
  if (!StartsWithWordCI(sql, i, "EXECUTE")) return false;
  return StartsWithWordCI(sql, SkipBlanks(sql, i + 7), "BLOCK");
}

std::vector<std::string> SplitScript(std::string_view script) {
  std::vector<std::string> statements;
  std::string terminator = ";";
  size_t i = 0;
  while (i < script.size()) {
    // Find where this statement begins: past blanks and comments, which may
    // hide a SET TERM.
    size_t probe = i;
    for (;;) {
      probe = SkipBlanks(script, probe);
      if (probe >= script.size()) break;
      size_t skipped = SkipQuotedOrComment(script, probe);
      if (skipped == probe || script[probe] == '\'' || script[probe] == '"' ||
          script[probe] == 'q' || script[probe] == 'Q') {
        break;
      }
      probe = skipped;
    }
    if (probe >= script.size()) break;
    size_t after_set_term = TrySetTerm(script, probe, terminator);
    if (after_set_term != probe) {
      i = after_set_term;
      continue;
    }
    // Scan to the terminator outside quotes and comments.
    size_t j = probe;
    size_t end = script.size();
    while (j < script.size()) {
      size_t skipped = SkipQuotedOrComment(script, j);
      if (skipped != j) {
        j = skipped;
        continue;
      }
      if (script.compare(j, terminator.size(), terminator) == 0) {
        end = j;
        break;
      }
      ++j;
    }
    std::string statement = vcl::Trim(script.substr(probe, end - probe));
    if (!statement.empty()) statements.push_back(std::move(statement));
    i = end == script.size() ? end : end + terminator.size();
  }
  return statements;
}

}  // namespace dataworks
