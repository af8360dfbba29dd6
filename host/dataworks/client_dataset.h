// TnClientDataSet: the runtime's client dataset plus the field maps bound to
// it (Mapas). The dataset owns its maps; they die with it. The data layer
// counts live datasets so that tests can prove none outlives its report.
#pragma once

#include <memory>
#include <typeindex>
#include <unordered_map>

#include "host/vcl/client_dataset.h"
#include "host/vcl/object.h"

namespace dataworks {

// Map class -> map object, owning its values.
using TnMapas = std::unordered_map<std::type_index, std::unique_ptr<vcl::TObject>>;

class TnClientDataSet : public vcl::TClientDataSet {
 public:
  TnClientDataSet();
  ~TnClientDataSet() override;

  // Null until the first field map is bound.
  std::unique_ptr<TnMapas> Mapas;

  // Number of TnClientDataSet objects alive in the process.
  static int LiveCount();
};

}  // namespace dataworks
