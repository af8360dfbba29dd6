// What the reliability tests share: the built plug-ins and their layouts, a
// seeded sample database made once per build tree, and a table checksum that
// shows whether a run changed the database.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/dataworks/connection.h"
#include "host/printworks/layout.h"

namespace reliability {

// The build tree (AGENCY_BUILD_DIR from CTest, else the one compiled in).
std::string BuildDir();

// Every report plug-in in build/plugins, by deliverable name, sorted; the
// frame's probe plug-ins are left out.
std::vector<std::string> ReportPlugins();

// The deliverable's layout (build/layouts/<name>.json); an empty layout when
// it has none.
printworks::TnLayout LayoutOf(const std::string& deliverable);

// The form defaults of a layout as the report reads them: for a choice
// control, the stored value of the choice the default names.
std::vector<std::pair<std::string, std::string>> DefaultParams(const printworks::TnLayout& layout);

// A seeded sample database (agency-seed --scale 1), made once per build tree
// under build/reliability/, copied into a fresh directory for the caller
// (the embedded engine opens a file for one process at a time). Returns the
// copy's path; the caller removes it with RemoveDatabaseCopy.
std::string SeededDatabaseCopy();
void RemoveDatabaseCopy(const std::string& path);

// Row count and content checksum of every user table, by table name.
struct TableDigest {
  int64_t rows = 0;
  uint64_t checksum = 0;
  bool operator==(const TableDigest&) const = default;
};
std::map<std::string, TableDigest> DigestTables(dataworks::TnConnection& connection);

// Runs a program with a time limit, its standard output and error written to
// files; `environment` entries ("NAME=VALUE") replace or add to this process's
// environment for the program. `exit_code` is -1 when it did not exit by itself.
struct ProcessResult {
  int exit_code = -1;
  int signal = 0;  // the signal that ended it, 0 when none
  bool timed_out = false;
};
ProcessResult RunProcess(const std::vector<std::string>& argv, double timeout_seconds,
                         const std::string& stdout_path, const std::string& stderr_path,
                         const std::vector<std::string>& environment = {});

std::string ReadFile(const std::string& path);

}  // namespace reliability
