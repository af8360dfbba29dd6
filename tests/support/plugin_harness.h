// Loads a built plug-in library (build/plugins/<Deliverable>.so) and runs it
// the way the host does, recording everything it prints.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/printworks/base_dll.h"
#include "host/printworks/sink.h"
#include "host/vcl/client_dataset.h"

namespace testing_support {

struct PluginRun {
  printworks::TnRecordingSink sink;
  bool raised = false;
  std::string error;  // the exception's message when raised
  std::vector<std::string> Lines() const { return sink.Lines(); }
};

using ParamList = std::vector<std::pair<std::string, std::string>>;

class PluginHarness {
 public:
  // Raises std::runtime_error when the library cannot be loaded.
  explicit PluginHarness(const std::string& deliverable);
  ~PluginHarness();

  const printworks::TnrwBaseDllClass* Class() const;

  // Runs Imprimir on a new TnrwReport whose form holds `params` as free-text
  // items, with `data_set` as its DataSet (may be null); the default
  // connection is whatever the test set (TestDatabase does).
  std::unique_ptr<PluginRun> Run(const ParamList& params,
                                 std::unique_ptr<vcl::TClientDataSet> data_set = nullptr);

  // Calls Imprimir with an arbitrary address.
  void ImprimirRaw(void* address);

 private:
  void* handle_ = nullptr;
  const printworks::TnrwBaseDllClass* (*class_dll_)() = nullptr;
  void (*imprimir_)(void*) = nullptr;
};

}  // namespace testing_support
