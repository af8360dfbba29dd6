// FrameProbeReport: a report used only by the frame's and the host's tests.
// What it does is chosen by its parameter pModo:
//   "listagem" (or empty)  the plain listing loop over DataSet, section 8,
//                          ordered by the index fields in pOrdenar when given;
//   "erro"                 raises pMensagem (an EConvertError) inside
//                          ImprimirInterno;
//   "valores"              sets printed values, prints sections, a caption
//                          and a page end (the host's rendering tests);
//   "falha-construtor"     the constructor itself raises pMensagem.
// On the form, DepoisConfigurar writes "configurado" into pInicial, and a
// change of pTrava to the value "1" closes and empties pLivre ("0" opens it again).
// Test hooks count the objects created and destroyed.
#include <string>

#include "frame/listing_loop.h"
#include "frame/nrw_base_dll_reg.h"
#include "host/printworks/base_dll.h"
#include "host/vcl/client_dataset.h"
#include "host/vcl/exceptions.h"
#include "host/vcl/strings.h"

namespace {

int g_created = 0;
int g_destroyed = 0;

class TFrameProbeReport : public printworks::TnrwBaseDll {
 public:
  static std::string Versao() { return "[versao: 9.8.7.6]"; }

  explicit TFrameProbeReport(printworks::TnrwReport* report) : TnrwBaseDll(report) {
    if (report->GetParams().GetValues("pModo") == "falha-construtor") {
      throw vcl::Exception(report->GetParams().GetValues("pMensagem"));
    }
    ++g_created;
  }
  ~TFrameProbeReport() override { ++g_destroyed; }

  std::vector<int> CriarListaSectionsParaZebrar() override {
    TnrwBaseDll::CriarListaSectionsParaZebrar();
    return {8};
  }

  void ImprimirInterno() override {
    const std::string modo = RepParam("pModo");
    if (modo == "erro") throw vcl::EConvertError(RepParam("pMensagem"));
    if (modo == "valores") return ImprimirValores();
    ImprimirListagem(*this, 8, [this] {
      const std::string ordem = RepParam("pOrdenar");
      if (!ordem.empty()) DataSet()->SetIndexFieldNames(ordem == "-1" ? "" : ordem);
    });
  }

  void DepoisConfigurar(printworks::TWinControl* parent) override {
    TnrwBaseDll::DepoisConfigurar(parent);
    if (auto* control = Report()->GetParams().EdFindFieldControl("pInicial")) {
      control->SetText("configurado");
    }
  }

  void DoParamChange(vcl::TObject* sender, printworks::TnpqParamItem* param) override {
    auto& params = Report()->GetParams();
    if (!param || !vcl::SameText(param->Name(), "pTrava")) return;
    auto* trava = params.EdFindFieldControl(param);
    auto* livre = params.EdFindFieldControl("pLivre");
    if (!trava || !livre) return;
    const bool fechar = trava->Value() == "1";
    livre->SetEnabled(!fechar);
    if (fechar) livre->Clear();
  }

 private:
  void ImprimirValores() {
    auto& params = Report()->GetParams();
    params.SetValues("pNome", "Ana \"A\"\\B");
    params.SetValues("pValor", "1.234,50");
    RepPrintSection(8);
    Report()->CSLShowProgress(1, 2);
    Report()->SetDelphiObjCaption("oTexto", "linha 1\r\nlinha 2");
    params.SetValues("PNOME", "");
    RepPrintSection(9);
    Report()->CSLShowProgress(2, 2);
    RepEndOfPage(true);
  }
};

}  // namespace

NRW_REGISTER_REPORT(TFrameProbeReport)

NRW_EXPORT int FrameProbeCreated() { return g_created; }
NRW_EXPORT int FrameProbeDestroyed() { return g_destroyed; }
