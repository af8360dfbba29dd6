#include "host/typeworks/typeworks.h"

#include <gtest/gtest.h>

namespace typeworks {
namespace {

TEST(TypeworksTest, TextsAndCodes) {
  EXPECT_EQ(THelperEnumStr::TDicSimNao(TDicSimNao::dsnNao), "Não");
  EXPECT_EQ(THelperEnumStr::TDicSimNao(TDicSimNao::dsnSim), "Sim");
  EXPECT_EQ(THelperEnumStr::TTipoNegociacaoTexts(),
            (std::vector<std::string>{"Venda", "Locação", "Venda e Locação", "Permuta"}));
  EXPECT_EQ(THelperEnumStr::TTipoNegociacao(TTipoNegociacao::tnVendaLocacao), "Venda e Locação");
  EXPECT_EQ(THelperEnumInt::TnTipoMovimento(TnTipoMovimento::tmSaida), 1);
  EXPECT_EQ(THelperEnumInt::TnTipoMovimento(static_cast<TnTipoMovimento>(1)), 1);
  EXPECT_EQ(THelperEnumInt::TnTipoMovimento(TnTipoMovimento::tmBaixa), 3);
}

}  // namespace
}  // namespace typeworks
