#include "frame/office_heading.h"

#include "host/printworks/param.h"
#include "host/vcl/convert.h"

namespace frame {

void DefinirCabecalhoEscritorio(printworks::TnpqPowerParam& params, int codigo,
                                const std::string& nome, const std::string& inscricao) {
  params.SetValues("pNomeEmpresa", vcl::FormatFloat("0000", codigo) + " " + nome);
  params.SetValues("pInscrFederal", "CNPJ: " + inscricao);
}

}  // namespace frame
