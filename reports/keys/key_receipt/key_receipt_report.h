// KeyReceiptReport: the hand-over receipts of the keys an office lent out on
// one day, one receipt (one page) per taker and user.
//
// The day's hand-outs come from one query, sorted by taker name, office,
// property and key. A hand-out already answered by a return or a write-off
// (the key's next movement, SEQ + 1) is left out; every key movement of the
// office is fetched once and each printed hand-out finds its successor by a
// keyed search on that list. Consecutive printed hand-outs with the same taker
// name and the same user share a receipt: sections 8, 9 and 10 per key, then
// section 11 and a page end after the receipt's last printed key.
//
// A failed query releases the datasets and reaches the host as an error.
#pragma once

#include <memory>
#include <string>

#include "frame/field_map.h"
#include "host/dataworks/client_dataset.h"
#include "host/printworks/base_dll.h"
#include "host/vcl/datetime.h"

NRW_FIELD_MAP(TMapChaveMovimento, CODIGOESCRIT, CODIGOIMOVEL, CODIGOCHAVE, SEQ,
              TIPOMOVIMENTO, DATAMOVIMENTO, CODIGOUSUARIO, CODIGOPESSOAFIN,
              NOMEPESSOA, OBSERVACAO, TIPOINSCFEDERAL, INSCFEDERAL,
              NOMEUSUARIOCOMPL, CODIGOENDERECO, CODIGOMUNICIPIO, ENDERECO1,
              ENDERECO2, CEP, COMPLEMENTO, DSTIPOLOGRADORO, NOMELOGRADORO,
              CODIGOBAIRRO, NOMEBAIRRO, NOMEMUNICIPIO, SIGLAESTADO, NRENDERECO,
              COMPLEMENTOIMO, DSTPIMOVEL, REFERENCIA, NUMEROSERIE,
              CODIGOLOCALCHAVE, QUADRO, COLUNA, LINHA, DESCRICAO, DATABAIXA);

NRW_FIELD_MAP(TMapEmpresa, CODIGOPESSOAFIN, NOME, NOMEMUNICIPIO, SIGLAESTADO,
              INSCFEDERAL, DIASDEVOLUCAOCHAVE);

NRW_FIELD_MAP(TMapCompleto, CODIGOESCRIT, CODIGOIMOVEL, CODIGOCHAVE, SEQ,
              TIPOMOVIMENTO);

class TKeyReceiptReport : public printworks::TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  ~TKeyReceiptReport() override;

  static std::string Versao();
  void ImprimirInterno() override;

  // The parameter form's events do nothing for this report.
  void DoParamChange(vcl::TObject* Sender, printworks::TnpqParamItem* _AParam) override;
  void DoParamEnter(vcl::TObject* Sender, printworks::TnpqParamItem* _AParam) override;
  void DoParamExit(vcl::TObject* Sender, printworks::TnpqParamItem* _AParam) override;

 private:
  void CarregarParametros();
  void caregarDados();
  std::string SQLChaveMovimento() const;
  std::string SQLMovimentoCompleto() const;
  std::string SQLEmpresa() const;
  void imprimirNomeEmpresa();
  void ImprimirProtocolos();

  // True when the current movement's next movement of the same key is a
  // return or a write-off.
  bool MovimentoRespondido();
  // Moves past answered movements to the next one to print (or the end).
  void PularRespondidos();
  void ImprimirChave();
  void LiberarDados();

  int FCodigoEscrit = 0;
  vcl::TDateTime FDataSaida = 0;
  int FCodigoImovel = 0;
  int FCodigoUsuario = 0;
  int FCodigoPessoa = 0;
  std::string FNomePessoa;
  std::string FFiltro;
  std::unique_ptr<dataworks::TnClientDataSet> FCdsEmpresa;
  std::unique_ptr<dataworks::TnClientDataSet> FCdsChaveMovimento;
  std::unique_ptr<dataworks::TnClientDataSet> FCdsMovimentoCompleto;
};
