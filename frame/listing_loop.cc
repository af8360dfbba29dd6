#include "frame/listing_loop.h"

#include "host/vcl/client_dataset.h"

void ImprimirListagem(printworks::TnrwBaseDll& report, int section,
                      const std::function<void()>& ordenar) {
  vcl::TClientDataSet* data_set = report.DataSet();
  // A report without a query of its own has no rows to list either.
  if (data_set == nullptr || data_set->IsEmpty()) return;
  if (ordenar) ordenar();
  const int total = data_set->RecordCount();
  data_set->First();
  int n = 0;
  while (!data_set->Eof()) {
    report.Report()->RepPrintSection(section);
    ++n;
    report.Report()->CSLShowProgress(n, total);
    data_set->Next();
  }
}
