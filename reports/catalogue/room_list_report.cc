// RoomListReport: the rooms, narrowed by room type. Unlike the other two
// detail listings it reads its selection with GetValues, keeps the query's
// order unless pOrdenar is filled (and then insists on an integer), and shows
// no progress.
#include <memory>

#include "frame/nrw_base_dll_reg.h"
#include "host/vcl/strings.h"
#include "reports/catalogue/detail_catalogue.h"

namespace {
constexpr std::array<catalogue::ValorImpresso, 3> kLinha{
    {{"pCodigoComodo", "CODIGOCOMODOS"}, {"pTipoComodo", "TIPOSCOMODOS"}, {"pDsComodo", "DSCOMODOS"}}};
constexpr std::array<const char*, 7> kTiposComodo{
    "Banheiros e Lavabos", "Cozinhas", "Garagens", "Quartos", "Salas e Ambientes", "Suítes",
    "Área Serviços"};
constexpr std::array<const char*, 2> kOrdenacoes{"CODIGOCOMODOS;TIPOSCOMODOS;DSCOMODOS",
                                                 "DSCOMODOS;CODIGOCOMODOS  "};
}  // namespace

class TRoomListReport final : public printworks::TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;

  static std::string Versao() { return "[versao: 1.1.85.0]"; }

  void ImprimirInterno() override {
    caregarDados();
    dataworks::LiberarAoSair liberar(FCDS);
    if (FCDS->IsEmpty()) return;
    ordenar();
    FCDS->First();
    while (!FCDS->Eof()) {
      // A room type outside the table prints an empty text, never the
      // previous line's.
      catalogue::ImprimirLinha(*Report(), *FCDS, kLinha, kTiposComodo);
      FCDS->Next();
    }
  }

 private:
  void caregarDados() {
    std::string sql =
        "SELECT CMD.CODIGOCOMODOS, CMD.TIPOSCOMODOS, CMD.DSCOMODOS FROM COMODOS CMD WHERE 1=1";
    dataworks::AcrescentarFiltroIntervalo(sql, "CMD.TIPOSCOMODOS",
                                          Report()->GetParams().GetValues("pTiposComodos"));
    FCDS = dataworks::ExecutarSQL(sql, {}, true, false, -1, "", nullptr, true);
  }

  void ordenar() {
    const std::string texto = RepParam("pOrdenar");
    if (vcl::Trim(texto).empty()) return;
    const int valor = vcl::StrToInt(texto);
    if (valor == 0 || valor == 1) FCDS->SetIndexFieldNames(kOrdenacoes[valor]);
  }

  std::unique_ptr<dataworks::TnClientDataSet> FCDS;
};

NRW_REGISTER_REPORT(TRoomListReport);
