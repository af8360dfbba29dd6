#include "host/printworks/param.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/printworks/base_dll.h"
#include "host/printworks/report.h"
#include "host/vcl/exceptions.h"

namespace printworks {
namespace {

TEST(TnpqPowerParam, NamesMatchWithoutRegardToCase) {
  TnpqPowerParam params;
  TnpqParamItem& item = params.AddItem("pOrdenar", "Ordem", "1");
  EXPECT_EQ(params.FindItem("PORDENAR"), &item);
  EXPECT_EQ(params.EdFindFieldControl("pordenar"), &item.Control());
  EXPECT_EQ(params.EdFindFieldControl(&item), &item.Control());
  EXPECT_EQ(params.EdFindFieldControl("pOutro"), nullptr);
  EXPECT_EQ(params.EdFindFieldControl(static_cast<const TnpqParamItem*>(nullptr)), nullptr);
  EXPECT_EQ(params.GetValues("PoRdEnAr"), "1");
  EXPECT_THROW(params.AddItem("PORDENAR", "", ""), vcl::Exception);
}

TEST(TnpqPowerParam, NamesHoldUpTo128Characters) {
  TnpqPowerParam params;
  const std::string longest(128, 'p');
  params.AddItem(longest, "", "a");
  params.SetValues(longest, "b");
  EXPECT_EQ(params.GetValues(longest), "b");
  const std::string too_long(129, 'p');
  EXPECT_THROW(params.AddItem(too_long, "", ""), vcl::Exception);
  EXPECT_THROW(params.SetValues(too_long, "x"), vcl::Exception);
}

TEST(TnpqPowerParam, GetValuesPrefersTheValueLastSet) {
  TnpqPowerParam params;
  params.AddItem("pCodigo", "", "10");
  EXPECT_EQ(params.GetValues("pCodigo"), "10");  // the form's value
  params.SetValues("PCODIGO", "20");
  EXPECT_EQ(params.GetValues("pcodigo"), "20");  // set over the form's value
  params.SetValues("pCodigo", "");
  EXPECT_EQ(params.GetValues("pCodigo"), "");    // the empty text clears it
  EXPECT_EQ(params.GetValues("pNinguem"), "");
  params.SetValues("pTotal", "5");
  EXPECT_EQ(params.GetValues("PTOTAL"), "5");
}

TEST(TnpqPowerParam, PrintedValuesKeepFirstOrderAndLastSpelling) {
  TnpqPowerParam params;
  params.SetValues("pA", "1");
  params.SetValues("pB", "2");
  params.SetValues("PA", "3");
  using Values = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(params.PrintedValues(), (Values{{"PA", "3"}, {"pB", "2"}}));
}

TEST(TnFraControle, ChoiceControlsSelectByShownTextOrStoredValue) {
  TnpqPowerParam params;
  TnpqParamItem& item = params.AddItem(
      "pNegociacao", "Negociação", "1",
      {{"0", "Venda"}, {"1", "Locação"}, {"2", "Venda e Locação"}, {"3", "Permuta"}});
  TnFraControle& control = item.Control();
  EXPECT_EQ(control.GetAsString(), "Locação");  // the default given by its value

  struct Case {
    std::string typed, text, value;
  } cases[] = {
      {"Venda", "Venda", "0"},
      {"2", "Venda e Locação", "2"},
      {"Permuta", "Permuta", "3"},
      {"permuta", "permuta", "permuta"},  // matched exactly: taken as typed
      {"7", "7", "7"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(control.TextAfterSetText(c.typed), c.text);
    control.SetText(c.typed);
    EXPECT_EQ(control.GetAsString(), c.text);
    EXPECT_EQ(control.Value(), c.value);
    EXPECT_EQ(params.GetValues("pNegociacao"), c.value);
  }
}

TEST(TnFraControle, FreeTextHasOneTextAndCanBeClosedAndEmptied) {
  TnpqPowerParam params;
  TnFraControle& control = params.AddItem("pDataBaixa", "", "01/02/2024").Control();
  EXPECT_EQ(control.GetAsString(), "01/02/2024");
  EXPECT_EQ(control.Value(), "01/02/2024");
  EXPECT_TRUE(control.Enabled());
  control.SetEnabled(false);
  control.Clear();
  EXPECT_FALSE(control.Enabled());
  EXPECT_EQ(control.GetAsString(), "");
  EXPECT_EQ(params.GetValues("pDataBaixa"), "");
}

TEST(TnrwReport, RegistryKnowsOnlyLiveReports) {
  auto report = std::make_unique<TnrwReport>();
  const void* address = report.get();
  vcl::TObject other;
  EXPECT_TRUE(TnrwReport::IsReport(address));
  EXPECT_FALSE(TnrwReport::IsReport(nullptr));
  EXPECT_FALSE(TnrwReport::IsReport(&other));
  EXPECT_FALSE(TnrwReport::IsReport(reinterpret_cast<const char*>(address) + 8));
  report.reset();
  EXPECT_FALSE(TnrwReport::IsReport(address));
}

TEST(TnrwBaseDll, RepParamIsTheCurrentValueAndBaseListsAreEmpty) {
  TnrwReport report;
  report.GetParams().AddItem("pOrdem", "", "0", {{"0", "Código"}, {"1", "Nome"}});
  TnrwBaseDll base(&report);
  EXPECT_EQ(base.RepParam("PORDEM"), "0");
  EXPECT_EQ(base.RepParam("pVazio"), "");
  report.GetParams().SetValues("pOrdem", "1");
  EXPECT_EQ(base.RepParam("pOrdem"), "1");
  EXPECT_TRUE(base.CriarListaSectionsParaZebrar().empty());
  EXPECT_TRUE(base.CriarListaSectionsTrocaCor().empty());
  EXPECT_EQ(base.DataSet(), nullptr);
}

}  // namespace
}  // namespace printworks
