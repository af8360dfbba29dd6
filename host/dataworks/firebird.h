// Plumbing around Firebird's object interface, private to the data layer:
// the master and utility interfaces, a status that throws, the translation of
// engine errors into vcl::Exception, and owners that release every interface
// on every path.
#pragma once

#include <firebird/Interface.h>

#include <memory>
#include <string>
#include <utility>

namespace dataworks::fb {

Firebird::IMaster* Master();
Firebird::IUtil* Util();

// A status whose errors throw Firebird::FbException. Owns its IStatus.
class Status {
 public:
  Status() : raw_(Master()->getStatus()), wrapper_(raw_) {}
  ~Status() { raw_->dispose(); }
  Status(const Status&) = delete;
  Status& operator=(const Status&) = delete;
  Firebird::ThrowStatusWrapper* operator&() { return &wrapper_; }

 private:
  Firebird::IStatus* raw_;
  Firebird::ThrowStatusWrapper wrapper_;
};

// A status for clean-up paths: records errors and never throws.
class QuietStatus {
 public:
  QuietStatus() : raw_(Master()->getStatus()), wrapper_(raw_) {}
  ~QuietStatus() { raw_->dispose(); }
  QuietStatus(const QuietStatus&) = delete;
  QuietStatus& operator=(const QuietStatus&) = delete;
  Firebird::CheckStatusWrapper* operator&() { return &wrapper_; }
  bool Failed() const { return wrapper_.getState() & Firebird::IStatus::STATE_ERRORS; }

 private:
  Firebird::IStatus* raw_;
  Firebird::CheckStatusWrapper wrapper_;
};

// The engine's message for a failed call, lines joined by '\n'.
std::string FormatStatus(Firebird::IStatus* status);

// Runs `body`, turning an engine error into vcl::Exception carrying the
// engine's message (after `prefix`, when given).
template <class Body>
decltype(auto) Guarded(Body&& body, const std::string& prefix = "");

[[noreturn]] void ThrowEngineError(const Firebird::FbException& error,
                                   const std::string& prefix);

template <class Body>
decltype(auto) Guarded(Body&& body, const std::string& prefix) {
  try {
    return std::forward<Body>(body)();
  } catch (const Firebird::FbException& error) {
    ThrowEngineError(error, prefix);
  }
}

// An attachment shared by the connection and every transaction and statement
// made on it, so that it is detached only after the last of them is gone.
class Attachment {
 public:
  explicit Attachment(Firebird::IAttachment* attachment) : attachment_(attachment) {}
  ~Attachment();
  Attachment(const Attachment&) = delete;
  Attachment& operator=(const Attachment&) = delete;
  Firebird::IAttachment* get() const { return attachment_; }
  Firebird::IAttachment* operator->() const { return attachment_; }

 private:
  Firebird::IAttachment* attachment_;
};

// A transaction rolled back on destruction unless committed.
class Transaction {
 public:
  enum class Mode { kReadOnly, kReadWrite };
  Transaction(std::shared_ptr<Attachment> attachment, Mode mode);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  Firebird::ITransaction* get() const { return transaction_; }
  bool Active() const { return transaction_ != nullptr; }
  void Commit();
  void CommitRetaining();
  void Rollback() noexcept;

 private:
  std::shared_ptr<Attachment> attachment_;
  Firebird::ITransaction* transaction_ = nullptr;
};

// A prepared statement, freed on destruction.
class Statement {
 public:
  Statement(std::shared_ptr<Attachment> attachment, Transaction& transaction,
            const std::string& sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  Firebird::IStatement* get() const { return statement_; }
  Firebird::IStatement* operator->() const { return statement_; }

 private:
  std::shared_ptr<Attachment> attachment_;
  Firebird::IStatement* statement_ = nullptr;
};

// Releases a reference-counted interface (metadata, builders, blobs, cursors).
struct Releaser {
  template <class T>
  void operator()(T* object) const {
    if (object) object->release();
  }
};
template <class T>
using Ref = std::unique_ptr<T, Releaser>;

// Date-time conversion between the engine's day/time units and TDateTime.
// Engine dates count days from 17 November 1858; times count 1/10000 seconds.
constexpr int kEngineDayOfZeroDateTime = 15018;  // 30 December 1899
constexpr double kTimeUnitsPerDay = 864000000.0;

}  // namespace dataworks::fb
