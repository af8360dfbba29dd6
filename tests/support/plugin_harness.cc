#include "tests/support/plugin_harness.h"

#include <dlfcn.h>

#include <stdexcept>

#include "host/printworks/report.h"

namespace testing_support {

namespace {

// A deliverable name becomes build/plugins/<name>.so; a path is kept.
std::string LibraryPath(const std::string& deliverable) {
  if (deliverable.find('/') != std::string::npos) return deliverable;
  return std::string(AGENCY_PLUGIN_DIR) + "/" + deliverable + ".so";
}

}  // namespace

PluginHarness::PluginHarness(const std::string& deliverable) {
  const std::string path = LibraryPath(deliverable);
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) throw std::runtime_error("cannot load " + path + ": " + dlerror());
  class_dll_ = reinterpret_cast<const printworks::TnrwBaseDllClass* (*)()>(
      dlsym(handle_, "ClassDll"));
  imprimir_ = reinterpret_cast<void (*)(void*)>(dlsym(handle_, "Imprimir"));
  if (!class_dll_ || !imprimir_) {
    dlclose(handle_);
    handle_ = nullptr;
    throw std::runtime_error(path + " does not export ClassDll and Imprimir");
  }
}

// The library stays loaded (dlopen counts references, so loading it again
// is cheap): unloading leaves stale thread-local slots that the leak checker
// of the sanitizer build trips over.
PluginHarness::~PluginHarness() = default;

const printworks::TnrwBaseDllClass* PluginHarness::Class() const { return class_dll_(); }

std::unique_ptr<PluginRun> PluginHarness::Run(const ParamList& params,
                                              std::unique_ptr<vcl::TClientDataSet> data_set) {
  auto run = std::make_unique<PluginRun>();
  printworks::TnrwReport report;
  for (const auto& [name, value] : params) report.GetParams().AddItem(name, name, value);
  if (data_set) {
    data_set->First();
    report.SetDataSet(std::move(data_set));
  }
  report.SetSink(&run->sink);
  try {
    imprimir_(&report);
  } catch (const std::exception& e) {
    run->raised = true;
    run->error = e.what();
    run->sink.OnError(run->error);
  }
  report.SetSink(nullptr);
  return run;
}

void PluginHarness::ImprimirRaw(void* address) { imprimir_(address); }

}  // namespace testing_support
