#include "host/entityworks/balancete_placa_imovel.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include "host/dataworks/sql.h"

namespace entityworks {

namespace {

using dataworks::TnClientDataSet;
using dataworks::TnpqTypeInclusionExV;

// " AND <condition> " for a selection text, or nothing when it is empty.
std::string Selecao(const std::string& column, const std::string& text) {
  if (text.empty()) return "";
  return dataworks::FilterInterval(column, text, TnpqTypeInclusionExV::tieIncluir,
                                   true, 3, -1) +
         " ";
}

int Unidades(double quantidade) { return static_cast<int>(std::llround(quantidade)); }

std::string SQLPlacas(const std::string& filtro_placa, const std::string& filtro_imovel) {
  return "select PLA.CODIGOPLACA, PLA.REFERENCIA, PLA.SALDOTOTAL, TIP.DESCRICAO "
         "from PLACA PLA "
         "inner join TIPOPLACA TIP on TIP.CODIGOTIPOPLACA = PLA.CODIGOTIPOPLACA "
         "where PLA.CODIGOESCRIT = :pCodigoEscrit "
         "  and exists (select PLM.CODIGOPLACA from PLACAMOVIMENTO PLM "
         "              where PLM.CODIGOESCRIT = PLA.CODIGOESCRIT "
         "                and PLM.CODIGOPLACA = PLA.CODIGOPLACA "
         "                and PLM.DATAMOVIMENTO <= :pDataBase " +
         Selecao("PLM.CODIGOIMOVEL", filtro_imovel) + ") " +
         Selecao("PLA.CODIGOPLACA", filtro_placa) + "order by PLA.CODIGOPLACA";
}

// Per sign and property, the units sent out (type 1) and brought back (type 2).
std::string SQLLinhas(const std::string& filtro_placa) {
  return "select PLM.CODIGOPLACA, PLM.CODIGOIMOVEL, "
         "  sum(case when PLM.TIPOMOVIMENTO = 1 then PLM.QUANTIDADE else 0 end) as SAIDA, "
         "  sum(case when PLM.TIPOMOVIMENTO = 2 then PLM.QUANTIDADE else 0 end) as ENTRADA "
         "from PLACAMOVIMENTO PLM "
         "where PLM.CODIGOESCRIT = :pCodigoEscrit "
         "  and PLM.DATAMOVIMENTO <= :pDataBase "
         "  and PLM.TIPOMOVIMENTO in (1, 2) "
         "  and PLM.CODIGOIMOVEL > 0 " +
         Selecao("PLM.CODIGOPLACA", filtro_placa) +
         "group by PLM.CODIGOPLACA, PLM.CODIGOIMOVEL "
         "order by PLM.CODIGOPLACA, PLM.CODIGOIMOVEL";
}

// Type and address of every property of the office. Fetched whole: the
// office's properties are far fewer than its sign movements, and a filter by
// "has sign movements" would cost a search of the movements per property.
std::string SQLImoveis() {
  return "select IMO.CODIGOIMOVEL, TPI.DSTPIMOVEL, VEN.ENDERECO1, IMO.NRENDERECO, "
         "  IMO.COMPLEMENTO, VEN.NOMEBAIRRO, VEN.NOMEMUNICIPIO, VEN.SIGLAESTADO "
         "from IMOVEL IMO "
         "left outer join TPIMOVEL TPI on TPI.CODIGOTPIMOVEL = IMO.CODIGOTPIMOVEL "
         "left outer join VENDERECO VEN on VEN.CODIGOENDERECO = IMO.CODIGOENDERECO "
         "where IMO.CODIGOESCRIT = :pCodigoEscrit "
         "order by IMO.CODIGOIMOVEL";
}

void Acrescentar(std::string& texto, const std::string& antes, const std::string& parte) {
  if (!parte.empty()) texto += antes + parte;
}

// The columns of the property query, looked up once.
struct CamposImovel {
  explicit CamposImovel(TnClientDataSet& ds)
      : tipo(ds.FieldByName("DSTPIMOVEL")),
        endereco1(ds.FieldByName("ENDERECO1")),
        numero(ds.FieldByName("NRENDERECO")),
        complemento(ds.FieldByName("COMPLEMENTO")),
        bairro(ds.FieldByName("NOMEBAIRRO")),
        municipio(ds.FieldByName("NOMEMUNICIPIO")),
        estado(ds.FieldByName("SIGLAESTADO")) {}
  vcl::TField& tipo;
  vcl::TField& endereco1;
  vcl::TField& numero;
  vcl::TField& complemento;
  vcl::TField& bairro;
  vcl::TField& municipio;
  vcl::TField& estado;
};

// "Casa - Rua das Flores, 10 apto 3 - Centro - Campinas/SP" from the current
// row; empty parts are left out with their separators.
std::string DescreverImovel(const CamposImovel& campos) {
  std::string endereco;
  Acrescentar(endereco, "", campos.endereco1.AsString());
  Acrescentar(endereco, ", ", campos.numero.AsString());
  Acrescentar(endereco, " ", campos.complemento.AsString());
  Acrescentar(endereco, " - ", campos.bairro.AsString());
  Acrescentar(endereco, " - ", campos.municipio.AsString());
  Acrescentar(endereco, "/", campos.estado.AsString());
  std::string tipo = campos.tipo.AsString();
  if (tipo.empty()) return endereco;
  if (endereco.empty()) return tipo;
  return tipo + " - " + endereco;
}

}  // namespace

TnBalancetePlacaImovel::TnBalancetePlacaImovel() = default;
TnBalancetePlacaImovel::~TnBalancetePlacaImovel() = default;

TnListaPlaca* TnBalancetePlacaImovel::GerarLancamentos(int codigo_escrit,
                                                       vcl::TDateTime data_base) {
  const vcl::VariantArray valores{static_cast<int64_t>(codigo_escrit),
                                  vcl::DateTimeValue{data_base}};
  auto placas = dataworks::ExecutarSQL(SQLPlacas(FiltroPlaca, FiltroImovel), valores);
  auto linhas = dataworks::ExecutarSQL(SQLLinhas(FiltroPlaca), valores);
  auto imoveis = dataworks::ExecutarSQL(SQLImoveis(), {valores[0]});
  linhas->SetIndexFieldNames("CODIGOPLACA;CODIGOIMOVEL");
  imoveis->SetIndexFieldNames("CODIGOIMOVEL");

  vcl::TField& codigo_placa = placas->FieldByName("CODIGOPLACA");
  vcl::TField& referencia = placas->FieldByName("REFERENCIA");
  vcl::TField& saldo_total = placas->FieldByName("SALDOTOTAL");
  vcl::TField& descricao = placas->FieldByName("DESCRICAO");
  vcl::TField& codigo_imovel = linhas->FieldByName("CODIGOIMOVEL");
  vcl::TField& saida = linhas->FieldByName("SAIDA");
  vcl::TField& entrada = linhas->FieldByName("ENTRADA");
  const CamposImovel campos_imovel(*imoveis);

  auto lista = std::make_unique<TnListaPlaca>();
  lista->Placas.reserve(placas->RecordCount());
  double total = 0;
  for (placas->First(); !placas->Eof(); placas->Next()) {
    TnPlaca placa;
    placa.CodigoPlaca = codigo_placa.AsInteger();
    placa.Referencia = referencia.AsString();
    placa.DescricaoTipo = descricao.AsString();
    placa.SaldoTotal = Unidades(saldo_total.AsFloat());

    const int64_t chave = placa.CodigoPlaca;
    linhas->SetRange({chave}, {chave});
    for (; !linhas->Eof(); linhas->Next()) {
      TnPlacaImovel imovel;
      imovel.CodigoImovel = codigo_imovel.AsInteger();
      imovel.Saida = Unidades(saida.AsFloat());
      imovel.Entrada = Unidades(entrada.AsFloat());
      if (imoveis->FindKey({static_cast<int64_t>(imovel.CodigoImovel)})) {
        imovel.DescrImovel = DescreverImovel(campos_imovel);
      }
      placa.SaldoImoveis += imovel.Saida - imovel.Entrada;
      placa.Imoveis.push_back(std::move(imovel));
    }
    placa.SaldoImobiliaria = placa.SaldoTotal - placa.SaldoImoveis;
    total += placa.SaldoTotal;
    lista->Placas.push_back(std::move(placa));
  }

  lista_ = std::move(lista);
  Total = total;
  return lista_.get();
}

}  // namespace entityworks
