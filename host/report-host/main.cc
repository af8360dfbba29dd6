// report-host: loads one report plug-in, fills its parameter form, connects
// it to the agency's database, runs it and renders what it printed.
//
//   report-host [options] REPORT [NAME=VALUE ...]
//
// Exit status: 0 when Imprimir returned, 1 when it raised (its message is the
// last line on standard error), 2 for a usage or set-up error.
#include <dlfcn.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "host/dataworks/connection.h"
#include "host/dataworks/sql.h"
#include "host/printworks/base_dll.h"
#include "host/printworks/layout.h"
#include "host/printworks/report.h"
#include "host/printworks/sink.h"
#include "host/vcl/exceptions.h"
#include "host/vcl/format_settings.h"

namespace fs = std::filesystem;

namespace {

constexpr int kExitRaised = 1;
constexpr int kExitSetUp = 2;

// A usage or set-up error: a one-line message and exit status 2.
struct SetUpError {
  std::string message;
};

[[noreturn]] void Fail(const std::string& message) { throw SetUpError{message}; }

std::string OneLine(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

struct Options {
  std::string report;
  std::vector<std::string> edits;
  std::string database;
  std::string format = "text";
  std::string output;
  std::optional<std::string> query;
  std::string plugin_dir;
  bool version = false;
  bool form = false;
  bool no_run = false;
};

fs::path ExeDir() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::current_path() : exe.parent_path();
}

// The loaded plug-in library and its two entry points. The library stays
// loaded until the process ends: unloading it gains nothing at exit and
// leaves stale thread-local slots that leak checkers trip over.
class Plugin {
 public:
  using ClassDllFn = const printworks::TnrwBaseDllClass* (*)();
  using ImprimirFn = void (*)(void*);

  explicit Plugin(const fs::path& path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) Fail(std::string("não foi possível carregar o plug-in: ") + dlerror());
    class_dll_ = reinterpret_cast<ClassDllFn>(dlsym(handle_, "ClassDll"));
    imprimir_ = reinterpret_cast<ImprimirFn>(dlsym(handle_, "Imprimir"));
    if (!class_dll_ || !imprimir_) {
      Fail("'" + path.string() + "' não é um plug-in de relatório (faltam ClassDll e Imprimir)");
    }
  }
  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;

  const printworks::TnrwBaseDllClass* ClassDll() const { return class_dll_(); }
  void Imprimir(printworks::TnrwReport* report) const { imprimir_(report); }

 private:
  void* handle_ = nullptr;
  ClassDllFn class_dll_ = nullptr;
  ImprimirFn imprimir_ = nullptr;
};

// A deliverable name is looked up in the plug-in directory; anything that
// looks like a path is taken as one.
fs::path ResolvePlugin(const Options& options, const fs::path& exe_dir) {
  const std::string& report = options.report;
  const fs::path dir =
      options.plugin_dir.empty() ? exe_dir / ".." / "plugins" : fs::path(options.plugin_dir);
  fs::path path;
  std::error_code ec;
  if (report.find('/') != std::string::npos) {
    path = report;
  } else if (fs::path(report).extension() == ".so") {
    // A file name: here, else in the plug-in directory.
    path = fs::is_regular_file(report, ec) ? fs::path(report) : dir / report;
  } else {
    path = dir / (report + ".so");
  }
  if (!fs::is_regular_file(path, ec)) {
    Fail("plug-in '" + report + "' não encontrado (" + path.lexically_normal().string() + ")");
  }
  // dlopen searches the library path for a name without '/'.
  return fs::absolute(path, ec).lexically_normal();
}

// The deliverable's layout, or a minimal one when it has none: the title is
// the deliverable's name and every section shows every printed value.
printworks::TnLayout LoadLayout(const std::string& deliverable, const fs::path& exe_dir) {
  fs::path path = exe_dir / ".." / "layouts" / (deliverable + ".json");
  std::error_code ec;
  if (!fs::exists(path, ec)) {
    printworks::TnLayout layout;
    layout.title = deliverable;
    return layout;
  }
  try {
    return printworks::TnLayout::LoadFile(path.lexically_normal().string());
  } catch (const vcl::Exception& e) {
    Fail(e.what());
  }
}

void BuildForm(const printworks::TnLayout& layout, printworks::TnpqPowerParam& params) {
  try {
    for (const auto& control : layout.form) {
      params.AddItem(control.name, control.caption, control.default_text, control.choices);
    }
  } catch (const vcl::Exception& e) {
    Fail(std::string("layout inválido: ") + e.what());
  }
}

// Applies the NAME=VALUE edits in order, each as one change on the form,
// telling the report object of the form after each.
void ApplyEdits(const std::vector<std::string>& edits, printworks::TnpqPowerParam& params,
                printworks::TnrwBaseDll* form_report) {
  for (const std::string& edit : edits) {
    const size_t eq = edit.find('=');
    if (eq == std::string::npos || eq == 0) {
      Fail("parâmetro inválido '" + edit + "': use NOME=VALOR");
    }
    const std::string name = edit.substr(0, eq);
    const std::string value = edit.substr(eq + 1);
    printworks::TnpqParamItem* item = params.FindItem(name);
    if (!item) Fail("parâmetro desconhecido: '" + name + "'");
    printworks::TnFraControle* control = params.EdFindFieldControl(item);
    if (!control->Enabled() && control->TextAfterSetText(value) != control->GetAsString()) {
      Fail("o parâmetro '" + item->Name() + "' está desabilitado e não pode ser alterado");
    }
    control->SetText(value);
    if (form_report) form_report->DoParamChange(control, item);
  }
}

std::unique_ptr<printworks::TnReportSink> MakeSink(const std::string& format, std::ostream& out,
                                                   const printworks::TnLayout& layout,
                                                   std::vector<int> zebra) {
  if (format == "jsonl") return printworks::MakeJsonlSink(out);
  if (format == "html") return printworks::MakeHtmlSink(out, layout, std::move(zebra));
  return printworks::MakeTextSink(out, layout);
}

int Run(const Options& options) {
  vcl::ResetFormatSettings();
  const fs::path exe_dir = ExeDir();
  const fs::path plugin_path = ResolvePlugin(options, exe_dir);
  const std::string deliverable = plugin_path.stem().string();
  Plugin plugin(plugin_path);
  const printworks::TnrwBaseDllClass* report_class = plugin.ClassDll();

  if (options.version) {
    if (!report_class) Fail("FClassDll está nil.");
    std::cout << report_class->Versao() << std::endl;
    return 0;
  }

  const printworks::TnLayout layout = LoadLayout(deliverable, exe_dir);
  printworks::TnrwReport report;
  BuildForm(layout, report.GetParams());

  // The parameter form: defaults, DepoisConfigurar, then the edits, on a
  // report object made for the form and gone before printing.
  std::vector<int> zebra;
  try {
    std::unique_ptr<printworks::TnrwBaseDll> form_report;
    if (report_class) {
      form_report = report_class->Create(&report);
      form_report->DepoisConfigurar(nullptr);
    }
    ApplyEdits(options.edits, report.GetParams(), form_report.get());
    if (form_report) zebra = form_report->CriarListaSectionsParaZebrar();
  } catch (const std::exception& e) {
    Fail(e.what());
  }

  std::unique_ptr<dataworks::TnConnection> connection;
  if (!options.no_run) {
    const std::string dsn = options.database.empty()
                                ? (exe_dir / ".." / "demo" / "agency.fdb").lexically_normal().string()
                                : options.database;
    try {
      connection = dataworks::TnConnection::Open(dsn);
    } catch (const std::exception& e) {
      Fail(e.what());
    }
  }
  // The default connection is the report's while it runs; cleared on every path.
  struct DefaultConnection {
    explicit DefaultConnection(dataworks::TnConnection* c) { dataworks::SetDefaultConnection(c); }
    ~DefaultConnection() { dataworks::SetDefaultConnection(nullptr); }
  } default_connection(connection.get());

  if (connection) {
    const std::string query = options.query ? *options.query : layout.query;
    if (!query.empty()) {
      try {
        std::unique_ptr<vcl::TClientDataSet> rows = dataworks::ExecutarSQL(query, {});
        rows->First();
        report.SetDataSet(std::move(rows));
      } catch (const std::exception& e) {
        Fail(std::string("consulta do relatório: ") + e.what());
      }
    }
  }

  std::ofstream file;
  if (!options.output.empty()) {
    file.open(options.output, std::ios::binary | std::ios::trunc);
    if (!file) Fail("não foi possível criar '" + options.output + "'");
  }
  std::ostream& out = options.output.empty() ? std::cout : file;
  std::unique_ptr<printworks::TnReportSink> sink = MakeSink(options.format, out, layout, zebra);

  bool raised = false;
  std::string message;
  if (!options.no_run) {
    report.SetSink(sink.get());
    try {
      plugin.Imprimir(&report);
    } catch (const std::exception& e) {
      raised = true;
      message = e.what();
    } catch (...) {
      raised = true;
      message = "Erro desconhecido no relatório.";
    }
    report.SetSink(nullptr);
    report.FinishProgress();
  }
  if (options.form) sink->OnForm(report.GetParams());
  if (raised) sink->OnError(message);
  sink->Finish();
  out.flush();
  if (!out) Fail("não foi possível escrever a saída");
  if (raised) {
    std::cerr << message << std::endl;
    return kExitRaised;
  }
  return 0;
}

}  // namespace

#if defined(__SANITIZE_ADDRESS__)
// Sanitizer builds only. The Firebird engine keeps per-thread state in dynamic
// thread-local storage; the leak checker of this toolchain misreads that
// storage at exit under the system's C library and crashes walking it. The
// host's leak check therefore leaves thread-local storage out, and with it the
// loader's list of the plug-in's dependencies, which only the loader's own
// thread-local data points to.
extern "C" __attribute__((used, visibility("default"))) const char* __lsan_default_options() {
  return "use_tls=0";
}
extern "C" __attribute__((used, visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:_dl_map_object_deps\n";
}
#endif

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  Options options;
  CLI::App app{"Runs a report plug-in on the agency's database and renders what it prints.",
               "report-host"};
  app.add_option("REPORT", options.report,
                 "deliverable name (looked up in the plug-in directory) or plug-in path")
      ->required()
      ->type_name("");
  app.add_option("params", options.edits,
                 "report parameters, applied in order on the parameter form")
      ->type_name("NAME=VALUE");
  app.add_option("--database", options.database,
                 "Firebird database: a file path or host[/port]:path (default: the demo database)")
      ->type_name("DSN");
  app.add_option("--format", options.format, "rendering: text, html or jsonl (default text)")
      ->check(CLI::IsMember({"text", "html", "jsonl"}))
      ->type_name("FORMAT");
  app.add_option("--output", options.output, "write the rendering to FILE (default: stdout)")
      ->type_name("FILE");
  app.add_option("--query", options.query, "the report's own query, replacing the layout's")
      ->type_name("SQL");
  app.add_option("--plugin-dir", options.plugin_dir, "where deliverable names are looked up")
      ->type_name("DIR");
  app.add_flag("--version", options.version, "print the plug-in's version and exit");
  app.add_flag("--form", options.form, "also write the state of the parameter form");
  app.add_flag("--no-run", options.no_run, "fill the form but do not print");
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::cout << app.help();
    return 0;
  } catch (const CLI::ParseError& e) {
    std::cerr << "report-host: " << OneLine(e.what()) << std::endl;
    return kExitSetUp;
  }
  try {
    return Run(options);
  } catch (const SetUpError& e) {
    std::cout.flush();
    std::cerr << "report-host: " << OneLine(e.message) << std::endl;
    return kExitSetUp;
  } catch (const std::exception& e) {
    std::cerr << "report-host: " << OneLine(e.what()) << std::endl;
    return kExitSetUp;
  }
}
