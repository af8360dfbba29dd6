// Small agency databases for the sign report tests, and readers of what a
// report printed.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/vcl/datetime.h"
#include "host/vcl/variant.h"
#include "tests/support/plugin_harness.h"
#include "tests/support/test_database.h"

namespace sign_test {

inline vcl::Variant Data(int day, int month, int year) {
  return vcl::DateTimeValue{vcl::EncodeDate(year, month, day)};
}

// Inserts only the rows a case needs.
class SignDatabase {
 public:
  testing_support::TestDatabase db;

  void Escritorio(int codigo, const std::string& nome, const std::string& cnpj) {
    db.Exec("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (:c, :n, :i)",
            {int64_t{codigo}, nome, cnpj});
    db.Exec("insert into ESCRITORIO (CODIGOESCRIT) values (:c)", {int64_t{codigo}});
  }
  void TipoPlaca(int codigo, const std::string& descricao) {
    db.Exec("insert into TIPOPLACA (CODIGOTIPOPLACA, DESCRICAO) values (:c, :d)",
            {int64_t{codigo}, descricao});
  }
  void Placa(int escritorio, int codigo, std::optional<std::string> referencia, int tipo,
             double comprimento, double altura, double saldo_total) {
    db.Exec("insert into PLACA (CODIGOESCRIT, CODIGOPLACA, REFERENCIA, CODIGOTIPOPLACA, "
            "COMPRIMENTO, ALTURA, SALDOTOTAL) values (:e, :c, :r, :t, :cp, :a, :s)",
            {int64_t{escritorio}, int64_t{codigo},
             referencia ? vcl::Variant(*referencia) : vcl::Variant(vcl::Null{}), int64_t{tipo},
             comprimento, altura, saldo_total});
  }
  void Movimento(int escritorio, int codigo, int tipo, const vcl::Variant& data, int placa,
                 int imovel, double quantidade, const std::string& observacao = "") {
    db.Exec("insert into PLACAMOVIMENTO (CODIGOESCRIT, CODIGOMOVIMENTO, TIPOMOVIMENTO, "
            "DATAMOVIMENTO, CODIGOPLACA, CODIGOIMOVEL, QUANTIDADE, OBSERVACAO) "
            "values (:e, :c, :t, :d, :p, :i, :q, :o)",
            {int64_t{escritorio}, int64_t{codigo}, int64_t{tipo}, data, int64_t{placa},
             int64_t{imovel}, quantidade, observacao});
  }
  // A property with its type and an address "<tipo> <logradouro>" in a
  // district and municipality; every code is the property's own.
  void Imovel(int escritorio, int codigo, const std::string& tipo_imovel,
              const std::string& tipo_logradouro, const std::string& logradouro,
              const std::string& numero, const std::string& complemento_endereco,
              const std::string& bairro, const std::string& municipio, const std::string& uf) {
    const int64_t c = codigo;
    db.Exec("insert into TPIMOVEL (CODIGOTPIMOVEL, TIPOIMOVEL, DSTPIMOVEL) values (:c, 0, :d)",
            {c, tipo_imovel});
    db.Exec("insert into TIPOLOGRADORO (CODIGOTIPOLOGRADORO, DSTIPOLOGRADORO) values (:c, :d)",
            {c, tipo_logradouro});
    db.Exec("insert into LOGRADORO (CODIGOLOGRADORO, NOMELOGRADORO) values (:c, :d)",
            {c, logradouro});
    db.Exec("insert into BAIRRO (CODIGOBAIRRO, NOMEBAIRRO) values (:c, :d)", {c, bairro});
    db.Exec("insert into MUNICIPIO (CODIGOMUNICIPIO, NOMEMUNIC, SIGLAESTADO) values (:c, :d, :u)",
            {c, municipio, uf});
    db.Exec("insert into ENDERECO (CODIGOENDERECO, CODIGOTIPOLOGRADORO, CODIGOLOGRADORO, "
            "CODIGOBAIRRO, CODIGOMUNICIPIO, COMPLEMENTO) values (:c, :c, :c, :c, :c, :k)",
            {c, complemento_endereco});
    db.Exec("insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOTPIMOVEL, CODIGOENDERECO, "
            "NRENDERECO) values (:e, :c, :c, :c, :n)",
            {int64_t{escritorio}, c, numero});
  }
};

// One text per printed section: the section number, then the values that
// the named printed parameters showed at that moment ("8|00001|3").
// Sections not named in `columns` print their number only.
inline std::vector<std::string> Printed(const testing_support::PluginRun& run,
                                        const std::map<int, std::vector<std::string>>& columns) {
  std::vector<std::string> lines;
  for (const auto& e : run.sink.Events()) {
    if (e.event != "section") continue;
    std::string line = std::to_string(e.section);
    auto it = columns.find(e.section);
    if (it != columns.end()) {
      for (const auto& name : it->second) {
        std::string value = "<unset>";
        for (const auto& [n, v] : e.params) {
          if (n == name) value = v;
        }
        line += "|" + value;
      }
    }
    lines.push_back(line);
  }
  return lines;
}

// Sections and progress calls in order ("section 8", "progress 1/3").
inline std::vector<std::string> Skeleton(const testing_support::PluginRun& run) {
  std::vector<std::string> lines;
  for (const auto& line : run.Lines()) {
    if (line.rfind("set ", 0) != 0) lines.push_back(line);
  }
  return lines;
}

// The value last set for a printed parameter, or "<unset>".
inline std::string LastSet(const testing_support::PluginRun& run, const std::string& name) {
  std::string value = "<unset>";
  for (const auto& e : run.sink.Events()) {
    if (e.event == "set" && e.name == name) value = e.value;
  }
  return value;
}

}  // namespace sign_test

namespace sign_test {

// True when a run that raised printed, set and showed nothing before it.
inline bool OnlyTheError(const testing_support::PluginRun& run) {
  return run.Lines() == std::vector<std::string>{"error " + run.error};
}

}  // namespace sign_test
