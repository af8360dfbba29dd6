// A connection to the agency's Firebird database, through Firebird's own C++
// interface. A DSN is either a database file path (opened by the embedded
// engine, no server) or "host[/port]:path" (a Firebird server).
//
// Reads run in read-only transactions; the write side (schema, sample data,
// tests) uses TnWriteTransaction.
#pragma once

#include <memory>
#include <string>

#include "host/vcl/variant.h"

namespace dataworks {

class TnClientDataSet;

class TnConnection {
 public:
  ~TnConnection();
  TnConnection(const TnConnection&) = delete;
  TnConnection& operator=(const TnConnection&) = delete;

  // Opens an existing database. Raises vcl::Exception
  // "Não foi possível abrir o banco de dados '<dsn>': <engine message>".
  static std::unique_ptr<TnConnection> Open(const std::string& dsn,
                                            const std::string& user = "SYSDBA",
                                            const std::string& password = "masterkey");
  // Creates a new database (UTF8 default character set) and opens it.
  static std::unique_ptr<TnConnection> Create(const std::string& dsn,
                                              const std::string& user = "SYSDBA",
                                              const std::string& password = "masterkey");

  const std::string& Dsn() const;

  // Runs one query in a read-only transaction and fetches every row into a new
  // dataset. Colon-named parameters (:pName) become positional; `values` go
  // to the distinct names in order of first appearance, every occurrence of a
  // name taking that name's value. An engine error raises vcl::Exception with
  // the engine's message.
  std::unique_ptr<TnClientDataSet> Query(const std::string& sql,
                                         const vcl::VariantArray& values);

  struct Impl;
  Impl& impl() { return *impl_; }

 private:
  explicit TnConnection(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// A read-write transaction for the schema, the sample data and tests. Rolled
// back on destruction unless committed.
class TnWriteTransaction {
 public:
  explicit TnWriteTransaction(TnConnection& connection);
  ~TnWriteTransaction();

  // Runs a statement (DDL or DML), parameters as in TnConnection::Query.
  // A schema statement is committed at once (CommitRetaining), as
  // interactive SQL tools do, so that the statements after it see its
  // objects. CREATE/ALTER/RECREATE and EXECUTE BLOCK run without values go
  // as written, keeping the :variables of their bodies.
  void Execute(const std::string& sql, const vcl::VariantArray& values = {});

  // A prepared statement run many times (bulk inserts).
  class Statement {
   public:
    ~Statement();
    Statement(Statement&&) noexcept;
    void Execute(const vcl::VariantArray& values);
    struct Impl;

   private:
    friend class TnWriteTransaction;
    explicit Statement(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
  };
  Statement Prepare(const std::string& sql);

  // Commits and starts a new transaction (for large loads in batches).
  void CommitRetaining();
  void Commit();

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

// The host's default connection, which ExecutarSQL uses. Set by the host;
// not owned.
void SetDefaultConnection(TnConnection* connection);
TnConnection* DefaultConnection();

}  // namespace dataworks

namespace dataworks {

// Runs a script of statements separated by ';' (comments "--" and "/* */"
// skipped; a statement between SET TERM markers keeps its inner ';') in one
// read-write transaction and commits it. COMMIT commits what came before;
// settings of SQL tools (SET SQL DIALECT, SET NAMES ...) are skipped. A
// failing statement raises the engine's message followed by the statement.
// Schema statements are committed as they run (see Execute).
void ExecuteScript(TnConnection& connection, const std::string& script);

}  // namespace dataworks
