// TInspectionReport: the inspection terms of one office for a period of
// request dates, optionally narrowed to some properties or some inspections.
//
// Each inspection prints on pages of its own: section 8 (title, property,
// contract, kind, inspector, dates), section 9 (the description, turned from
// stored rich text into plain lines shown by the object "pDadosVistoria") and
// section 10 (place and date, landlord and tenant), with a page end between
// two inspections. Progress is reported before each inspection prints.
//
// Every dataset, the line list and the byte buffer are released when
// ImprimirInterno ends, normally or by an error; the tenant look-ups release
// theirs as soon as the name is read.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "frame/field_map.h"
#include "host/dataworks/client_dataset.h"
#include "host/dataworks/sql.h"
#include "host/printworks/base_dll.h"
#include "host/vcl/datetime.h"

NRW_FIELD_MAP(TEmpMap, CODIGOPESSOAFIN, NOME, INSCFEDERAL, NOMEMUNIC);
NRW_FIELD_MAP(TVisMap, CODIGOESCRIT, CODIGOIMOVEL, CODIGOVISTORIA, CODIGOVISTORIAADENDO,
              CODIGOCONTRATO, TIPOVISTORIA, DATASOLICITACAO, DATAVISTORIA, DESCRICAO,
              CODIGOUSUARIO, NOMEUSUARIO, NOME, DSIMOVEL);

class TInspectionReport : public printworks::TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;

  static std::string Versao();
  void ImprimirInterno() override;
  void DoParamChange(vcl::TObject* Sender, printworks::TnpqParamItem* _AParam) override {}
  void DoParamEnter(vcl::TObject* Sender, printworks::TnpqParamItem* _AParam) override {}
  void DoParamExit(vcl::TObject* Sender, printworks::TnpqParamItem* _AParam) override {}

  // The word printed for an inspection kind; the empty text for an unknown one.
  static std::string TipoVistoriaTexto(int tipo);

 private:
  void CarregarParametros();
  void CarregarEmpresa();
  void CarregarVistorias();
  std::string SQLEmpresa() const;
  std::string SQLVistoria() const;
  std::string SQLLocatarioAdendo() const;
  std::string SQLResponsavelImovel() const;
  void imprimirNomeEmpresa();
  void ImprimirVistoria();
  void ImprimirLocadorLocatario();
  // Runs an auxiliary query and answers NOME of its first row ("" when none);
  // its dataset is gone when this returns, also by an error.
  std::string PrimeiroNome(const std::string& sql, const vcl::VariantArray& values);
  void Liberar();

  int FCodigoEscrit = 0;
  vcl::TDateTime FDataInicial = 0;
  vcl::TDateTime FDataFinal = 0;
  std::string FCodigoImovel;
  std::string FCodigoVistoria;
  std::unique_ptr<dataworks::TnClientDataSet> FCdsEmpresa;
  std::unique_ptr<dataworks::TnClientDataSet> FCdsVistoria;
  std::vector<std::string> FLista;  // the description's lines
  std::string FStream;              // the description's stored bytes
};
