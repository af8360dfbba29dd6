// Domain enumerations and the texts the parameter form shows for them.
#pragma once

#include <string>
#include <vector>

namespace typeworks {

enum class TDicSimNao { dsnNao = 0, dsnSim = 1 };
enum class TTipoNegociacao { tnVenda = 0, tnLocacao = 1, tnVendaLocacao = 2, tnPermuta = 3 };
enum class TnTipoMovimento { tmAquisicao = 0, tmSaida = 1, tmEntrada = 2, tmBaixa = 3 };

struct THelperEnumStr {
  // "Não", "Sim"
  static std::string TDicSimNao(typeworks::TDicSimNao value);
  // "Venda", "Locação", "Venda e Locação", "Permuta"
  static std::string TTipoNegociacao(typeworks::TTipoNegociacao value);
  // All texts in ordinal order (the choices of a form control).
  static const std::vector<std::string>& TDicSimNaoTexts();
  static const std::vector<std::string>& TTipoNegociacaoTexts();
};

struct THelperEnumInt {
  // The integer code stored for a movement type (ordinal 1 -> 1).
  static int TnTipoMovimento(typeworks::TnTipoMovimento value);
};

}  // namespace typeworks
