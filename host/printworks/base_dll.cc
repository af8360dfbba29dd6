#include "host/printworks/base_dll.h"

namespace printworks {

TnrwBaseDll::TnrwBaseDll(TnrwReport* report) : report_(report) {}
TnrwBaseDll::~TnrwBaseDll() = default;

// The engine's own operations do nothing: the report classes override what
// they need, and the section lists are empty unless a report names some.
std::vector<int> TnrwBaseDll::CriarListaSectionsParaZebrar() { return {}; }
std::vector<int> TnrwBaseDll::CriarListaSectionsTrocaCor() { return {}; }
void TnrwBaseDll::RepInterno(TnDMReport*) {}
void TnrwBaseDll::ImprimirInterno() {}
void TnrwBaseDll::DoParamChange(vcl::TObject*, TnpqParamItem*) {}
void TnrwBaseDll::DoParamEnter(vcl::TObject*, TnpqParamItem*) {}
void TnrwBaseDll::DoParamExit(vcl::TObject*, TnpqParamItem*) {}
void TnrwBaseDll::DoZebradoBeforeSection(vcl::TObject*, int) {}
void TnrwBaseDll::DepoisConfigurar(TWinControl*) {}
void TnrwBaseDll::AntesConfigurar(TWinControl*) {}

std::string TnrwBaseDll::RepParam(const std::string& name) const {
  return report_->GetParams().GetValues(name);
}

}  // namespace printworks
