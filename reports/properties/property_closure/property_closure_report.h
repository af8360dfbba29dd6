// TPropertyClosureReport: the history of write-offs and reactivations of one
// property, merged in date order, with a heading holding the property's code,
// type and address, each line's date, kind, reason, remark and the name of the
// user who recorded it. Section 8 per line, section 9 after the last.
#pragma once

#include <memory>
#include <string>

#include "frame/field_map.h"
#include "host/dataworks/client_dataset.h"
#include "host/printworks/base_dll.h"

// The columns of the merged history that the report reads.
NRW_FIELD_MAP(TBxaReat, CodigoEscrit, CodigoImovel, Tipo, TipoMotivo, DataMvto, DataHoraAlter,
              Obs, CodigoUsuario);

class TPropertyClosureReport : public printworks::TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  ~TPropertyClosureReport() override;

  static std::string Versao();
  void ImprimirInterno() override;
  // The parameter form's events do nothing for this report.
  void DoParamChange(vcl::TObject* Sender, printworks::TnpqParamItem* _AParam) override {}
  void DoParamEnter(vcl::TObject* Sender, printworks::TnpqParamItem* _AParam) override {}
  void DoParamExit(vcl::TObject* Sender, printworks::TnpqParamItem* _AParam) override {}

  std::string SQLBaixaReativacao();
  std::string SQLImovel();
  // The user query for a comma-separated list of user codes.
  std::string SQLUsuario(const std::string& pCodigoUsuario);
  void CarregarParametros();
  // Runs the property query and sets pDescImovel and pEndereco.
  void SetDadosImovel();
  // Loads the code and name of every user occurring in the history.
  void CarregarUsuarios();
  // Sets the line's printed values from the current history row. A user not
  // among the loaded ones prints an empty name.
  void SetDados();

 private:
  int FCodigoEscrit = 0;
  int FCodigoImovel = 0;
  std::unique_ptr<dataworks::TnClientDataSet> FCdsBaixaReativacao;
  std::unique_ptr<dataworks::TnClientDataSet> FCurUsuario;
  std::unique_ptr<dataworks::TnClientDataSet> FCurImovel;
};
