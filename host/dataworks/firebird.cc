#include "host/dataworks/firebird.h"

#include <vector>

#include "host/vcl/exceptions.h"

namespace dataworks::fb {

Firebird::IMaster* Master() {
  static Firebird::IMaster* master = Firebird::fb_get_master_interface();
  return master;
}

Firebird::IUtil* Util() {
  static Firebird::IUtil* util = Master()->getUtilInterface();
  return util;
}

std::string FormatStatus(Firebird::IStatus* status) {
  std::vector<char> buffer(4096);
  unsigned length = Util()->formatStatus(buffer.data(), static_cast<unsigned>(buffer.size()), status);
  if (length >= buffer.size()) length = static_cast<unsigned>(buffer.size()) - 1;
  std::string text(buffer.data(), length);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.pop_back();
  }
  return text;
}

void ThrowEngineError(const Firebird::FbException& error, const std::string& prefix) {
  throw vcl::Exception(prefix + FormatStatus(error.getStatus()));
}

Attachment::~Attachment() {
  if (!attachment_) return;
  QuietStatus status;
  attachment_->detach(&status);
  if (status.Failed()) attachment_->release();
}

namespace {

std::vector<unsigned char> TransactionParameters(Transaction::Mode mode) {
  if (mode == Transaction::Mode::kReadOnly) {
    // A snapshot that never writes and never waits for locks.
    return {isc_tpb_version3, isc_tpb_read, isc_tpb_concurrency, isc_tpb_nowait};
  }
  // Writers see what others committed and report a lock conflict at once
  // rather than waiting on it.
  return {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed, isc_tpb_rec_version,
          isc_tpb_nowait};
}

}  // namespace

Transaction::Transaction(std::shared_ptr<Attachment> attachment, Mode mode)
    : attachment_(std::move(attachment)) {
  std::vector<unsigned char> tpb = TransactionParameters(mode);
  Status status;
  transaction_ = (*attachment_)->startTransaction(&status, static_cast<unsigned>(tpb.size()), tpb.data());
}

Transaction::~Transaction() { Rollback(); }

void Transaction::Commit() {
  Status status;
  transaction_->commit(&status);
  transaction_ = nullptr;  // a committed transaction has released itself
}

void Transaction::CommitRetaining() {
  Status status;
  transaction_->commitRetaining(&status);
}

void Transaction::Rollback() noexcept {
  if (!transaction_) return;
  QuietStatus status;
  transaction_->rollback(&status);
  if (status.Failed()) transaction_->release();
  transaction_ = nullptr;
}

Statement::Statement(std::shared_ptr<Attachment> attachment, Transaction& transaction,
                     const std::string& sql)
    : attachment_(std::move(attachment)) {
  Status status;
  statement_ = (*attachment_)->prepare(&status, transaction.get(), 0, sql.c_str(), SQL_DIALECT_V6,
                                       Firebird::IStatement::PREPARE_PREFETCH_METADATA);
}

Statement::~Statement() {
  if (!statement_) return;
  QuietStatus status;
  statement_->free(&status);
  if (status.Failed()) statement_->release();
}

}  // namespace dataworks::fb
