// A fresh embedded database for one test, created with the agency schema in a
// temporary directory, set as the default connection while it lives, and
// deleted afterwards.
#pragma once

#include <memory>
#include <string>

#include "host/dataworks/connection.h"
#include "host/vcl/variant.h"

namespace testing_support {

class TestDatabase {
 public:
  // `with_schema` false gives an empty database.
  explicit TestDatabase(bool with_schema = true);
  ~TestDatabase();

  // Runs a statement in its own read-write transaction and commits it.
  void Exec(const std::string& sql, const vcl::VariantArray& values = {});
  dataworks::TnConnection& Connection() { return *connection_; }
  const std::string& Path() const { return path_; }

 private:
  std::string dir_;
  std::string path_;
  std::unique_ptr<dataworks::TnConnection> connection_;
};

}  // namespace testing_support
