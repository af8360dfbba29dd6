// TnCabecalhoRelatorio: the engine's standard report header. A report that
// holds one asks it to print the header; the engine supplies the object.
#pragma once

#include "host/vcl/object.h"

namespace printworks {

class TnCabecalhoRelatorio : public vcl::TObject {
 public:
  // Prints the standard header.
  virtual void ImpressaoCabecalho() = 0;
};

}  // namespace printworks
