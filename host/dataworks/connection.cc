#include "host/dataworks/connection.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <vector>

#include "host/dataworks/client_dataset.h"
#include "host/dataworks/fault_injection.h"
#include "host/dataworks/firebird.h"
#include "host/dataworks/messages.h"
#include "host/dataworks/sql_text.h"
#include "host/vcl/exceptions.h"
#include "host/vcl/strings.h"

namespace dataworks {

using Firebird::IStatus;

namespace {

constexpr size_t kInitialRows = 256;

Firebird::IProvider* Dispatcher() {
  static Firebird::IProvider* dispatcher = fb::Master()->getDispatcher();
  return dispatcher;
}

// "host:path" and "host/port:path" name a server; anything else (an absolute
// or relative path, a drive letter) is a file for the embedded engine.
bool NamesServer(const std::string& dsn) {
  size_t colon = dsn.find(':');
  if (colon == std::string::npos || colon < 2) return false;
  return dsn[0] != '/' && dsn[0] != '.' && dsn[0] != '\\';
}

std::vector<unsigned char> AttachParameters(const std::string& dsn, const std::string& user,
                                            const std::string& password, bool create) {
  fb::Status status;
  Firebird::IXpbBuilder* dpb =
      fb::Util()->getXpbBuilder(&status, Firebird::IXpbBuilder::DPB, nullptr, 0);
  std::vector<unsigned char> bytes;
  try {
    dpb->insertString(&status, isc_dpb_user_name, user.c_str());
    dpb->insertString(&status, isc_dpb_password, password.c_str());
    dpb->insertString(&status, isc_dpb_lc_ctype, "UTF8");
    // A file is opened in this process only: never through a server on
    // this machine.
    if (!NamesServer(dsn)) dpb->insertString(&status, isc_dpb_config, "Providers=Engine12");
    if (create) {
      dpb->insertString(&status, isc_dpb_set_db_charset, "UTF8");
      dpb->insertInt(&status, isc_dpb_sql_dialect, 3);
      dpb->insertInt(&status, isc_dpb_page_size, 16384);
      // New databases hold sample or test data: no flush to disk per commit.
      dpb->insertInt(&status, isc_dpb_force_write, 0);
    }
    const unsigned char* buffer = dpb->getBuffer(&status);
    bytes.assign(buffer, buffer + dpb->getBufferLength(&status));
  } catch (...) {
    dpb->dispose();
    throw;
  }
  dpb->dispose();
  return bytes;
}

TnConnection* g_default_connection = nullptr;

}  // namespace

struct TnConnection::Impl {
  std::string dsn;
  std::shared_ptr<fb::Attachment> attachment;
};

TnConnection::TnConnection(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

TnConnection::~TnConnection() {
  if (g_default_connection == this) g_default_connection = nullptr;
}

std::unique_ptr<TnConnection> TnConnection::Open(const std::string& dsn, const std::string& user,
                                                 const std::string& password) {
  auto impl = std::make_unique<Impl>();
  impl->dsn = dsn;
  fb::Guarded(
      [&] {
        std::vector<unsigned char> dpb = AttachParameters(dsn, user, password, false);
        fb::Status status;
        impl->attachment = std::make_shared<fb::Attachment>(Dispatcher()->attachDatabase(
            &status, dsn.c_str(), static_cast<unsigned>(dpb.size()), dpb.data()));
      },
      "Não foi possível abrir o banco de dados '" + dsn + "': ");
  return std::unique_ptr<TnConnection>(new TnConnection(std::move(impl)));
}

std::unique_ptr<TnConnection> TnConnection::Create(const std::string& dsn, const std::string& user,
                                                   const std::string& password) {
  auto impl = std::make_unique<Impl>();
  impl->dsn = dsn;
  fb::Guarded(
      [&] {
        std::vector<unsigned char> dpb = AttachParameters(dsn, user, password, true);
        fb::Status status;
        impl->attachment = std::make_shared<fb::Attachment>(Dispatcher()->createDatabase(
            &status, dsn.c_str(), static_cast<unsigned>(dpb.size()), dpb.data()));
      },
      "Não foi possível criar o banco de dados '" + dsn + "': ");
  return std::unique_ptr<TnConnection>(new TnConnection(std::move(impl)));
}

const std::string& TnConnection::Dsn() const { return impl_->dsn; }

namespace {

bool IsSelect(unsigned type) {
  return type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd;
}

// Fetches every row of an open statement into `data_set`.
void FetchAll(fb::Attachment& attachment, fb::Transaction& transaction, fb::Statement& statement,
              fb::InputMessage& input, fb::ResultReader& reader, TnClientDataSet& data_set) {
  fb::Status status;
  if (!IsSelect(statement->getType(&status))) {
    // EXECUTE PROCEDURE and friends return at most one row.
    statement->execute(&status, transaction.get(), input.Metadata(), input.Buffer(),
                       reader.Metadata(), reader.Buffer());
    if (reader.HasColumns()) {
      CheckFetchFault();
      reader.AppendRow(attachment, transaction);
    }
    return;
  }
  data_set.Reserve(kInitialRows);
  Firebird::IResultSet* cursor = statement->openCursor(
      &status, transaction.get(), input.Metadata(), input.Buffer(), reader.Metadata(), 0);
  try {
    while (cursor->fetchNext(&status, reader.Buffer()) == IStatus::RESULT_OK) {
      CheckFetchFault();
      reader.AppendRow(attachment, transaction);
    }
    cursor->close(&status);
  } catch (...) {
    cursor->release();
    throw;
  }
}

}  // namespace

std::unique_ptr<TnClientDataSet> TnConnection::Query(const std::string& sql,
                                                     const vcl::VariantArray& values) {
  CheckQueryFault();
  ParsedSql parsed = values.empty() && IsProceduralOrSchema(sql) ? ParsedSql{sql, {}, 0}
                                                                 : ParseParameters(sql);
  return fb::Guarded([&] {
    std::shared_ptr<fb::Attachment>& attachment = impl_->attachment;
    fb::Transaction transaction(attachment, fb::Transaction::Mode::kReadOnly);
    fb::Statement statement(attachment, transaction, parsed.text);
    fb::InputMessage input(statement.get(), parsed.slots, parsed.distinct);
    input.Bind(*attachment, transaction, values);
    fb::Status status;
    fb::Ref<Firebird::IMessageMetadata> output(statement->getOutputMetadata(&status));
    auto data_set = std::make_unique<TnClientDataSet>();
    fb::ResultReader reader(output.get(), *data_set);
    FetchAll(*attachment, transaction, statement, input, reader, *data_set);
    transaction.Commit();
    data_set->First();
    return data_set;
  });
}

// ---- Write transactions ----

struct TnWriteTransaction::Impl {
  std::shared_ptr<fb::Attachment> attachment;
  std::shared_ptr<fb::Transaction> transaction;
};

struct TnWriteTransaction::Statement::Impl {
  std::shared_ptr<fb::Attachment> attachment;
  std::shared_ptr<fb::Transaction> transaction;
  std::unique_ptr<fb::Statement> statement;
  std::unique_ptr<fb::InputMessage> input;
  fb::Ref<Firebird::IMessageMetadata> output;
  std::vector<unsigned char> output_buffer;
  unsigned type = 0;

  Impl(const TnWriteTransaction::Impl& owner, const ParsedSql& parsed)
      : attachment(owner.attachment), transaction(owner.transaction) {
    RequireActive();
    statement = std::make_unique<fb::Statement>(attachment, *transaction, parsed.text);
    input = std::make_unique<fb::InputMessage>(statement->get(), parsed.slots, parsed.distinct);
    fb::Status status;
    type = (*statement)->getType(&status);
    output.reset((*statement)->getOutputMetadata(&status));
    output_buffer.assign(output->getMessageLength(&status), 0);
  }

  void RequireActive() const {
    if (!transaction->Active()) throw vcl::Exception("A transação de escrita já foi encerrada");
  }

  void Run(const vcl::VariantArray& values) {
    RequireActive();
    input->Bind(*attachment, *transaction, values);
    fb::Status status;
    if (IsSelect(type)) {
      Firebird::IResultSet* cursor = (*statement)->openCursor(
          &status, transaction->get(), input->Metadata(), input->Buffer(), output.get(), 0);
      try {
        cursor->close(&status);
      } catch (...) {
        cursor->release();
        throw;
      }
      return;
    }
    (*statement)->execute(&status, transaction->get(), input->Metadata(), input->Buffer(),
                          output.get(), output_buffer.data());
    // As an interactive SQL tool does, schema changes are committed at once,
    // so that the statements after them see the new objects.
    if (type == isc_info_sql_stmt_ddl) transaction->CommitRetaining();
  }
};

TnWriteTransaction::TnWriteTransaction(TnConnection& connection) : impl_(std::make_unique<Impl>()) {
  impl_->attachment = connection.impl().attachment;
  fb::Guarded([&] {
    impl_->transaction = std::make_shared<fb::Transaction>(impl_->attachment,
                                                           fb::Transaction::Mode::kReadWrite);
  });
}

TnWriteTransaction::~TnWriteTransaction() {
  // Statements may outlive this object; they find the transaction ended.
  if (impl_->transaction) impl_->transaction->Rollback();
}

void TnWriteTransaction::Execute(const std::string& sql, const vcl::VariantArray& values) {
  // Procedure and trigger bodies keep their :variables.
  ParsedSql parsed = values.empty() && IsProceduralOrSchema(sql) ? ParsedSql{sql, {}, 0}
                                                                 : ParseParameters(sql);
  fb::Guarded([&] {
    Statement::Impl statement(*impl_, parsed);
    statement.Run(values);
  });
}

TnWriteTransaction::Statement TnWriteTransaction::Prepare(const std::string& sql) {
  ParsedSql parsed = ParseParameters(sql);
  return fb::Guarded([&] { return Statement(std::make_unique<Statement::Impl>(*impl_, parsed)); });
}

void TnWriteTransaction::CommitRetaining() {
  fb::Guarded([&] {
    if (!impl_->transaction->Active()) throw vcl::Exception("A transação de escrita já foi encerrada");
    impl_->transaction->CommitRetaining();
  });
}

void TnWriteTransaction::Commit() {
  fb::Guarded([&] {
    if (!impl_->transaction->Active()) throw vcl::Exception("A transação de escrita já foi encerrada");
    impl_->transaction->Commit();
  });
}

TnWriteTransaction::Statement::Statement(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
TnWriteTransaction::Statement::~Statement() = default;
TnWriteTransaction::Statement::Statement(Statement&&) noexcept = default;

void TnWriteTransaction::Statement::Execute(const vcl::VariantArray& values) {
  fb::Guarded([&] { impl_->Run(values); });
}

// ---- Default connection ----

void SetDefaultConnection(TnConnection* connection) { g_default_connection = connection; }
TnConnection* DefaultConnection() { return g_default_connection; }

// ---- Scripts ----

namespace {

std::vector<std::string> LeadingWords(const std::string& statement, size_t count) {
  std::istringstream in(vcl::UpperAscii(statement));
  std::vector<std::string> words;
  std::string word;
  while (words.size() < count && in >> word) words.push_back(word);
  return words;
}

enum class ScriptCommand { kStatement, kIgnore, kCommit };

// Commands of interactive SQL tools that scripts carry and the engine does
// not know.
ScriptCommand ClassifyScriptStatement(const std::string& statement) {
  static const std::set<std::string> kToolSettings = {
      "SQL", "NAMES", "AUTODDL", "ECHO", "BAIL", "LIST", "WARNINGS", "HEADING",
      "STATS", "COUNT", "PLAN", "PLANONLY", "TIME", "BLOB", "BLOBDISPLAY", "WIDTH", "ROWCOUNT"};
  std::vector<std::string> words = LeadingWords(statement, 2);
  if (words.empty()) return ScriptCommand::kIgnore;
  if (words[0] == "COMMIT") return ScriptCommand::kCommit;
  if (words[0] == "SET" && words.size() > 1 && kToolSettings.count(words[1])) {
    return ScriptCommand::kIgnore;
  }
  if (words[0] == "CONNECT" || (words[0] == "CREATE" && words.size() > 1 &&
                                (words[1] == "DATABASE" || words[1] == "SCHEMA"))) {
    throw vcl::Exception("Instrução não suportada em script: " + statement.substr(0, 80));
  }
  return ScriptCommand::kStatement;
}

}  // namespace

void ExecuteScript(TnConnection& connection, const std::string& script) {
  TnWriteTransaction transaction(connection);
  for (const std::string& statement : SplitScript(script)) {
    switch (ClassifyScriptStatement(statement)) {
      case ScriptCommand::kIgnore: break;
      case ScriptCommand::kCommit: transaction.CommitRetaining(); break;
      case ScriptCommand::kStatement:
        try {
          transaction.Execute(statement);
        } catch (const vcl::Exception& error) {
          const size_t kShown = 200;
          throw vcl::Exception(error.Message() + "\nna instrução: " +
                               statement.substr(0, kShown) +
                               (statement.size() > kShown ? " ..." : ""));
        }
        break;
    }
  }
  transaction.Commit();
}

}  // namespace dataworks
