#include "tests/reliability/reliability_support.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "host/dataworks/client_dataset.h"
#include "host/vcl/strings.h"

namespace fs = std::filesystem;

namespace reliability {

std::string BuildDir() {
  const char* dir = std::getenv("AGENCY_BUILD_DIR");
  return dir && *dir ? dir : AGENCY_DEFAULT_BUILD_DIR;
}

std::vector<std::string> ReportPlugins() {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(fs::path(BuildDir()) / "plugins", ec)) {
    if (entry.path().extension() != ".so") continue;
    std::string name = entry.path().stem().string();
    if (name.rfind("FrameProbe", 0) == 0) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

printworks::TnLayout LayoutOf(const std::string& deliverable) {
  fs::path path = fs::path(BuildDir()) / "layouts" / (deliverable + ".json");
  if (!fs::exists(path)) return {};
  return printworks::TnLayout::LoadFile(path.string());
}

std::vector<std::pair<std::string, std::string>> DefaultParams(const printworks::TnLayout& layout) {
  std::vector<std::pair<std::string, std::string>> params;
  for (const auto& control : layout.form) {
    std::string value = control.default_text;
    for (const auto& choice : control.choices) {
      if (choice.text == control.default_text || choice.value == control.default_text) {
        value = choice.value;
        break;
      }
    }
    params.emplace_back(control.name, value);
  }
  return params;
}

namespace {

// Holds an exclusive lock on a file while it lives.
class FileLock {
 public:
  explicit FileLock(const fs::path& path) : fd_(open(path.c_str(), O_CREAT | O_RDWR, 0644)) {
    if (fd_ < 0 || flock(fd_, LOCK_EX) != 0) throw std::runtime_error("cannot lock " + path.string());
  }
  ~FileLock() {
    flock(fd_, LOCK_UN);
    close(fd_);
  }

 private:
  int fd_;
};

// build/reliability/seed.fdb, made again whenever agency-seed is newer.
fs::path SeedDatabase() {
  const fs::path dir = fs::path(BuildDir()) / "reliability";
  fs::create_directories(dir);
  FileLock lock(dir / "seed.lock");
  const fs::path seed = dir / "seed.fdb";
  const fs::path tool = fs::path(BuildDir()) / "bin" / "agency-seed";
  std::error_code ec;
  if (fs::exists(seed) && fs::last_write_time(seed, ec) >= fs::last_write_time(tool, ec)) {
    return seed;
  }
  const fs::path partial = dir / "seed.partial.fdb";
  fs::remove(partial, ec);
  const std::string command = "'" + tool.string() + "' --database '" + partial.string() +
                              "' --scale 1 --force > '" + (dir / "seed.log").string() + "' 2>&1";
  if (std::system(command.c_str()) != 0) {
    throw std::runtime_error("agency-seed failed; see " + (dir / "seed.log").string());
  }
  fs::rename(partial, seed);
  return seed;
}

uint64_t Fnv1a(uint64_t hash, const std::string& bytes) {
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace

std::string SeededDatabaseCopy() {
  const fs::path seed = SeedDatabase();
  char pattern[] = "/tmp/agency-reliability-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
  const fs::path copy = fs::path(pattern) / "agency.fdb";
  fs::copy_file(seed, copy);
  return copy.string();
}

void RemoveDatabaseCopy(const std::string& path) {
  std::error_code ec;
  fs::remove_all(fs::path(path).parent_path(), ec);
}

std::map<std::string, TableDigest> DigestTables(dataworks::TnConnection& connection) {
  std::map<std::string, TableDigest> digests;
  auto tables = connection.Query(
      "SELECT TRIM(RDB$RELATION_NAME) AS NAME FROM RDB$RELATIONS "
      "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 AND RDB$VIEW_BLR IS NULL",
      {});
  std::vector<std::string> names;
  for (tables->First(); !tables->Eof(); tables->Next()) {
    names.push_back(vcl::Trim(tables->FieldByName("NAME").AsString()));
  }
  for (const std::string& name : names) {
    auto rows = connection.Query("SELECT * FROM \"" + name + "\"", {});
    TableDigest& digest = digests[name];
    for (rows->First(); !rows->Eof(); rows->Next()) {
      uint64_t row_hash = 14695981039346656037ull;
      for (int i = 0; i < rows->FieldCount(); ++i) {
        vcl::TField& field = rows->Fields(i);
        row_hash = Fnv1a(row_hash, field.IsNull() ? std::string("\x01null") : field.AsString());
        row_hash = Fnv1a(row_hash, "\x1f");
      }
      ++digest.rows;
      digest.checksum += row_hash;  // order of rows does not matter
    }
  }
  return digests;
}

namespace {

// This process's environment with the given "NAME=VALUE" entries put in
// place of (or beside) those of the same name.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& entries) {
  auto name_of = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
  std::vector<std::string> out;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    const bool replaced = std::any_of(entries.begin(), entries.end(), [&](const std::string& x) {
      return name_of(x) == name_of(entry);
    });
    if (!replaced) out.push_back(entry);
  }
  out.insert(out.end(), entries.begin(), entries.end());
  return out;
}

std::vector<char*> NullTerminated(std::vector<std::string>& texts) {
  std::vector<char*> out;
  for (std::string& t : texts) out.push_back(t.data());
  out.push_back(nullptr);
  return out;
}

// Waits for the child until the deadline: on a pidfd where the kernel has
// them (woken the moment it exits), else by polling. False on timeout.
bool WaitUntil(pid_t pid, std::chrono::steady_clock::time_point deadline, int& status) {
  const int fd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
  for (auto pause = std::chrono::milliseconds(1);; pause = std::min(pause * 2, std::chrono::milliseconds(10))) {
    if (waitpid(pid, &status, WNOHANG) == pid) {
      if (fd >= 0) close(fd);
      return true;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      if (fd >= 0) close(fd);
      return false;
    }
    if (fd >= 0) {
      pollfd p{fd, POLLIN, 0};
      poll(&p, 1, static_cast<int>(std::min<int64_t>(left.count(), 1000)));
    } else {
      std::this_thread::sleep_for(std::min(pause, left));
    }
  }
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, double timeout_seconds,
                         const std::string& stdout_path, const std::string& stderr_path,
                         const std::vector<std::string>& environment) {
  std::vector<std::string> arg_texts = argv;
  std::vector<std::string> env_texts = EnvironmentWith(environment);
  // Built before the fork: the child only calls what is safe after it.
  std::vector<char*> args = NullTerminated(arg_texts);
  std::vector<char*> env = NullTerminated(env_texts);
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    const int out = open(stdout_path.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
    const int err = open(stderr_path.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
    const int in = open("/dev/null", O_RDONLY);
    if (out < 0 || err < 0 || in < 0) _exit(127);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    setpgid(0, 0);  // its own group, so a hung run is ended with its children
    execve(args[0], args.data(), env.data());
    _exit(127);
  }
  ProcessResult result;
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                            std::chrono::duration<double>(timeout_seconds));
  int status = 0;
  if (!WaitUntil(pid, deadline, status)) {
    result.timed_out = true;
    kill(-pid, SIGKILL);
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return result;
  }
  if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  return result;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace reliability
