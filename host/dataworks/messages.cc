#include "host/dataworks/messages.h"

#include <cmath>
#include <cstring>

#include "host/vcl/currency.h"
#include "host/vcl/exceptions.h"
#include "host/vcl/strings.h"

namespace dataworks::fb {

namespace {

constexpr unsigned kCharsetNone = 0;
constexpr unsigned kCharsetUtf8 = 4;
constexpr unsigned kMaxVarcharBytes = 32765;
constexpr unsigned kBlobText = 100;  // a text written into a blob parameter
constexpr unsigned kDayUnits = 864000000;

enum VariantKind : unsigned { kNull = 0, kInt64, kDouble, kDateTime, kString, kBool };
static_assert(std::is_same_v<std::variant_alternative_t<kInt64, vcl::Variant>, int64_t>);
static_assert(std::is_same_v<std::variant_alternative_t<kDateTime, vcl::Variant>, vcl::DateTimeValue>);
static_assert(std::is_same_v<std::variant_alternative_t<kString, vcl::Variant>, std::string>);
static_assert(std::is_same_v<std::variant_alternative_t<kBool, vcl::Variant>, bool>);

bool IsTextType(unsigned type) { return type == SQL_TEXT || type == SQL_VARYING; }

ISC_TIMESTAMP ToEngineTimestamp(vcl::TDateTime value) {
  // The integral part counts days, the fraction (taken positive, as the
  // platform does for dates before 1899-12-30) is the time of day.
  double day = std::trunc(value);
  int64_t units = std::llround(std::fabs(value - day) * kTimeUnitsPerDay);
  if (units >= kDayUnits) {
    units -= kDayUnits;
    day += 1;
  }
  ISC_TIMESTAMP stamp;
  stamp.timestamp_date = static_cast<ISC_DATE>(static_cast<int64_t>(day) + kEngineDayOfZeroDateTime);
  stamp.timestamp_time = static_cast<ISC_TIME>(units);
  return stamp;
}

vcl::TDateTime FromEngine(ISC_DATE date, ISC_TIME time) {
  double day = static_cast<double>(date) - kEngineDayOfZeroDateTime;
  double fraction = static_cast<double>(time) / kTimeUnitsPerDay;
  return day >= 0 ? day + fraction : day - fraction;
}

template <class T>
T Load(const unsigned char* p) {
  T value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

template <class T>
void StoreAt(unsigned char* p, T value) {
  std::memcpy(p, &value, sizeof value);
}

int64_t Pow10(int exponent) {
  int64_t result = 1;
  while (exponent-- > 0) result *= 10;
  return result;
}

// A NUMERIC/DECIMAL value (`raw` times 10^scale) as a four-decimal amount,
// rounding half away from zero when the column has more decimals.
bool ScaledToCurrency(int64_t raw, int scale, vcl::Currency& out) {
  const int shift = 4 + scale;
  if (shift >= 0) {
    __int128 wide = static_cast<__int128>(raw) * Pow10(shift);
    if (wide > INT64_MAX || wide < INT64_MIN) return false;
    out.scaled = static_cast<int64_t>(wide);
    return true;
  }
  if (-shift > 18) {
    out.scaled = 0;
    return true;
  }
  const int64_t divisor = Pow10(-shift);
  int64_t quotient = raw / divisor;
  int64_t remainder = raw % divisor;
  if (remainder * 2 >= divisor) ++quotient;
  else if (remainder * 2 <= -divisor) --quotient;
  out.scaled = quotient;
  return true;
}

}  // namespace

// ---- InputMessage ----

InputMessage::InputMessage(Firebird::IStatement* statement, std::vector<size_t> slots,
                           size_t distinct)
    : slots_(std::move(slots)), distinct_(distinct) {
  Status status;
  described_.reset(statement->getInputMetadata(&status));
  unsigned count = described_->getCount(&status);
  if (count != slots_.size()) {
    throw vcl::Exception("A instrução tem " + std::to_string(count) +
                         " parâmetro(s) para o banco de dados, mas " +
                         std::to_string(slots_.size()) + " no texto");
  }
  for (unsigned i = 0; i < count; ++i) {
    described_types_.push_back(described_->getType(&status, i) & ~1u);
    described_lengths_.push_back(described_->getLength(&status, i));
  }
}

InputMessage::Shape InputMessage::ShapeOf(unsigned param, const vcl::Variant& value) const {
  const unsigned kind = static_cast<unsigned>(value.index());
  if (kind != kString) return {kind, 0};
  const unsigned described_type = described_types_[param];
  if (described_type == SQL_BLOB) return {kBlobText, 0};
  const size_t size = std::get<std::string>(value).size();
  if (size > kMaxVarcharBytes) {
    throw vcl::Exception("Texto longo demais para um parâmetro (" + std::to_string(size) +
                         " bytes)");
  }
  unsigned length = IsTextType(described_type) ? described_lengths_[param] : 0;
  if (length < size) {
    // Round up so that texts of similar sizes share one layout.
    length = 64;
    while (length < size) length *= 2;
    if (length > kMaxVarcharBytes) length = kMaxVarcharBytes;
  }
  return {kind, length};
}

void InputMessage::BuildLayout() {
  Status status;
  Ref<Firebird::IMetadataBuilder> builder(described_->getBuilder(&status));
  for (unsigned i = 0; i < shapes_.size(); ++i) {
    const Shape shape = shapes_[i];
    auto set = [&](unsigned type, unsigned length) {
      builder->setType(&status, i, type);
      builder->setSubType(&status, i, 0);
      builder->setLength(&status, i, length);
      builder->setScale(&status, i, 0);
    };
    switch (shape.kind) {
      case kInt64: set(SQL_INT64, sizeof(ISC_INT64)); break;
      case kDouble: set(SQL_DOUBLE, sizeof(double)); break;
      case kDateTime: set(SQL_TIMESTAMP, sizeof(ISC_TIMESTAMP)); break;
      case kBool: set(SQL_BOOLEAN, sizeof(FB_BOOLEAN)); break;
      case kString:
        set(SQL_VARYING, shape.length);
        builder->setCharSet(&status, i, kCharsetUtf8);
        break;
      default: break;  // null and blob texts keep the parameter's own type
    }
  }
  layout_.reset(builder->getMetadata(&status));
  buffer_.assign(layout_->getMessageLength(&status), 0);
  offsets_.clear();
  null_offsets_.clear();
  for (unsigned i = 0; i < shapes_.size(); ++i) {
    offsets_.push_back(layout_->getOffset(&status, i));
    null_offsets_.push_back(layout_->getNullOffset(&status, i));
  }
}

void InputMessage::Bind(Attachment& attachment, Transaction& transaction,
                        const vcl::VariantArray& values) {
  if (!values.empty() && values.size() != distinct_) {
    throw vcl::Exception("A consulta tem " + std::to_string(distinct_) +
                         " parâmetro(s), mas recebeu " + std::to_string(values.size()) +
                         " valor(es)");
  }
  static const vcl::Variant kNullValue;
  std::vector<Shape> shapes(slots_.size());
  for (unsigned i = 0; i < slots_.size(); ++i) {
    shapes[i] = ShapeOf(i, values.empty() ? kNullValue : values[slots_[i]]);
  }
  if (!built_ || shapes != shapes_) {
    shapes_ = std::move(shapes);
    BuildLayout();
    built_ = true;
  }
  for (unsigned i = 0; i < slots_.size(); ++i) {
    Store(i, values.empty() ? kNullValue : values[slots_[i]], attachment, transaction);
  }
}

void InputMessage::Store(unsigned param, const vcl::Variant& value, Attachment& attachment,
                         Transaction& transaction) {
  unsigned char* data = buffer_.data() + offsets_[param];
  unsigned char* null_flag = buffer_.data() + null_offsets_[param];
  StoreAt<ISC_SHORT>(null_flag, 0);
  switch (shapes_[param].kind) {
    case kNull:
      StoreAt<ISC_SHORT>(null_flag, -1);
      break;
    case kInt64:
      StoreAt<ISC_INT64>(data, std::get<int64_t>(value));
      break;
    case kDouble:
      StoreAt<double>(data, std::get<double>(value));
      break;
    case kDateTime:
      StoreAt<ISC_TIMESTAMP>(data, ToEngineTimestamp(std::get<vcl::DateTimeValue>(value).value));
      break;
    case kBool:
      StoreAt<FB_BOOLEAN>(data, std::get<bool>(value) ? FB_TRUE : FB_FALSE);
      break;
    case kString: {
      const std::string& text = std::get<std::string>(value);
      StoreAt<ISC_USHORT>(data, static_cast<ISC_USHORT>(text.size()));
      std::memcpy(data + sizeof(ISC_USHORT), text.data(), text.size());
      break;
    }
    case kBlobText: {
      const std::string& text = std::get<std::string>(value);
      Status status;
      ISC_QUAD id;
      Firebird::IBlob* blob = attachment->createBlob(&status, transaction.get(), &id, 0, nullptr);
      try {
        constexpr size_t kSegment = 32768;
        for (size_t at = 0; at < text.size(); at += kSegment) {
          size_t piece = std::min(kSegment, text.size() - at);
          blob->putSegment(&status, static_cast<unsigned>(piece), text.data() + at);
        }
        blob->close(&status);
      } catch (...) {
        blob->release();
        throw;
      }
      StoreAt<ISC_QUAD>(data, id);
      break;
    }
  }
}

// ---- ResultReader ----

ResultReader::ResultReader(Firebird::IMessageMetadata* output, vcl::TClientDataSet& data_set)
    : output_(output), data_set_(data_set) {
  output_->addRef();
  Status status;
  const unsigned count = output_->getCount(&status);
  buffer_.assign(output_->getMessageLength(&status), 0);
  columns_.reserve(count);
  for (unsigned i = 0; i < count; ++i) {
    Column c;
    c.engine_type = output_->getType(&status, i) & ~1u;
    c.offset = output_->getOffset(&status, i);
    c.null_offset = output_->getNullOffset(&status, i);
    c.length = output_->getLength(&status, i);
    c.scale = output_->getScale(&status, i);
    const unsigned charset = output_->getCharSet(&status, i) & 0xFF;
    c.utf8 = charset == kCharsetUtf8;
    const int sub_type = output_->getSubType(&status, i);
    c.name = output_->getAlias(&status, i);
    if (c.name.empty()) c.name = output_->getField(&status, i);
    if (c.name.empty()) c.name = "F" + std::to_string(i + 1);

    vcl::TFieldType type;
    switch (c.engine_type) {
      case SQL_SHORT:
        c.kind = c.scale < 0 ? Kind::kScaled : Kind::kSmallint;
        type = c.scale < 0 ? vcl::TFieldType::ftCurrency : vcl::TFieldType::ftSmallint;
        break;
      case SQL_LONG:
        c.kind = c.scale < 0 ? Kind::kScaled : Kind::kInteger;
        type = c.scale < 0 ? vcl::TFieldType::ftCurrency : vcl::TFieldType::ftInteger;
        break;
      case SQL_INT64:
        c.kind = c.scale < 0 ? Kind::kScaled : Kind::kBigint;
        type = c.scale < 0 ? vcl::TFieldType::ftCurrency : vcl::TFieldType::ftLargeint;
        break;
      case SQL_FLOAT: c.kind = Kind::kFloat; type = vcl::TFieldType::ftFloat; break;
      case SQL_DOUBLE:
      case SQL_D_FLOAT: c.kind = Kind::kDouble; type = vcl::TFieldType::ftFloat; break;
      case SQL_TEXT: c.kind = Kind::kChar; type = vcl::TFieldType::ftString; break;
      case SQL_VARYING: c.kind = Kind::kVarchar; type = vcl::TFieldType::ftString; break;
      case SQL_TYPE_DATE: c.kind = Kind::kDate; type = vcl::TFieldType::ftDate; break;
      case SQL_TYPE_TIME: c.kind = Kind::kTime; type = vcl::TFieldType::ftTime; break;
      case SQL_TIMESTAMP: c.kind = Kind::kTimestamp; type = vcl::TFieldType::ftDateTime; break;
      case SQL_BOOLEAN: c.kind = Kind::kBoolean; type = vcl::TFieldType::ftBoolean; break;
      case SQL_BLOB:
        if (sub_type == isc_blob_text) {
          c.kind = Kind::kTextBlob;
          type = vcl::TFieldType::ftMemo;
        } else {
          c.kind = Kind::kBinaryBlob;
          type = vcl::TFieldType::ftBlob;
        }
        break;
      case SQL_NULL: c.kind = Kind::kAlwaysNull; type = vcl::TFieldType::ftString; break;
      default:
        throw vcl::Exception("Tipo de coluna não suportado (" + std::to_string(c.engine_type) +
                             ") na coluna '" + c.name + "'");
    }
    // Two columns of one name (a join selecting both keys) get distinct
    // names, the later ones suffixed _1, _2 ...
    std::string unique = c.name;
    for (int n = 1; data_set_.FindField(unique); ++n) unique = c.name + "_" + std::to_string(n);
    c.name = unique;
    data_set_.AddField(c.name, type);
    columns_.push_back(std::move(c));
  }
}

ResultReader::~ResultReader() { output_->release(); }

std::string ResultReader::ReadBlob(Attachment& attachment, Transaction& transaction,
                                   const ISC_QUAD& id) {
  Status status;
  ISC_QUAD blob_id = id;
  Firebird::IBlob* blob = attachment->openBlob(&status, transaction.get(), &blob_id, 0, nullptr);
  std::string bytes;
  try {
    if (blob_chunk_.empty()) blob_chunk_.resize(65535);
    for (;;) {
      unsigned got = 0;
      int result = blob->getSegment(&status, static_cast<unsigned>(blob_chunk_.size()),
                                    blob_chunk_.data(), &got);
      if (result != Firebird::IStatus::RESULT_OK && result != Firebird::IStatus::RESULT_SEGMENT) {
        break;
      }
      bytes.append(blob_chunk_.data(), got);
    }
    blob->close(&status);
  } catch (...) {
    blob->release();
    throw;
  }
  return bytes;
}

void ResultReader::AppendRow(Attachment& attachment, Transaction& transaction) {
  data_set_.AppendRow();
  const unsigned char* row = buffer_.data();
  for (int index = 0; index < static_cast<int>(columns_.size()); ++index) {
    const Column& c = columns_[index];
    if (Load<ISC_SHORT>(row + c.null_offset) != 0) continue;  // already null
    const unsigned char* p = row + c.offset;
    switch (c.kind) {
      case Kind::kSmallint: data_set_.SetInteger(index, Load<ISC_SHORT>(p)); break;
      case Kind::kInteger: data_set_.SetInteger(index, Load<ISC_LONG>(p)); break;
      case Kind::kBigint: data_set_.SetInteger(index, Load<ISC_INT64>(p)); break;
      case Kind::kScaled: {
        int64_t raw = c.engine_type == SQL_SHORT  ? Load<ISC_SHORT>(p)
                      : c.engine_type == SQL_LONG ? Load<ISC_LONG>(p)
                                                  : Load<ISC_INT64>(p);
        vcl::Currency amount;
        if (!ScaledToCurrency(raw, c.scale, amount)) {
          throw vcl::Exception("Valor fora do alcance de moeda na coluna '" + c.name + "'");
        }
        data_set_.SetCurrency(index, amount);
        break;
      }
      case Kind::kFloat: data_set_.SetFloat(index, Load<float>(p)); break;
      case Kind::kDouble: data_set_.SetFloat(index, Load<double>(p)); break;
      case Kind::kChar:
      case Kind::kVarchar: {
        const char* text = reinterpret_cast<const char*>(p);
        size_t size = c.length;
        if (c.kind == Kind::kVarchar) {
          size = Load<ISC_USHORT>(p);
          text += sizeof(ISC_USHORT);
        } else {
          while (size > 0 && text[size - 1] == ' ') --size;
        }
        if (c.utf8) data_set_.SetString(index, std::string(text, size));
        else data_set_.SetString(index, vcl::ToValidUtf8(std::string_view(text, size)));
        break;
      }
      case Kind::kDate:
        data_set_.SetDateTime(index, FromEngine(Load<ISC_DATE>(p), 0));
        break;
      case Kind::kTime:
        data_set_.SetDateTime(index, static_cast<double>(Load<ISC_TIME>(p)) / kTimeUnitsPerDay);
        break;
      case Kind::kTimestamp: {
        auto stamp = Load<ISC_TIMESTAMP>(p);
        data_set_.SetDateTime(index, FromEngine(stamp.timestamp_date, stamp.timestamp_time));
        break;
      }
      case Kind::kBoolean: data_set_.SetBoolean(index, Load<FB_BOOLEAN>(p) != 0); break;
      case Kind::kTextBlob: {
        std::string text = ReadBlob(attachment, transaction, Load<ISC_QUAD>(p));
        if (c.utf8) data_set_.SetString(index, std::move(text));
        else data_set_.SetString(index, vcl::ToValidUtf8(text));
        break;
      }
      case Kind::kBinaryBlob:
        data_set_.SetBytes(index, ReadBlob(attachment, transaction, Load<ISC_QUAD>(p)));
        break;
      case Kind::kAlwaysNull: break;
    }
  }
}

}  // namespace dataworks::fb
