#include <map>
#include <string>

#include "db/seed/row_sink.h"
#include "host/dataworks/connection.h"

namespace agency_seed {
namespace {

class DatabaseSink : public RowSink {
 public:
  DatabaseSink(dataworks::TnConnection& connection, int batch)
      : transaction_(connection), batch_(batch) {}

  void Insert(const Table& table, const vcl::VariantArray& values) override {
    auto it = statements_.find(table.name);
    if (it == statements_.end())
      it = statements_.emplace(table.name, transaction_.Prepare(InsertText(table))).first;
    it->second.Execute(values);
    Count(table.name);
    if (++pending_ >= batch_) {
      transaction_.CommitRetaining();
      pending_ = 0;
    }
  }

  void Finish() override {
    statements_.clear();
    transaction_.Commit();
  }

 private:
  dataworks::TnWriteTransaction transaction_;
  std::map<std::string, dataworks::TnWriteTransaction::Statement> statements_;
  int batch_;
  int pending_ = 0;
};

}  // namespace

std::unique_ptr<RowSink> MakeDatabaseSink(dataworks::TnConnection& connection, int batch) {
  return std::make_unique<DatabaseSink>(connection, batch);
}

}  // namespace agency_seed
