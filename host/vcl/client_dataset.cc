#include "host/vcl/client_dataset.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>
#include <string_view>
#include <unordered_map>

#include "host/vcl/collation.h"
#include "host/vcl/convert.h"
#include "host/vcl/exceptions.h"
#include "host/vcl/format_settings.h"
#include "host/vcl/strings.h"

namespace vcl {

namespace {

constexpr size_t kNoRow = static_cast<size_t>(-1);

// How a column keeps its values.
enum class Storage { kInt, kReal, kText };

Storage StorageOf(TFieldType type) {
  switch (type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftLargeint:
    case TFieldType::ftCurrency:  // scaled by 10 000
    case TFieldType::ftBoolean:   // 0 or 1
      return Storage::kInt;
    case TFieldType::ftFloat:
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime:
      return Storage::kReal;
    case TFieldType::ftString:
    case TFieldType::ftMemo:
    case TFieldType::ftBlob:
      return Storage::kText;
  }
  return Storage::kText;
}

bool IsDateType(TFieldType type) {
  return type == TFieldType::ftDate || type == TFieldType::ftTime || type == TFieldType::ftDateTime;
}

[[noreturn]] void RaiseFieldNotFound(std::string_view name) {
  throw EDatabaseError("Campo '" + std::string(name) + "' não encontrado");
}

// Field names of a ";"-separated list: blanks around names and empty items
// (a trailing ";") are ignored.
std::vector<std::string> ParseFieldList(const std::string& names) {
  std::vector<std::string> out;
  for (const std::string& item : Split(names, ";")) {
    std::string name = Trim(item);
    if (!name.empty()) out.push_back(std::move(name));
  }
  return out;
}

// The exact decimal text of a currency amount in the general number form.
std::string CurrencyToStr(Currency value) {
  const bool negative = value.scaled < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value.scaled) : static_cast<uint64_t>(value.scaled);
  std::string out = negative ? "-" : "";
  out += std::to_string(magnitude / 10000);
  std::string fraction = std::to_string(magnitude % 10000);
  fraction.insert(0, 4 - fraction.size(), '0');
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) out += FormatSettings().DecimalSeparator + fraction;
  return out;
}

// Distinct texts of a column in collation order, and each row's rank among
// them, so that sorting and searching compare small integers. Collation keys
// are computed once per distinct text and kept side by side in one buffer.
struct TextRanks {
  std::vector<uint32_t> row_rank;  // 0 for null, else 1 + position in `sorted`
  std::vector<uint32_t> sorted;    // distinct texts (their ids) in order
  std::vector<uint32_t> sample;    // a row holding each distinct text, by id
  std::string keys;                // collation keys, by id
  std::vector<uint32_t> key_end;   // id d's key is keys[key_end[d-1], key_end[d])

  std::string_view KeyOf(uint32_t id) const {
    const uint32_t begin = id == 0 ? 0 : key_end[id - 1];
    return std::string_view(keys).substr(begin, key_end[id] - begin);
  }
};

struct Column {
  TFieldType type;
  Storage storage;
  std::vector<int64_t> ints;
  std::vector<double> reals;
  std::vector<std::string> texts;
  std::vector<uint8_t> nulls;  // 1 where the value is null
  std::unique_ptr<TextRanks> ranks;

  explicit Column(TFieldType t) : type(t), storage(StorageOf(t)) {}

  void Grow(size_t rows) {
    nulls.resize(rows, 1);
    switch (storage) {
      case Storage::kInt: ints.resize(rows, 0); break;
      case Storage::kReal: reals.resize(rows, 0); break;
      case Storage::kText: texts.resize(rows); break;
    }
  }

  const TextRanks& Ranks() {
    if (!ranks) BuildRanks();
    return *ranks;
  }

  std::string_view Text(uint32_t row) const { return texts[row]; }

  void BuildRanks() {
    auto r = std::make_unique<TextRanks>();
    const size_t n = nulls.size();
    // Distinct texts through an open-addressing table of ids.
    size_t capacity = 16;
    while (capacity < n * 2) capacity *= 2;
    constexpr uint32_t kFree = static_cast<uint32_t>(-1);
    std::vector<uint32_t> slots(capacity, kFree);
    std::vector<uint32_t> row_id(n, 0);
    const std::hash<std::string_view> hash;
    for (size_t i = 0; i < n; ++i) {
      if (nulls[i]) continue;
      const std::string_view text = texts[i];
      size_t slot = hash(text) & (capacity - 1);
      while (slots[slot] != kFree && Text(r->sample[slots[slot]]) != text) slot = (slot + 1) & (capacity - 1);
      if (slots[slot] == kFree) {
        slots[slot] = static_cast<uint32_t>(r->sample.size());
        r->sample.push_back(static_cast<uint32_t>(i));
      }
      row_id[i] = slots[slot];
    }
    slots = {};
    const size_t distinct = r->sample.size();
    r->key_end.resize(distinct);
    for (size_t d = 0; d < distinct; ++d) {
      AppendCollationKey(Text(r->sample[d]), r->keys);
      r->key_end[d] = static_cast<uint32_t>(r->keys.size());
    }
    SortDistinct(*r);
    std::vector<uint32_t> rank_of(distinct);
    for (size_t p = 0; p < distinct; ++p) rank_of[r->sorted[p]] = static_cast<uint32_t>(p + 1);
    r->row_rank.assign(n, 0);
    for (size_t i = 0; i < n; ++i) {
      if (!nulls[i]) r->row_rank[i] = rank_of[row_id[i]];
    }
    ranks = std::move(r);
  }

  // Orders the distinct texts by collation key, then by their bytes. A most
  // significant digit sort on 8-byte chunks of the keys: each level sorts
  // contiguous (chunk, id) pairs and only runs of equal chunks go deeper, so
  // long common prefixes cost a few passes rather than a byte comparison per
  // pair of the whole sort. Keys hold no zero byte, so zero padding orders a
  // key before its extensions.
  void SortDistinct(TextRanks& r) const {
    std::vector<std::pair<uint64_t, uint32_t>> work(r.sample.size());
    for (size_t d = 0; d < work.size(); ++d) work[d].second = static_cast<uint32_t>(d);
    SortLevel(r, work, 0, work.size(), 0);
    r.sorted.resize(work.size());
    for (size_t p = 0; p < work.size(); ++p) r.sorted[p] = work[p].second;
  }

  void SortLevel(const TextRanks& r, std::vector<std::pair<uint64_t, uint32_t>>& work, size_t begin,
                 size_t end, size_t depth) const {
    const size_t offset = depth * 8;
    for (size_t i = begin; i < end; ++i) {
      const std::string_view key = r.KeyOf(work[i].second);
      uint64_t chunk = 0;
      for (size_t b = 0; b < 8; ++b) {
        const size_t at = offset + b;
        chunk = (chunk << 8) | (at < key.size() ? static_cast<unsigned char>(key[at]) : 0u);
      }
      work[i].first = chunk;
    }
    std::sort(work.begin() + begin, work.begin() + end,
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t a = begin; a < end;) {
      size_t b = a + 1;
      while (b < end && work[b].first == work[a].first) ++b;
      if (b - a > 1) {
        bool longer = false;
        for (size_t i = a; i < b && !longer; ++i) longer = r.KeyOf(work[i].second).size() > offset + 8;
        if (longer) {
          SortLevel(r, work, a, b, depth + 1);
        } else {  // equal keys: the bytes decide
          std::sort(work.begin() + a, work.begin() + b, [&](const auto& x, const auto& y) {
            return Text(r.sample[x.second]) < Text(r.sample[y.second]);
          });
        }
      }
      a = b;
    }
  }
};

bool TryStrToInt64(const std::string& text, int64_t& value) {
  try {
    value = StrToInt64(text);
    return true;
  } catch (const EConvertError&) {
    return false;
  }
}

int Sign(long double a, long double b) { return a < b ? -1 : (b < a ? 1 : 0); }

int CompareRows(Column& col, uint32_t a, uint32_t b) {
  const bool na = col.nulls[a], nb = col.nulls[b];
  if (na || nb) return na == nb ? 0 : (na ? -1 : 1);
  switch (col.storage) {
    case Storage::kInt: {
      const int64_t x = col.ints[a], y = col.ints[b];
      return x < y ? -1 : (y < x ? 1 : 0);
    }
    case Storage::kReal: {
      const double x = col.reals[a], y = col.reals[b];
      return x < y ? -1 : (y < x ? 1 : 0);
    }
    case Storage::kText: {
      const uint32_t x = col.ranks->row_rank[a], y = col.ranks->row_rank[b];
      return x < y ? -1 : (y < x ? 1 : 0);
    }
  }
  return 0;
}

// A search key prepared for one column, so that comparing it with a row costs
// a number comparison.
struct PreparedKey {
  bool null = false;
  bool exact = false;     // integer columns: compare `whole` exactly
  __int128 whole = 0;     // in the column's units (currency: ten-thousandths)
  long double approx = 0; // integer columns, when the key is not whole
  double real = 0;        // real columns
  uint64_t rank2 = 0;     // text columns: twice the rank, odd between ranks
};

double KeyAsReal(const Column& col, const Variant& key) {
  if (auto* i = std::get_if<int64_t>(&key)) return static_cast<double>(*i);
  if (auto* d = std::get_if<double>(&key)) return *d;
  if (auto* t = std::get_if<DateTimeValue>(&key)) return t->value;
  if (auto* b = std::get_if<bool>(&key)) return *b ? 1 : 0;
  const std::string& s = std::get<std::string>(key);
  TDateTime date;
  if (IsDateType(col.type) && TryStrToDate(s, date)) return date;
  return StrToFloat(s);
}

PreparedKey PrepareKey(Column& col, const Variant& key) {
  PreparedKey k;
  if (VarIsNull(key)) {
    k.null = true;
    return k;
  }
  switch (col.storage) {
    case Storage::kInt: {
      const __int128 unit = col.type == TFieldType::ftCurrency ? 10000 : 1;
      if (auto* i = std::get_if<int64_t>(&key)) {
        k.exact = true;
        k.whole = static_cast<__int128>(*i) * unit;
      } else if (auto* b = std::get_if<bool>(&key)) {
        k.exact = true;
        k.whole = (*b ? 1 : 0) * unit;
      } else {
        int64_t parsed;
        const std::string* s = std::get_if<std::string>(&key);
        if (s && col.type != TFieldType::ftCurrency && col.type != TFieldType::ftBoolean &&
            TryStrToInt64(*s, parsed)) {
          k.exact = true;
          k.whole = parsed;
        } else if (s && col.type == TFieldType::ftBoolean) {
          k.exact = true;
          k.whole = StrToBool(*s) ? 1 : 0;
        } else {
          k.approx = static_cast<long double>(KeyAsReal(col, key)) * static_cast<long double>(unit);
        }
      }
      break;
    }
    case Storage::kReal:
      k.real = KeyAsReal(col, key);
      break;
    case Storage::kText: {
      const std::string text = VarToStr(key);
      const TextRanks& r = col.Ranks();
      std::string sort_key;
      AppendCollationKey(text, sort_key);
      size_t lo = 0, hi = r.sorted.size();
      while (lo < hi) {  // first distinct text not below the key
        const size_t mid = (lo + hi) / 2;
        const uint32_t id = r.sorted[mid];
        const int c = r.KeyOf(id).compare(sort_key);
        if (c < 0 || (c == 0 && col.Text(r.sample[id]) < text)) {
          lo = mid + 1;
        } else {
          hi = mid;
        }
      }
      const bool exact = lo < r.sorted.size() && col.Text(r.sample[r.sorted[lo]]) == text;
      k.rank2 = exact ? 2 * (lo + 1) : 2 * lo + 1;
      break;
    }
  }
  return k;
}

// Negative, zero or positive as the row's value lies below, at or above the key.
int CompareRowKey(const Column& col, uint32_t row, const PreparedKey& k) {
  if (col.nulls[row]) return k.null ? 0 : -1;
  if (k.null) return 1;
  switch (col.storage) {
    case Storage::kInt:
      if (k.exact) {
        const __int128 v = col.ints[row];
        return v < k.whole ? -1 : (k.whole < v ? 1 : 0);
      }
      return Sign(static_cast<long double>(col.ints[row]), k.approx);
    case Storage::kReal:
      return Sign(col.reals[row], k.real);
    case Storage::kText: {
      const uint64_t v = 2 * static_cast<uint64_t>(col.ranks->row_rank[row]);
      return v < k.rank2 ? -1 : (k.rank2 < v ? 1 : 0);
    }
  }
  return 0;
}

// Hash-table encoding of a value: numbers that are whole as 'I' and their
// integer, other numbers as 'R' and their bits, texts as 'S' and their bytes,
// so that 5 in a SMALLINT, a BIGINT, a NUMERIC or a DOUBLE column all match the
// key 5.
void EncodeNumber(std::string& out, long double value) {
  if (value == std::trunc(value) && std::fabs(value) < 9.2e18L) {
    const int64_t i = static_cast<int64_t>(value);
    out += 'I';
    out.append(reinterpret_cast<const char*>(&i), sizeof i);
    return;
  }
  const double d = static_cast<double>(value);
  out += 'R';
  out.append(reinterpret_cast<const char*>(&d), sizeof d);
}

void EncodeInt(std::string& out, int64_t i) {
  out += 'I';
  out.append(reinterpret_cast<const char*>(&i), sizeof i);
}

void EncodeText(std::string& out, std::string_view text) {
  out += 'S';
  const uint32_t n = static_cast<uint32_t>(text.size());
  out.append(reinterpret_cast<const char*>(&n), sizeof n);
  out.append(text);
}

void EncodeRowValue(std::string& out, const Column& col, uint32_t row) {
  if (col.nulls[row]) {
    out += 'N';
    return;
  }
  switch (col.storage) {
    case Storage::kInt:
      if (col.type == TFieldType::ftCurrency) {
        const int64_t s = col.ints[row];
        if (s % 10000 == 0) {
          EncodeInt(out, s / 10000);
        } else {
          EncodeNumber(out, static_cast<double>(s) / 10000.0);
        }
      } else {
        EncodeInt(out, col.ints[row]);
      }
      break;
    case Storage::kReal:
      EncodeNumber(out, col.reals[row]);
      break;
    case Storage::kText:
      EncodeText(out, col.texts[row]);
      break;
  }
}

void EncodeKeyValue(std::string& out, const Column& col, const Variant& key) {
  if (VarIsNull(key)) {
    out += 'N';
    return;
  }
  if (col.storage == Storage::kText) {
    EncodeText(out, VarToStr(key));
    return;
  }
  if (auto* i = std::get_if<int64_t>(&key)) {
    EncodeInt(out, *i);
  } else if (auto* b = std::get_if<bool>(&key)) {
    EncodeInt(out, *b ? 1 : 0);
  } else if (col.type == TFieldType::ftBoolean) {
    EncodeInt(out, StrToBool(std::get<std::string>(key)) ? 1 : 0);
  } else {
    EncodeNumber(out, KeyAsReal(col, key));
  }
}

// Rows grouped by their values in a list of fields, for Locate: an
// open-addressing hash table from the encoded values to a group, and the rows
// of each group side by side.
struct LocateTable {
  std::vector<int> columns;
  std::vector<uint64_t> slot_hash;
  std::vector<uint32_t> slot_group;     // kEmpty when the slot is free
  std::vector<uint32_t> representative; // a row of each group
  std::vector<uint32_t> offsets;        // group g holds rows[offsets[g], offsets[g+1])
  std::vector<uint32_t> rows;           // by group; within it by position once sorted
  std::vector<uint64_t> sorted_for;     // the index generation each group was sorted for

  static constexpr uint32_t kEmpty = static_cast<uint32_t>(-1);

  static uint64_t Hash(std::string_view bytes) {
    uint64_t h = 1469598103934665603ull;  // FNV-1a, 64 bits
    for (char c : bytes) {
      h ^= static_cast<unsigned char>(c);
      h *= 1099511628211ull;
    }
    return h ^ (h >> 29);
  }

  void EncodeRow(std::string& out, const std::vector<Column>& data, uint32_t row) const {
    out.clear();
    for (int c : columns) EncodeRowValue(out, data[c], row);
  }

  // The group of the encoded values, or kEmpty; `slot` receives where the
  // probe stopped.
  uint32_t Find(const std::vector<Column>& data, std::string_view encoded, uint64_t hash,
                size_t& slot, std::string& scratch) const {
    const size_t mask = slot_hash.size() - 1;
    for (slot = hash & mask;; slot = (slot + 1) & mask) {
      const uint32_t g = slot_group[slot];
      if (g == kEmpty) return kEmpty;
      if (slot_hash[slot] != hash) continue;
      EncodeRow(scratch, data, representative[g]);
      if (scratch == encoded) return g;
    }
  }

  void Build(const std::vector<Column>& data, size_t row_count) {
    size_t capacity = 16;
    while (capacity < row_count * 2) capacity *= 2;
    slot_hash.assign(capacity, 0);
    slot_group.assign(capacity, kEmpty);
    std::vector<uint32_t> group_of(row_count);
    std::vector<uint32_t> sizes;
    std::string encoded, scratch;
    for (uint32_t row = 0; row < row_count; ++row) {
      EncodeRow(encoded, data, row);
      const uint64_t hash = Hash(encoded);
      size_t slot;
      uint32_t g = Find(data, encoded, hash, slot, scratch);
      if (g == kEmpty) {
        g = static_cast<uint32_t>(representative.size());
        representative.push_back(row);
        sizes.push_back(0);
        slot_hash[slot] = hash;
        slot_group[slot] = g;
      }
      group_of[row] = g;
      ++sizes[g];
    }
    offsets.assign(sizes.size() + 1, 0);
    for (size_t g = 0; g < sizes.size(); ++g) offsets[g + 1] = offsets[g] + sizes[g];
    rows.resize(row_count);
    std::vector<uint32_t> fill(offsets.begin(), offsets.end() - 1);
    for (uint32_t row = 0; row < row_count; ++row) rows[fill[group_of[row]]++] = row;
    sorted_for.assign(sizes.size(), 0);
  }
};

}  // namespace

// Field names hashed and compared without regard to ASCII case, looked up
// by string_view without building an upper-case copy.
struct NameHash {
  using is_transparent = void;
  size_t operator()(std::string_view name) const {
    uint64_t h = 1469598103934665603ull;
    for (char c : name) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      h ^= static_cast<unsigned char>(c);
      h *= 1099511628211ull;
    }
    return static_cast<size_t>(h);
  }
};

struct NameEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
};

struct TClientDataSet::Impl {
  std::vector<std::unique_ptr<TField>> fields;
  std::vector<Column> columns;
  std::unordered_map<std::string, int, NameHash, NameEqual> by_name;
  size_t rows = 0;

  std::string index_names;
  std::vector<int> index_columns;
  std::vector<uint32_t> order;        // every row, in index order
  std::vector<uint32_t> position_of;  // inverse of `order`, built on demand
  bool order_valid = false;
  uint64_t generation = 1;            // changes whenever `order` is rebuilt

  size_t lo = 0, hi = 0;  // the visible part of `order`
  size_t cur = 0;
  bool bof = true, eof = true;

  std::unordered_map<std::string, std::unique_ptr<LocateTable>> locate_tables;
  // For each list of whole-number fields Locate was asked about: the order
  // generation it was checked for and whether the rows were ascending on it.
  std::unordered_map<std::string, std::pair<uint64_t, bool>> ascending_checks;

  int ColumnOf(std::string_view name) const {
    auto it = by_name.find(name);
    return it == by_name.end() ? -1 : it->second;
  }

  std::vector<int> ResolveFields(const std::vector<std::string>& names) const {
    std::vector<int> out;
    for (const std::string& name : names) {
      const int c = ColumnOf(name);
      if (c < 0) RaiseFieldNotFound(name);
      out.push_back(c);
    }
    return out;
  }

  void DataChanged(int column) {
    order_valid = false;
    locate_tables.clear();
    ascending_checks.clear();
    if (column >= 0) columns[column].ranks.reset();
  }

  void Ensure() {
    if (!order_valid) {
      BuildOrder();
      lo = 0;
      hi = rows;
      MoveFirst();
    }
  }

  // Sorts the rows by the index fields, stably: one stable pass per field
  // from the last to the first (each pass over contiguous (key, row) pairs),
  // so that rows equal in every field keep their query order.
  void BuildOrder() {
    order.resize(rows);
    std::iota(order.begin(), order.end(), 0u);
    position_of.clear();
    if (!index_columns.empty()) {
      std::vector<std::pair<uint64_t, uint32_t>> pass(rows);
      for (auto it = index_columns.rbegin(); it != index_columns.rend(); ++it) {
        Column& col = columns[*it];
        if (col.storage == Storage::kText) col.Ranks();
        for (size_t p = 0; p < rows; ++p) pass[p] = {OrderKey(col, order[p]), order[p]};
        std::stable_sort(pass.begin(), pass.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        if (std::find(col.nulls.begin(), col.nulls.end(), 1) != col.nulls.end()) {
          std::stable_partition(pass.begin(), pass.end(),
                                [&](const auto& e) { return col.nulls[e.second] != 0; });
        }
        for (size_t p = 0; p < rows; ++p) order[p] = pass[p].second;
      }
    }
    order_valid = true;
    ++generation;
  }

  // An unsigned key ordering the column's non-null values as CompareRows does
  // (nulls get 0 and are moved to the front separately).
  static uint64_t OrderKey(const Column& col, uint32_t row) {
    if (col.nulls[row]) return 0;
    switch (col.storage) {
      case Storage::kInt:
        return static_cast<uint64_t>(col.ints[row]) ^ (uint64_t{1} << 63);
      case Storage::kReal: {
        double v = col.reals[row];
        if (v == 0) v = 0;  // -0 sorts with 0
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return (bits >> 63) ? ~bits : bits | (uint64_t{1} << 63);
      }
      case Storage::kText:
        return col.ranks->row_rank[row];
    }
    return 0;
  }

  void MoveFirst() {
    cur = lo;
    bof = true;
    eof = lo >= hi;
  }

  size_t CurrentRow() {
    Ensure();
    return lo < hi ? order[cur] : kNoRow;
  }

  Column& ColumnAt(int index) {
    if (index < 0 || index >= static_cast<int>(columns.size())) {
      throw EDatabaseError("Índice de campo inválido: " + std::to_string(index));
    }
    return columns[index];
  }

  // The last appended row of a column, for the Set* calls.
  Column& Target(int column) {
    Column& col = ColumnAt(column);
    if (rows == 0) throw EDatabaseError("Nenhuma linha para preencher");
    DataChanged(column);
    col.nulls[rows - 1] = 0;
    return col;
  }

  std::vector<PreparedKey> PrepareIndexKeys(const VariantArray& keys) {
    std::vector<PreparedKey> out;
    for (size_t i = 0; i < keys.size(); ++i) out.push_back(PrepareKey(columns[index_columns[i]], keys[i]));
    return out;
  }

  // Compares a row with keys prepared for the leading `keys.size()` columns.
  int CompareOn(const std::vector<int>& cols, uint32_t row, const std::vector<PreparedKey>& keys) const {
    for (size_t i = 0; i < keys.size(); ++i) {
      const int c = CompareRowKey(columns[cols[i]], row, keys[i]);
      if (c != 0) return c;
    }
    return 0;
  }

  int ComparePrefix(uint32_t row, const std::vector<PreparedKey>& keys) const {
    return CompareOn(index_columns, row, keys);
  }

  // First position in [from, to) whose row is not below the keys.
  size_t LowerBound(size_t from, size_t to, const std::vector<PreparedKey>& keys) const {
    return std::partition_point(order.begin() + from, order.begin() + to,
                                [&](uint32_t row) { return ComparePrefix(row, keys) < 0; }) -
           order.begin();
  }

  // First position in [from, to) whose row is above the keys.
  size_t UpperBound(size_t from, size_t to, const std::vector<PreparedKey>& keys) const {
    return std::partition_point(order.begin() + from, order.begin() + to,
                                [&](uint32_t row) { return ComparePrefix(row, keys) <= 0; }) -
           order.begin();
  }

  void CheckIndexKeys(const VariantArray& keys, const char* operation) const {
    if (index_columns.empty()) {
      throw EDatabaseError(std::string(operation) + ": o conjunto de dados não tem índice");
    }
    if (keys.size() > index_columns.size()) {
      throw EDatabaseError(std::string(operation) + ": mais valores que campos no índice");
    }
  }

  // The column of a field at the cursor's row; null when the value is null
  // or there is no row.
  const Column* Read(int index, size_t& row) {
    row = CurrentRow();
    const Column& col = columns[index];
    if (row == kNoRow || col.nulls[row]) return nullptr;
    return &col;
  }

  static std::string ListName(const std::vector<int>& cols) {
    std::string name;
    for (int c : cols) name += std::to_string(c) + ";";
    return name;
  }

  // Whether the rows, in the current order, are ascending on the columns
  // (checked once per order). Only plain whole-number columns qualify: for
  // them comparing and matching values agree exactly.
  bool AscendingOn(const std::vector<int>& cols) {
    for (int c : cols) {
      if (columns[c].storage != Storage::kInt || columns[c].type == TFieldType::ftCurrency) return false;
    }
    auto& check = ascending_checks[ListName(cols)];
    if (check.first != generation) {
      bool ascending = true;
      for (size_t p = 1; p < rows && ascending; ++p) {
        for (int c : cols) {
          const int cmp = CompareRows(columns[c], order[p - 1], order[p]);
          if (cmp < 0) break;
          if (cmp > 0) ascending = false;
          if (cmp != 0) break;
        }
      }
      check = {generation, ascending};
    }
    return check.second;
  }

  // Locate by binary search on rows already ascending on the fields: the
  // first visible row equal to the keys, or false.
  bool LocateAscending(const std::vector<int>& cols, const VariantArray& keys) {
    std::vector<PreparedKey> prepared;
    for (size_t i = 0; i < cols.size(); ++i) prepared.push_back(PrepareKey(columns[cols[i]], keys[i]));
    auto compare = [&](uint32_t row) { return CompareOn(cols, row, prepared); };
    const size_t p = std::partition_point(order.begin() + lo, order.begin() + hi,
                                          [&](uint32_t row) { return compare(row) < 0; }) -
                     order.begin();
    if (p >= hi || compare(order[p]) != 0) return false;
    cur = p;
    bof = eof = false;
    return true;
  }

  LocateTable& LocateTableFor(const std::vector<int>& cols) {
    auto& slot = locate_tables[ListName(cols)];
    if (!slot) {
      slot = std::make_unique<LocateTable>();
      slot->columns = cols;
      slot->Build(columns, rows);
    }
    return *slot;
  }
};

// ---- TField ----

bool TField::IsNull() const {
  size_t row;
  return owner_->impl_->Read(index_, row) == nullptr;
}

int64_t TField::AsLargeInt() const {
  size_t row;
  const Column* col = owner_->impl_->Read(index_, row);
  if (!col) return 0;
  switch (col->storage) {
    case Storage::kInt:
      if (col->type == TFieldType::ftCurrency) return std::llround(col->ints[row] / 10000.0);
      return col->ints[row];
    case Storage::kReal:
      if (IsDateType(col->type)) return static_cast<int64_t>(std::trunc(col->reals[row]));
      return std::llround(col->reals[row]);
    case Storage::kText:
      return StrToInt64(col->texts[row]);
  }
  return 0;
}

int TField::AsInteger() const { return static_cast<int>(AsLargeInt()); }

double TField::AsFloat() const {
  size_t row;
  const Column* col = owner_->impl_->Read(index_, row);
  if (!col) return 0;
  switch (col->storage) {
    case Storage::kInt:
      if (col->type == TFieldType::ftCurrency) return col->ints[row] / 10000.0;
      return static_cast<double>(col->ints[row]);
    case Storage::kReal:
      return col->reals[row];
    case Storage::kText:
      return StrToFloat(col->texts[row]);
  }
  return 0;
}

Currency TField::AsCurrency() const {
  size_t row;
  const Column* col = owner_->impl_->Read(index_, row);
  if (!col) return Currency{};
  if (col->type == TFieldType::ftCurrency) return Currency{col->ints[row]};
  if (col->storage == Storage::kInt) return Currency{col->ints[row] * 10000};
  return Currency::FromDouble(AsFloat());
}

TDateTime TField::AsDateTime() const {
  size_t row;
  const Column* col = owner_->impl_->Read(index_, row);
  if (!col) return 0;
  if (col->storage == Storage::kText) return StrToDate(col->texts[row]);
  return AsFloat();
}

std::string TField::AsString() const {
  size_t row;
  const Column* col = owner_->impl_->Read(index_, row);
  if (!col) return "";
  switch (col->type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftLargeint:
      return IntToStr(col->ints[row]);
    case TFieldType::ftBoolean:
      return col->ints[row] ? "True" : "False";
    case TFieldType::ftCurrency:
      return CurrencyToStr(Currency{col->ints[row]});
    case TFieldType::ftFloat:
      return FloatToStr(col->reals[row]);
    case TFieldType::ftDate:
      return DateToStr(col->reals[row]);
    case TFieldType::ftTime:
      return FormatDateTime("hh:nn:ss", col->reals[row]);
    case TFieldType::ftDateTime:
      return DateTimeToStr(col->reals[row]);
    case TFieldType::ftString:
    case TFieldType::ftMemo:
    case TFieldType::ftBlob:
      return col->texts[row];
  }
  return "";
}

bool TField::AsBoolean() const {
  size_t row;
  const Column* col = owner_->impl_->Read(index_, row);
  if (!col) return false;
  switch (col->storage) {
    case Storage::kInt: return col->ints[row] != 0;
    case Storage::kReal: return col->reals[row] != 0;
    case Storage::kText: return StrToBool(col->texts[row]);
  }
  return false;
}

Variant TField::AsVariant() const {
  size_t row;
  const Column* col = owner_->impl_->Read(index_, row);
  if (!col) return Null{};
  switch (col->type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftLargeint:
      return col->ints[row];
    case TFieldType::ftBoolean:
      return col->ints[row] != 0;
    case TFieldType::ftCurrency:
      return col->ints[row] / 10000.0;
    case TFieldType::ftFloat:
      return col->reals[row];
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime:
      return DateTimeValue{col->reals[row]};
    case TFieldType::ftString:
    case TFieldType::ftMemo:
    case TFieldType::ftBlob:
      return col->texts[row];
  }
  return Null{};
}

// ---- TClientDataSet: building ----

TClientDataSet::TClientDataSet() : impl_(std::make_unique<Impl>()) {}
TClientDataSet::~TClientDataSet() = default;

TField& TClientDataSet::AddField(const std::string& name, TFieldType type) {
  const int index = static_cast<int>(impl_->columns.size());
  impl_->columns.emplace_back(type);
  impl_->columns.back().Grow(impl_->rows);
  impl_->fields.emplace_back(new TField(this, index, name, type));
  impl_->by_name.try_emplace(name, index);
  impl_->DataChanged(-1);
  return *impl_->fields.back();
}

void TClientDataSet::Reserve(size_t rows) {
  for (Column& col : impl_->columns) {
    col.nulls.reserve(rows);
    switch (col.storage) {
      case Storage::kInt: col.ints.reserve(rows); break;
      case Storage::kReal: col.reals.reserve(rows); break;
      case Storage::kText: col.texts.reserve(rows); break;
    }
  }
}

void TClientDataSet::AppendRow() {
  if (impl_->rows >= std::numeric_limits<uint32_t>::max()) {
    throw EDatabaseError("Conjunto de dados cheio");
  }
  ++impl_->rows;
  for (Column& col : impl_->columns) {
    col.Grow(impl_->rows);
    col.ranks.reset();
  }
  impl_->DataChanged(-1);
}

void TClientDataSet::SetNull(int column) {
  Column& col = impl_->Target(column);
  col.nulls[impl_->rows - 1] = 1;
  const size_t row = impl_->rows - 1;
  switch (col.storage) {
    case Storage::kInt: col.ints[row] = 0; break;
    case Storage::kReal: col.reals[row] = 0; break;
    case Storage::kText: col.texts[row].clear(); break;
  }
}

void TClientDataSet::SetInteger(int column, int64_t value) {
  Column& col = impl_->Target(column);
  const size_t row = impl_->rows - 1;
  switch (col.storage) {
    case Storage::kInt:
      if (col.type == TFieldType::ftCurrency) value *= 10000;
      if (col.type == TFieldType::ftBoolean) value = value != 0;
      col.ints[row] = value;
      break;
    case Storage::kReal: col.reals[row] = static_cast<double>(value); break;
    case Storage::kText: col.texts[row] = IntToStr(value); break;
  }
}

void TClientDataSet::SetFloat(int column, double value) {
  Column& col = impl_->Target(column);
  const size_t row = impl_->rows - 1;
  switch (col.storage) {
    case Storage::kInt:
      if (col.type == TFieldType::ftCurrency) {
        col.ints[row] = Currency::FromDouble(value).scaled;
      } else if (col.type == TFieldType::ftBoolean) {
        col.ints[row] = value != 0;
      } else {
        col.ints[row] = std::llround(value);
      }
      break;
    case Storage::kReal: col.reals[row] = value; break;
    case Storage::kText: col.texts[row] = FloatToStr(value); break;
  }
}

void TClientDataSet::SetCurrency(int column, Currency value) {
  Column& col = impl_->Target(column);
  const size_t row = impl_->rows - 1;
  switch (col.storage) {
    case Storage::kInt:
      if (col.type == TFieldType::ftCurrency) {
        col.ints[row] = value.scaled;
      } else if (col.type == TFieldType::ftBoolean) {
        col.ints[row] = value.scaled != 0;
      } else {
        col.ints[row] = std::llround(value.ToDouble());
      }
      break;
    case Storage::kReal: col.reals[row] = value.ToDouble(); break;
    case Storage::kText: col.texts[row] = CurrencyToStr(value); break;
  }
}

void TClientDataSet::SetDateTime(int column, TDateTime value) {
  Column& col = impl_->Target(column);
  const size_t row = impl_->rows - 1;
  switch (col.storage) {
    case Storage::kInt:
      SetFloat(column, value);
      break;
    case Storage::kReal: col.reals[row] = value; break;
    case Storage::kText: col.texts[row] = DateTimeToStr(value); break;
  }
}

void TClientDataSet::SetString(int column, std::string value) {
  Column& col = impl_->Target(column);
  const size_t row = impl_->rows - 1;
  switch (col.storage) {
    case Storage::kInt:
      if (col.type == TFieldType::ftCurrency) {
        col.ints[row] = Currency::FromDouble(StrToFloat(value)).scaled;
      } else if (col.type == TFieldType::ftBoolean) {
        col.ints[row] = StrToBool(value);
      } else {
        col.ints[row] = StrToInt64(value);
      }
      break;
    case Storage::kReal: {
      TDateTime date;
      col.reals[row] = IsDateType(col.type) && TryStrToDate(value, date) ? date : StrToFloat(value);
      break;
    }
    case Storage::kText: col.texts[row] = std::move(value); break;
  }
}

void TClientDataSet::SetBoolean(int column, bool value) {
  Column& col = impl_->Target(column);
  const size_t row = impl_->rows - 1;
  switch (col.storage) {
    case Storage::kInt:
      col.ints[row] = col.type == TFieldType::ftCurrency ? (value ? 10000 : 0) : (value ? 1 : 0);
      break;
    case Storage::kReal: col.reals[row] = value ? 1 : 0; break;
    case Storage::kText: col.texts[row] = value ? "True" : "False"; break;
  }
}

void TClientDataSet::SetBytes(int column, std::string bytes) { SetString(column, std::move(bytes)); }

// ---- Fields ----

int TClientDataSet::FieldCount() const { return static_cast<int>(impl_->fields.size()); }

TField& TClientDataSet::Fields(int index) {
  if (index < 0 || index >= FieldCount()) {
    throw EDatabaseError("Índice de campo inválido: " + std::to_string(index));
  }
  return *impl_->fields[index];
}

TField& TClientDataSet::FieldByName(std::string_view name) {
  TField* field = FindField(name);
  if (!field) RaiseFieldNotFound(name);
  return *field;
}

TField* TClientDataSet::FindField(std::string_view name) {
  const int c = impl_->ColumnOf(name);
  return c < 0 ? nullptr : impl_->fields[c].get();
}

// ---- Cursor ----

void TClientDataSet::First() {
  impl_->Ensure();
  impl_->MoveFirst();
}

void TClientDataSet::Last() {
  Impl& m = *impl_;
  m.Ensure();
  m.cur = m.hi > m.lo ? m.hi - 1 : m.lo;
  m.eof = true;
  m.bof = m.hi <= m.lo;
}

void TClientDataSet::Next() {
  Impl& m = *impl_;
  m.Ensure();
  if (m.cur + 1 < m.hi) {
    ++m.cur;
    m.bof = false;
  } else {
    m.eof = true;
  }
}

void TClientDataSet::Prior() {
  Impl& m = *impl_;
  m.Ensure();
  if (m.cur > m.lo && m.lo < m.hi) {
    --m.cur;
    m.eof = false;
  } else {
    m.bof = true;
  }
}

bool TClientDataSet::Eof() const {
  impl_->Ensure();
  return impl_->eof;
}

bool TClientDataSet::Bof() const {
  impl_->Ensure();
  return impl_->bof;
}

int TClientDataSet::RecNo() const {
  impl_->Ensure();
  return impl_->lo < impl_->hi ? static_cast<int>(impl_->cur - impl_->lo + 1) : 0;
}

int TClientDataSet::RecordCount() const {
  impl_->Ensure();
  return static_cast<int>(impl_->hi - impl_->lo);
}

bool TClientDataSet::IsEmpty() const { return RecordCount() == 0; }

size_t TClientDataSet::CurrentRowIndex() const { return impl_->CurrentRow(); }

// ---- Index, ranges and searches ----

void TClientDataSet::SetIndexFieldNames(const std::string& names) {
  Impl& m = *impl_;
  std::vector<int> columns = m.ResolveFields(ParseFieldList(names));
  m.index_names = names;
  if (columns != m.index_columns || !m.order_valid) {
    m.index_columns = std::move(columns);
    m.order_valid = false;
  }
  m.Ensure();
  m.lo = 0;
  m.hi = m.rows;
  m.MoveFirst();
}

const std::string& TClientDataSet::IndexFieldNames() const { return impl_->index_names; }

void TClientDataSet::SetRange(const VariantArray& start, const VariantArray& end) {
  Impl& m = *impl_;
  m.Ensure();
  m.CheckIndexKeys(start, "SetRange");
  m.CheckIndexKeys(end, "SetRange");
  const std::vector<PreparedKey> low = m.PrepareIndexKeys(start);
  const std::vector<PreparedKey> high = m.PrepareIndexKeys(end);
  const size_t from = m.LowerBound(0, m.rows, low);
  const size_t to = m.UpperBound(from, m.rows, high);
  m.lo = from;
  m.hi = std::max(from, to);
  m.MoveFirst();
}

void TClientDataSet::CancelRange() {
  Impl& m = *impl_;
  m.Ensure();
  const bool had_row = m.lo < m.hi;
  m.lo = 0;
  m.hi = m.rows;
  if (had_row) {
    // The cursor stays on its row, now among all rows.
    m.bof = m.eof = false;
  } else {
    m.MoveFirst();
  }
}

bool TClientDataSet::FindKey(const VariantArray& keys) {
  Impl& m = *impl_;
  m.Ensure();
  m.CheckIndexKeys(keys, "FindKey");
  const std::vector<PreparedKey> prepared = m.PrepareIndexKeys(keys);
  const size_t p = m.LowerBound(m.lo, m.hi, prepared);
  if (p >= m.hi || m.ComparePrefix(m.order[p], prepared) != 0) return false;
  m.cur = p;
  m.bof = m.eof = false;
  return true;
}

bool TClientDataSet::Locate(const std::string& fields, const VariantArray& values) {
  Impl& m = *impl_;
  m.Ensure();
  const std::vector<int> cols = m.ResolveFields(ParseFieldList(fields));
  if (cols.empty()) throw EDatabaseError("Locate: nenhum campo informado");
  VariantArray keys = values;
  if (keys.empty() && cols.size() == 1) keys.resize(1);  // a single Null
  if (keys.size() != cols.size()) {
    throw EDatabaseError("Locate: o número de valores difere do número de campos");
  }
  const bool whole_keys = std::all_of(keys.begin(), keys.end(), [](const Variant& v) {
    return VarIsNull(v) || std::holds_alternative<int64_t>(v);
  });
  if (whole_keys && m.AscendingOn(cols)) return m.LocateAscending(cols, keys);

  std::string key;
  for (size_t i = 0; i < cols.size(); ++i) EncodeKeyValue(key, m.columns[cols[i]], keys[i]);
  LocateTable& table = m.LocateTableFor(cols);
  size_t slot;
  std::string scratch;
  const uint32_t group = table.Find(m.columns, key, LocateTable::Hash(key), slot, scratch);
  if (group == LocateTable::kEmpty) return false;

  // Positions in the current order: the group's rows are kept sorted by them.
  if (m.position_of.size() != m.rows) {
    m.position_of.assign(m.rows, 0);
    for (size_t p = 0; p < m.rows; ++p) m.position_of[m.order[p]] = static_cast<uint32_t>(p);
  }
  auto begin = table.rows.begin() + table.offsets[group];
  auto end = table.rows.begin() + table.offsets[group + 1];
  if (table.sorted_for[group] != m.generation) {
    std::sort(begin, end, [&](uint32_t a, uint32_t b) { return m.position_of[a] < m.position_of[b]; });
    table.sorted_for[group] = m.generation;
  }
  auto first = std::partition_point(begin, end, [&](uint32_t row) { return m.position_of[row] < m.lo; });
  if (first == end || m.position_of[*first] >= m.hi) return false;
  m.cur = m.position_of[*first];
  m.bof = m.eof = false;
  return true;
}

}  // namespace vcl
