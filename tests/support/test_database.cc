#include "tests/support/test_database.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "host/dataworks/connection.h"

#ifndef AGENCY_SCHEMA_FILE
#error "AGENCY_SCHEMA_FILE must name db/schema.sql"
#endif

namespace testing_support {

namespace {

std::string MakeTemporaryDirectory() {
  std::string pattern = "/tmp/agency-test-XXXXXX";
  if (!mkdtemp(pattern.data())) {
    throw std::runtime_error("cannot create a temporary directory from " + pattern);
  }
  return pattern;
}

std::string ReadSchema() {
  const std::filesystem::path path = AGENCY_SCHEMA_FILE;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw std::runtime_error("the agency schema " + path.string() +
                             " is missing or unreadable; TestDatabase(true) needs it "
                             "(TestDatabase(false) gives an empty database)");
  }
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TestDatabase::TestDatabase(bool with_schema) {
  dir_ = MakeTemporaryDirectory();
  path_ = dir_ + "/test.fdb";
  try {
    connection_ = dataworks::TnConnection::Create(path_);
    if (with_schema) dataworks::ExecuteScript(*connection_, ReadSchema());
  } catch (...) {
    connection_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
    throw;
  }
  dataworks::SetDefaultConnection(connection_.get());
}

TestDatabase::~TestDatabase() {
  if (dataworks::DefaultConnection() == connection_.get()) dataworks::SetDefaultConnection(nullptr);
  connection_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

void TestDatabase::Exec(const std::string& sql, const vcl::VariantArray& values) {
  dataworks::TnWriteTransaction transaction(*connection_);
  transaction.Execute(sql, values);
  transaction.Commit();
}

}  // namespace testing_support
