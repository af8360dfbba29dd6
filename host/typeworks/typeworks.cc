#include "host/typeworks/typeworks.h"

#include "host/vcl/exceptions.h"

namespace typeworks {

namespace {

const std::string& TextAt(const std::vector<std::string>& texts, int ordinal, const char* type) {
  if (ordinal < 0 || ordinal >= static_cast<int>(texts.size())) {
    throw vcl::Exception(std::string("Valor inválido para ") + type + ": " + std::to_string(ordinal));
  }
  return texts[ordinal];
}

}  // namespace

const std::vector<std::string>& THelperEnumStr::TDicSimNaoTexts() {
  static const std::vector<std::string> texts = {"Não", "Sim"};
  return texts;
}

const std::vector<std::string>& THelperEnumStr::TTipoNegociacaoTexts() {
  static const std::vector<std::string> texts = {"Venda", "Locação", "Venda e Locação", "Permuta"};
  return texts;
}

std::string THelperEnumStr::TDicSimNao(typeworks::TDicSimNao value) {
  return TextAt(TDicSimNaoTexts(), static_cast<int>(value), "TDicSimNao");
}

std::string THelperEnumStr::TTipoNegociacao(typeworks::TTipoNegociacao value) {
  return TextAt(TTipoNegociacaoTexts(), static_cast<int>(value), "TTipoNegociacao");
}

int THelperEnumInt::TnTipoMovimento(typeworks::TnTipoMovimento value) {
  // The code stored in the movement tables is the ordinal.
  return static_cast<int>(value);
}

}  // namespace typeworks
