// The property listing's parameter form: DoParamChange on a form built here,
// called on a report object made through the plug-in's class reference.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/printworks/base_dll.h"
#include "host/printworks/param.h"
#include "host/printworks/report.h"
#include "host/typeworks/typeworks.h"
#include "tests/support/plugin_harness.h"

namespace {

using printworks::TnChoice;

const char* const kRanges[] = {"pDatabaixa", "pDatabaixa_1", "pVlrvenda",
                               "pVlrvenda_1", "pVlrlocacao", "pVlrlocacao_1"};

std::vector<TnChoice> Choices(const std::vector<std::string>& texts, bool value_is_ordinal) {
  std::vector<TnChoice> out;
  for (size_t i = 0; i < texts.size(); ++i)
    out.push_back({value_is_ordinal ? std::to_string(i) : texts[i], texts[i]});
  return out;
}

testing_support::PluginHarness& Plugin() {
  static testing_support::PluginHarness plugin("PropertyListReport");
  return plugin;
}

// The listing's form as its layout holds it, every range filled in, and a
// report object of the plug-in working on it.
struct Form {
  // `skip` leaves that control out; the two names may be spelled otherwise.
  explicit Form(const std::string& skip = "", const std::string& baixado = "pBaixado",
                const std::string& negociacao = "pNegociacao") {
    auto& params = report.GetParams();
    params.AddItem("pCodigoEscrit", "Escritório", "1");
    params.AddItem(negociacao, "Negociação", "",
                   Choices(typeworks::THelperEnumStr::TTipoNegociacaoTexts(), true));
    params.AddItem(baixado, "Baixado", "");
    for (const char* name : kRanges)
      if (name != skip) params.AddItem(name, name, std::string("v-") + name);
    params.AddItem("pOrdenar", "Ordem", "");
    params.AddItem("pTotalizarTipoImovel", "Totalizar", "Não",
                   Choices(typeworks::THelperEnumStr::TDicSimNaoTexts(), false));
    object = Plugin().Class()->Create(&report);
  }

  // Edits a control as the form does and tells the report.
  void Edit(const std::string& name, const std::string& text) {
    printworks::TnpqParamItem* item = report.GetParams().FindItem(name);
    ASSERT_NE(item, nullptr) << name;
    item->Control().SetText(text);
    object->DoParamChange(nullptr, item);
  }

  printworks::TnFraControle* Control(const std::string& name) {
    return report.GetParams().EdFindFieldControl(name);
  }

  // "open" or "closed", then the text, for each range control present.
  std::map<std::string, std::string> State() {
    std::map<std::string, std::string> out;
    for (const char* name : kRanges)
      if (auto* control = Control(name))
        out[name] = std::string(control->Enabled() ? "open " : "closed ") + control->GetAsString();
    return out;
  }

  printworks::TnrwReport report;
  std::unique_ptr<printworks::TnrwBaseDll> object;
};

// Each range as "o" (open, value kept), "c" (closed, value kept) or "e"
// (closed and emptied): dates, sale values, rent values.
std::map<std::string, std::string> Expect(const std::string& datas, const std::string& venda,
                                          const std::string& locacao) {
  auto state = [](const std::string& code, const std::string& name) {
    if (code == "e") return std::string("closed ");
    return std::string(code == "o" ? "open " : "closed ") + "v-" + name;
  };
  std::map<std::string, std::string> out;
  for (const char* name : kRanges) {
    const std::string n = name;
    out[n] = state(n.rfind("pDatabaixa", 0) == 0 ? datas
                   : n.rfind("pVlrvenda", 0) == 0 ? venda
                                                   : locacao,
                   n);
  }
  return out;
}

TEST(PropertyListFormTest, ReactionTable) {
  struct Case {
    const char* name;
    const char* text;
    const char* datas;
    const char* venda;
    const char* locacao;
  };
  const Case cases[] = {
      {"pBaixado", "0", "e", "o", "o"},
      {"pBaixado", "1", "o", "o", "o"},
      {"pBaixado", "", "o", "o", "o"},
      {"pBaixado", " 0", "o", "o", "o"},  // only exactly "0" closes
      {"pNegociacao", "Venda", "o", "o", "e"},
      {"pNegociacao", "0", "o", "o", "e"},  // the stored value selects the choice
      {"pNegociacao", "Locação", "o", "e", "o"},
      {"pNegociacao", "Venda e Locação", "o", "o", "o"},
      {"pNegociacao", "Permuta", "o", "e", "e"},
      {"pNegociacao", "venda", "o", "o", "o"},  // shown texts compare exactly
      {"pNegociacao", "", "o", "o", "o"},
      {"pOrdenar", "0", "o", "o", "o"},
      {"pTotalizarTipoImovel", "Sim", "o", "o", "o"},
  };
  for (const Case& c : cases) {
    Form form;
    form.Edit(c.name, c.text);
    EXPECT_EQ(form.State(), Expect(c.datas, c.venda, c.locacao)) << c.name << "=" << c.text;
  }
}

TEST(PropertyListFormTest, ReopeningKeepsWhatWasEmptied) {
  Form form;
  form.Edit("pNegociacao", "Venda");
  form.Edit("pNegociacao", "Venda e Locação");
  auto expected = Expect("o", "o", "o");
  expected["pVlrlocacao"] = "open ";
  expected["pVlrlocacao_1"] = "open ";
  EXPECT_EQ(form.State(), expected);

  form.Edit("pBaixado", "0");
  form.Edit("pBaixado", "1");
  EXPECT_TRUE(form.Control("pDatabaixa")->Enabled());
  EXPECT_EQ(form.Control("pDatabaixa")->GetAsString(), "");
  // An emptied range no longer reaches the query.
  EXPECT_EQ(form.report.GetParams().GetValues("pDatabaixa_1"), "");
}

TEST(PropertyListFormTest, OtherParametersChangeNothing) {
  Form form;
  form.Edit("pBaixado", "0");
  form.Edit("pNegociacao", "Permuta");
  const auto before = form.State();
  for (const char* name : {"pOrdenar", "pCodigoEscrit", "pDatabaixa", "pTotalizarTipoImovel"}) {
    form.Edit(name, "");
    EXPECT_EQ(form.State(), before) << name;
  }
}

TEST(PropertyListFormTest, NamesMatchWithoutRegardToCase) {
  Form form("", "PBAIXADO", "pnegociacao");
  form.Edit("PBAIXADO", "0");
  form.Edit("pnegociacao", "Locação");
  EXPECT_EQ(form.State(), Expect("e", "e", "o"));
}

TEST(PropertyListFormTest, MissingControlIsSkipped) {
  Form form("pDatabaixa_1");
  form.Edit("pBaixado", "0");
  form.Edit("pNegociacao", "Permuta");
  auto expected = Expect("e", "e", "e");
  expected.erase("pDatabaixa_1");
  EXPECT_EQ(form.State(), expected);
  // A change with no parameter item at all is ignored too.
  form.object->DoParamChange(nullptr, nullptr);
}

}  // namespace
