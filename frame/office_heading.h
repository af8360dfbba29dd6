// The office heading that the sign, key and inspection reports set before
// their sections: pNomeEmpresa is the office's code in four digits, a blank
// and its name; pInscrFederal is "CNPJ: " followed by its tax number.
#pragma once

#include <string>

namespace printworks {
class TnpqPowerParam;
}

namespace frame {

void DefinirCabecalhoEscritorio(printworks::TnpqPowerParam& params, int codigo,
                                const std::string& nome, const std::string& inscricao);

}  // namespace frame
