#include "frame/nrw_base_dll_reg.h"

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "host/printworks/report.h"
#include "host/vcl/exceptions.h"

const printworks::TnrwBaseDllClass* FClassDll = nullptr;

const printworks::TnrwBaseDllClass* ClassDll() { return FClassDll; }

std::string MensagemNaoRelatorio(const void* address) {
  char digits[2 * sizeof(uintptr_t) + 1];
  std::snprintf(digits, sizeof digits, "%08" PRIXPTR, reinterpret_cast<uintptr_t>(address));
  return std::string("Erro: Endereço: ") + digits + " nao é de relatório.";
}

void NRW_STDCALL Imprimir(void* report) {
  // The engine keeps a list of its live reports: an address is a report only
  // when it is on that list, so nothing is read through a stranger's address.
  if (!printworks::TnrwReport::IsReport(report)) {
    throw vcl::Exception(MensagemNaoRelatorio(report));
  }
  if (FClassDll == nullptr) throw vcl::Exception("FClassDll está nil.");
  // The object dies on every path; an exception of the report goes on as is.
  std::unique_ptr<printworks::TnrwBaseDll> instance =
      FClassDll->Create(static_cast<printworks::TnrwReport*>(report));
  instance->ImprimirInterno();
}
