// The frame built into every plug-in library: the report-class variable
// FClassDll, the two exported entry points, and the one-line start-up
// registration of the plug-in's report class.
//
//   NRW_REGISTER_REPORT(TCountryListReport);
#pragma once

#include "host/printworks/base_dll.h"

#if defined(__i386__) && defined(_WIN32)
#define NRW_STDCALL __stdcall
#else
#define NRW_STDCALL
#endif

#define NRW_EXPORT extern "C" __attribute__((visibility("default")))

// The plug-in's report class; null until library start-up.
extern const printworks::TnrwBaseDllClass* FClassDll;

// Exported entry points.
NRW_EXPORT const printworks::TnrwBaseDllClass* ClassDll();
// Prints with the host's report object. Raises vcl::Exception
// "Erro: Endereço: XXXXXXXX nao é de relatório." when `report` is not a live
// TnrwReport, "FClassDll está nil." when no class is registered; any exception
// of the report reaches the caller unchanged after the object is destroyed.
NRW_EXPORT void NRW_STDCALL Imprimir(void* report);

// The message for an argument that is not a report (address in upper-case
// hexadecimal, at least 8 digits).
std::string MensagemNaoRelatorio(const void* address);

// Library start-up: stores the report class in FClassDll.
#define NRW_REGISTER_REPORT(T)                                              \
  namespace {                                                               \
  const printworks::TnrwClassOf<T> nrw_report_class_{#T};                   \
  const bool nrw_registered_ = (FClassDll = &nrw_report_class_, true);      \
  }
