// KeyMovementReport: the ledger of an office's key movements over a period
// (both days included), grouped by property.
//
// Each property opens with section 10 showing its description line (R7);
// each movement prints section 8 with its date, key, kind, person,
// observation and user (R1 to R6). Between two properties one section 8 with
// R1 to R6 emptied separates the blocks. Movements without a property sort
// first, under an empty heading. The property and movement-type selections
// are selection texts turned into conditions by the data layer.
//
// An office code that names no office prints nothing. A failed query
// releases the datasets and reaches the host as an error.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "frame/field_map.h"
#include "host/dataworks/client_dataset.h"
#include "host/printworks/base_dll.h"
#include "host/vcl/datetime.h"

NRW_FIELD_MAP(TMapChm, CODIGOESCRIT, CODIGOIMOVEL, CODIGOCHAVE, SEQ, TIPOMOVIMENTO,
              DATAMOVIMENTO, CODIGOUSUARIO, CODIGOPESSOAFIN, NOMEPESSOA, OBSERVACAO,
              NOME, NOMEUSUARIOCOMPL, CODIGOENDERECO, CODIGOMUNICIPIO, ENDERECO1,
              ENDERECO2, CEP, COMPLEMENTO, DSTIPOLOGRADORO, NOMELOGRADORO,
              CODIGOBAIRRO, NOMEBAIRRO, NOMEMUNICIPIO, SIGLAESTADO, NRENDERECO,
              COMPLEMENTOIMO, DSTPIMOVEL);

NRW_FIELD_MAP(TMapEmp, CODIGOPESSOAFIN, NOME, INSCFEDERAL);

// The movement being printed.
struct TRecImovel {
  int CodigoImovel = 0;
  int CodigoChave = 0;
  std::string DescrMovimentacao;  // the movement's observation
  std::string DescrImovel;        // the property description line
  vcl::TDateTime DataMvto = 0;
  int TipoMvto = 0;
  int CodUsuario = 0;
  int CodPessoa = 0;              // registered person, 0 when none
  std::string NomePessoa;         // name typed on the movement
  std::string Nome;               // registered person's name
  std::string NomeUsuario;        // user's full name
};

class TKeyMovementReport : public printworks::TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  ~TKeyMovementReport() override;

  static std::string Versao();
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;

 private:
  void CarregarParametros();
  void caregarDados();
  std::string SQLChaveMovimento() const;
  std::string SQLEmpresa() const;
  void imprimirNomeEmpresa();
  void LimparParametros();
  void ImprimirMovimentos();

  void PreencherImovel();
  void LiberarDados();

  int FCodigoEscrit = 0;
  std::string FTipoMovimento;
  std::string FCodigoImovel;
  vcl::TDateTime FDataInicial = 0;
  vcl::TDateTime FDataFinal = 0;
  TRecImovel FImovel;
  std::unique_ptr<dataworks::TnClientDataSet> FCdsChaveMovimento;
  std::unique_ptr<dataworks::TnClientDataSet> FCdsEmpresa;
};
