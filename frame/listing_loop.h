// The plain listing loop: one detail section per row of the host's DataSet,
// in the report's order, with progress after each line.
#pragma once

#include <functional>

#include "host/printworks/base_dll.h"

// If DataSet is empty returns at once (nothing printed, no ordering, no
// progress). Otherwise applies `ordenar`, then prints `section` for each row
// followed by CSLShowProgress(n, total).
void ImprimirListagem(printworks::TnrwBaseDll& report, int section,
                      const std::function<void()>& ordenar);
