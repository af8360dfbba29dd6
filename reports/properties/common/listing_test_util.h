// Helpers shared by the tests of the property and person listings: a small
// agency fixture writer and readable views of a recorded run.
#pragma once

#include <string>
#include <vector>

#include "host/dataworks/client_dataset.h"
#include "host/printworks/sink.h"
#include "host/vcl/strings.h"
#include "tests/support/plugin_harness.h"
#include "tests/support/test_database.h"

namespace properties_test {

// The printed value `name` held when the section event was recorded ("" when
// never set).
inline std::string Printed(const printworks::RecordedEvent& e, const std::string& name) {
  for (const auto& [n, v] : e.params)
    if (vcl::SameText(n, name)) return v;
  return "";
}

// One line per section ("9 pImovel=...|pProprietario=...") and per progress
// call ("progress 1/2"), in the order they happened; sets are left out.
inline std::vector<std::string> Trace(const testing_support::PluginRun& run,
                                      const std::vector<std::string>& names) {
  std::vector<std::string> out;
  for (const auto& e : run.sink.Events()) {
    if (e.event == "section") {
      std::string line = std::to_string(e.section);
      for (size_t i = 0; i < names.size(); ++i)
        line += (i == 0 ? " " : "|") + names[i] + "=" + Printed(e, names[i]);
      out.push_back(line);
    } else if (e.event == "progress") {
      out.push_back("progress " + std::to_string(e.current) + "/" + std::to_string(e.total));
    }
  }
  return out;
}

// Section numbers only, in order.
inline std::vector<int> Sections(const testing_support::PluginRun& run) {
  std::vector<int> out;
  for (const auto& e : run.sink.Events())
    if (e.event == "section") out.push_back(e.section);
  return out;
}

// The value `name` shows at every section `section`, in order.
inline std::vector<std::string> Column(const testing_support::PluginRun& run, int section,
                                       const std::string& name) {
  std::vector<std::string> out;
  for (const auto& e : run.sink.Events())
    if (e.event == "section" && e.section == section) out.push_back(Printed(e, name));
  return out;
}

// `defaults` with the values of `params` put over them (names compared
// without regard to case); names only in `params` come last.
inline testing_support::ParamList Merge(testing_support::ParamList defaults,
                                        const testing_support::ParamList& params) {
  for (const auto& [name, value] : params) {
    bool found = false;
    for (auto& [n, v] : defaults)
      if (vcl::SameText(n, name)) v = value, found = true;
    if (!found) defaults.emplace_back(name, value);
  }
  return defaults;
}

// Writes the rows a case needs; the address 1 ("Rua das Flores" in
// "Centro - São Paulo/SP") and the office 1 exist from the start.
class Agency {
 public:
  Agency() {
    db.Exec("INSERT INTO MUNICIPIO (CODIGOMUNICIPIO, NOMEMUNIC, SIGLAESTADO) VALUES (1, 'São Paulo', 'SP')");
    db.Exec("INSERT INTO BAIRRO (CODIGOBAIRRO, NOMEBAIRRO, CODIGOMUNICIPIO) VALUES (1, 'Centro', 1)");
    db.Exec("INSERT INTO TIPOLOGRADORO (CODIGOTIPOLOGRADORO, DSTIPOLOGRADORO) VALUES (1, 'Rua')");
    db.Exec("INSERT INTO LOGRADORO (CODIGOLOGRADORO, NOMELOGRADORO, CODIGOTIPOLOGRADORO, "
            "CODIGOMUNICIPIO) VALUES (1, 'das Flores', 1, 1)");
    db.Exec("INSERT INTO ENDERECO (CODIGOENDERECO, CODIGOTIPOLOGRADORO, CODIGOLOGRADORO, "
            "CODIGOBAIRRO, CODIGOMUNICIPIO, CEP) VALUES (1, 1, 1, 1, 1, '01000-000')");
    Pessoa(1, "IMOBILIARIA CENTRAL", "12.345.678/0001-90");
  }

  void Pessoa(int codigo, const std::string& nome, const std::string& inscricao = "") {
    db.Exec("INSERT INTO PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) VALUES (:v1, :v2, :v3)",
            {int64_t{codigo}, nome, inscricao});
  }
  // A property type record whose TIPOIMOVEL is `tipo`; its code is 100 + tipo.
  void TipoImovel(int tipo, const std::string& descricao) {
    db.Exec("INSERT INTO TPIMOVEL (CODIGOTPIMOVEL, TIPOIMOVEL, DSTPIMOVEL) VALUES (:v1, :v2, :v3)",
            {int64_t{100 + tipo}, int64_t{tipo}, descricao});
  }
  // A property of office `escrit` at address 1 with number `numero`.
  void Imovel(int codigo, int tipo, int negociacao, const std::string& numero = "10",
              int escrit = 1) {
    db.Exec("INSERT INTO IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOTPIMOVEL, CODIGOENDERECO, "
            "NRENDERECO, NEGOCIACAO, BAIXADO, DTCADASTRO, REF) VALUES (:v1, :v2, :v3, 1, :v4, :v5, 0, "
            "'2024-01-01', :v6)",
            {int64_t{escrit}, int64_t{codigo}, int64_t{100 + tipo}, numero, int64_t{negociacao},
             "REF" + std::to_string(codigo)});
  }
  void Valores(int codigo, double venda, double locacao, int escrit = 1) {
    db.Exec("INSERT INTO IMOVELVALORES (CODIGOESCRIT, CODIGOIMOVEL, VLRVENDA, VLRLOCACAO) "
            "VALUES (:v1, :v2, :v3, :v4)",
            {int64_t{escrit}, int64_t{codigo}, venda, locacao});
  }
  // An owner link; responsible owners have both flags '1'.
  void Dono(int imovel, int pessoa, const char* responsavel = "1", const char* vinculo = "1",
            int escrit = 1) {
    vcl::Variant r = responsavel ? vcl::Variant(std::string(responsavel)) : vcl::Variant();
    vcl::Variant v = vinculo ? vcl::Variant(std::string(vinculo)) : vcl::Variant();
    db.Exec("INSERT INTO IMOVELPESSOA (CODIGOESCRIT, CODIGOIMOVEL, CODIGOPESSOAFIN, RESPONSAVEL, "
            "TIPOVINCULO) VALUES (:v1, :v2, :v3, :v4, :v5)",
            {int64_t{escrit}, int64_t{imovel}, int64_t{pessoa}, r, v});
  }

  testing_support::TestDatabase db;
};

}  // namespace properties_test
