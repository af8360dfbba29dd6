// The messages exchanged with the engine, private to the data layer: the
// input message a statement's parameters are bound in, and the reader that
// turns output messages into dataset rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/dataworks/firebird.h"
#include "host/vcl/client_dataset.h"
#include "host/vcl/variant.h"

namespace dataworks::fb {

// The input of a prepared statement. Each value is sent in its own type
// (BIGINT, DOUBLE PRECISION, TIMESTAMP, VARCHAR in UTF8, BOOLEAN) and the
// engine converts it to the parameter's; a text bound to a blob parameter is
// written as a blob. The layout is rebuilt only when the kinds of the values
// change.
class InputMessage {
 public:
  // `slots[i]` is the index of the value taken by the i-th parameter.
  InputMessage(Firebird::IStatement* statement, std::vector<size_t> slots, size_t distinct);

  // Binds `values` (empty: every parameter null). Raises vcl::Exception when
  // the number of values is not the number of distinct parameters.
  void Bind(Attachment& attachment, Transaction& transaction, const vcl::VariantArray& values);

  Firebird::IMessageMetadata* Metadata() const { return layout_.get(); }
  unsigned char* Buffer() { return buffer_.data(); }

 private:
  struct Shape {
    unsigned kind;    // the variant's alternative, or kBlobText
    unsigned length;  // bytes reserved for a text
    bool operator==(const Shape&) const = default;
  };
  Shape ShapeOf(unsigned param, const vcl::Variant& value) const;
  void BuildLayout();
  void Store(unsigned param, const vcl::Variant& value, Attachment& attachment,
             Transaction& transaction);

  Ref<Firebird::IMessageMetadata> described_;
  std::vector<unsigned> described_types_;
  std::vector<unsigned> described_lengths_;
  std::vector<unsigned> offsets_;
  std::vector<unsigned> null_offsets_;
  std::vector<size_t> slots_;
  size_t distinct_;
  std::vector<Shape> shapes_;
  bool built_ = false;
  Ref<Firebird::IMessageMetadata> layout_;
  std::vector<unsigned char> buffer_;
};

// Turns the rows of a statement's output into rows of a dataset. Adds one
// field per column (named by its alias) on construction.
class ResultReader {
 public:
  ResultReader(Firebird::IMessageMetadata* output, vcl::TClientDataSet& data_set);
  ~ResultReader();

  Firebird::IMessageMetadata* Metadata() const { return output_; }
  unsigned char* Buffer() { return buffer_.data(); }
  bool HasColumns() const { return !columns_.empty(); }

  // Appends the row in the buffer to the dataset (blobs are read through
  // `transaction`).
  void AppendRow(Attachment& attachment, Transaction& transaction);

 private:
  enum class Kind : uint8_t {
    kSmallint, kInteger, kBigint, kScaled, kFloat, kDouble, kChar, kVarchar,
    kDate, kTime, kTimestamp, kBoolean, kTextBlob, kBinaryBlob, kAlwaysNull
  };
  struct Column {
    Kind kind;
    unsigned engine_type;
    unsigned offset;
    unsigned null_offset;
    unsigned length;
    int scale;
    bool utf8;  // texts in UTF8; others may need repairing
    std::string name;
  };
  std::string ReadBlob(Attachment& attachment, Transaction& transaction, const ISC_QUAD& id);

  Firebird::IMessageMetadata* output_;
  vcl::TClientDataSet& data_set_;
  std::vector<Column> columns_;
  std::vector<unsigned char> buffer_;
  std::vector<char> blob_chunk_;
};

}  // namespace dataworks::fb
