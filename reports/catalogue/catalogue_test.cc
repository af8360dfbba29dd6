// The catalogue listings, driven through their built plug-ins.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/dataworks/client_dataset.h"
#include "host/printworks/report.h"
#include "tests/support/plugin_harness.h"
#include "tests/support/test_database.h"

namespace {

using testing_support::ParamList;
using testing_support::PluginHarness;
using testing_support::TestDatabase;

// A host DataSet whose columns named CODIGO* are integers and the rest texts.
std::unique_ptr<vcl::TClientDataSet> MakeDataSet(const std::vector<std::string>& columns,
                                                 const std::vector<std::vector<std::string>>& rows) {
  auto ds = std::make_unique<vcl::TClientDataSet>();
  for (const auto& c : columns) {
    ds->AddField(c, c.rfind("CODIGO", 0) == 0 ? vcl::TFieldType::ftInteger
                                               : vcl::TFieldType::ftString);
  }
  for (const auto& row : rows) {
    ds->AppendRow();
    for (size_t i = 0; i < row.size(); ++i) {
      if (columns[i].rfind("CODIGO", 0) == 0) {
        ds->SetInteger(static_cast<int>(i), std::stoll(row[i]));
      } else {
        ds->SetString(static_cast<int>(i), row[i]);
      }
    }
  }
  ds->First();
  return ds;
}

// The first column of every printed row, in print order.
std::vector<std::string> PrintedKeys(const testing_support::PluginRun& run) {
  std::vector<std::string> keys;
  for (const auto& e : run.sink.Events()) {
    if (e.event == "section" && !e.row.empty()) keys.push_back(e.row.front().second);
  }
  return keys;
}

struct PlainCase {
  const char* deliverable;
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
  std::string preset_index;  // index the host's DataSet carries before the run
  const char* p_ordenar;
  std::vector<std::string> expected;  // first column of each printed row
};

const std::vector<std::string> kCodigoNome[] = {{"3", "Brasil"}, {"1", "Chile"}, {"2", "Argentina"}};

std::vector<PlainCase> PlainCases() {
  std::vector<std::vector<std::string>> code_name(std::begin(kCodigoNome), std::end(kCodigoNome));
  std::vector<PlainCase> cases;
  const std::vector<std::pair<const char*, std::vector<std::string>>> code_name_members = {
      {"CountryListReport", {"CODIGOPAIS", "NOMEPAIS"}},
      {"StreetListReport", {"CODIGOLOGRADORO", "NOMELOGRADORO"}},
      {"StreetTypeReport", {"CODIGOTIPOLOGRADORO", "DSTIPOLOGRADORO"}},
      {"BankListReport", {"CODIGOBANCO", "NOMEBANCO"}},
      {"DistrictListReport", {"CODIGOBAIRRO", "NOMEBAIRRO"}},
  };
  for (const auto& [name, columns] : code_name_members) {
    cases.push_back({name, columns, code_name, "", "", {"1", "2", "3"}});
    cases.push_back({name, columns, code_name, "", "abc", {"1", "2", "3"}});
    cases.push_back({name, columns, code_name, "", "1", {"2", "3", "1"}});
    cases.push_back({name, columns, code_name, columns[1], "2", {"2", "3", "1"}});
    cases.push_back({name, columns, code_name, columns[1], "-1", {"3", "1", "2"}});
  }
  const std::vector<std::string> state_cols = {"SIGLAESTADO", "NOMEPAIS"};
  const std::vector<std::vector<std::string>> states = {{"SP", "Brasil"}, {"BA", "Brasil"}, {"CO", "Argentina"}};
  cases.push_back({"StateListReport", state_cols, states, "", "", {"CO", "BA", "SP"}});
  cases.push_back({"StateListReport", state_cols, states, "", "abc", {"CO", "BA", "SP"}});
  cases.push_back({"StateListReport", state_cols, states, "", "1", {"BA", "CO", "SP"}});
  cases.push_back({"StateListReport", state_cols, states, "SIGLAESTADO", "2", {"BA", "CO", "SP"}});
  cases.push_back({"StateListReport", state_cols, states, "SIGLAESTADO", "-1", {"SP", "BA", "CO"}});
  const std::vector<std::string> city_cols = {"CODIGOMUNICIPIO", "NOMEMUNIC", "SIGLAESTADO"};
  const std::vector<std::vector<std::string>> cities = {
      {"3", "Salvador", "BA"}, {"1", "Santos", "SP"}, {"2", "Campinas", "SP"}};
  cases.push_back({"CityListReport", city_cols, cities, "", "", {"1", "2", "3"}});
  cases.push_back({"CityListReport", city_cols, cities, "", "1", {"2", "3", "1"}});
  cases.push_back({"CityListReport", city_cols, cities, "", "2", {"3", "2", "1"}});
  cases.push_back({"CityListReport", city_cols, cities, "NOMEMUNIC", "7", {"2", "3", "1"}});
  cases.push_back({"CityListReport", city_cols, cities, "NOMEMUNIC", "-1", {"3", "1", "2"}});
  const std::vector<std::string> branch_cols = {"CODIGOBANCO", "NOMEAGENCIA"};
  cases.push_back({"BranchListReport", branch_cols, code_name, "", "", {"1", "2", "3"}});
  cases.push_back({"BranchListReport", branch_cols, code_name, "", "1", {"3", "1", "2"}});
  cases.push_back({"BranchListReport", branch_cols, code_name, "NOMEAGENCIA", "-1", {"3", "1", "2"}});
  return cases;
}

TEST(PlainCatalogueTest, OrderingTable) {
  for (const PlainCase& c : PlainCases()) {
    SCOPED_TRACE(std::string(c.deliverable) + " pOrdenar='" + c.p_ordenar + "' over index '" +
                 c.preset_index + "'");
    PluginHarness plugin(c.deliverable);
    auto ds = MakeDataSet(c.columns, c.rows);
    ds->SetIndexFieldNames(c.preset_index);
    auto run = plugin.Run({{"pOrdenar", c.p_ordenar}}, std::move(ds));
    ASSERT_FALSE(run->raised) << run->error;
    EXPECT_EQ(PrintedKeys(*run), c.expected);
  }
}

TEST(PlainCatalogueTest, FiveRowsGiveFiveSectionsWithProgress) {
  PluginHarness plugin("CountryListReport");
  auto run = plugin.Run({{"pOrdenar", "0"}},
                        MakeDataSet({"CODIGOPAIS", "NOMEPAIS"},
                                    {{"5", "E"}, {"4", "D"}, {"3", "C"}, {"2", "B"}, {"1", "A"}}));
  ASSERT_FALSE(run->raised) << run->error;
  std::vector<std::string> expected;
  for (int i = 1; i <= 5; ++i) {
    expected.push_back("section 8");
    expected.push_back("progress " + std::to_string(i) + "/5");
  }
  EXPECT_EQ(run->Lines(), expected);
  EXPECT_EQ(PrintedKeys(*run), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
}

TEST(PlainCatalogueTest, EmptyDataSetPrintsNothing) {
  PluginHarness plugin("BranchListReport");
  auto run = plugin.Run({{"pOrdenar", "0"}}, MakeDataSet({"CODIGOBANCO"}, {}));
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_TRUE(run->Lines().empty());
}

TEST(PlainCatalogueTest, StreetTypeFormOpensWithNoOrdering) {
  for (const char* deliverable : {"StreetTypeReport", "CountryListReport"}) {
    PluginHarness plugin(deliverable);
    printworks::TnrwReport report;
    report.GetParams().AddItem("pOrdenar", "Ordem", "0");
    auto instance = plugin.Class()->Create(&report);
    instance->DepoisConfigurar(nullptr);
    const std::string expected = std::string(deliverable) == "StreetTypeReport" ? "-1" : "0";
    EXPECT_EQ(report.GetParams().EdFindFieldControl("pOrdenar")->GetAsString(), expected)
        << deliverable;
  }
}

TEST(CatalogueTest, VersionTexts) {
  for (const char* deliverable :
       {"StateListReport", "CountryListReport", "CityListReport", "StreetListReport",
        "StreetTypeReport", "BankListReport", "DistrictListReport", "BranchListReport",
        "FacilityTypeReport", "RoomListReport", "PropertyTypeReport"}) {
    PluginHarness plugin(deliverable);
    EXPECT_EQ(plugin.Class()->Versao(), "[versao: 1.1.85.0]") << deliverable;
  }
}

// ---- The listings that run their own query ----

class DetailCatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db_.Exec("insert into TPIMOVEL (CODIGOTPIMOVEL, TIPOIMOVEL, DSTPIMOVEL) values (1, 0, 'Casa')");
    db_.Exec("insert into TPIMOVEL (CODIGOTPIMOVEL, TIPOIMOVEL, DSTPIMOVEL) values (2, 1, 'Apartamento')");
    db_.Exec("insert into TPIMOVEL (CODIGOTPIMOVEL, TIPOIMOVEL, DSTPIMOVEL) values (3, 7, 'Estranho')");
    db_.Exec("insert into TPIMOVEL (CODIGOTPIMOVEL, TIPOIMOVEL, DSTPIMOVEL) values (4, 4, 'Sitio')");
    db_.Exec("insert into COMODOS (CODIGOCOMODOS, TIPOSCOMODOS, DSCOMODOS) values (10, 5, 'Suite master')");
    db_.Exec("insert into COMODOS (CODIGOCOMODOS, TIPOSCOMODOS, DSCOMODOS) values (11, 9, 'Sotao')");
    db_.Exec("insert into COMODOS (CODIGOCOMODOS, TIPOSCOMODOS, DSCOMODOS) values (12, 0, 'Lavabo')");
    live_ = dataworks::TnClientDataSet::LiveCount();
  }
  void TearDown() override { EXPECT_EQ(dataworks::TnClientDataSet::LiveCount(), live_); }

  TestDatabase db_;
  int live_ = 0;
};

TEST_F(DetailCatalogueTest, PropertyTypeSelectionsAndCategories) {
  PluginHarness plugin("PropertyTypeReport");
  struct Case {
    ParamList params;
    std::vector<std::string> codes;
  } cases[] = {
      {{{"pCodigoTipoImovel", "   "}, {"pCodigoCategorias", "0-1"}, {"pOrdenar", ""}}, {"1", "2"}},
      {{{"pCodigoTipoImovel", "1-3"}, {"pCodigoCategorias", "1"}, {"pOrdenar", "0"}}, {"2"}},
      {{{"pCodigoTipoImovel", ""}, {"pCodigoCategorias", ""}, {"pOrdenar", "1"}}, {"2", "1", "3", "4"}},
      {{{"pCodigoTipoImovel", "9"}, {"pCodigoCategorias", ""}, {"pOrdenar", ""}}, {}},
  };
  for (const Case& c : cases) {
    auto run = plugin.Run(c.params);
    ASSERT_FALSE(run->raised) << run->error;
    std::vector<std::string> codes;
    for (const auto& e : run->sink.Events()) {
      if (e.event == "set" && e.name == "pTipoImovel") codes.push_back(e.value);
    }
    EXPECT_EQ(codes, c.codes);
  }
  auto run = plugin.Run({{"pCodigoTipoImovel", "2-3"}, {"pOrdenar", "0"}});
  EXPECT_EQ(run->Lines(), (std::vector<std::string>{
                              "set pTipoImovel=2", "set pCategoria=Apartamento",
                              "set pDescricao=Apartamento", "section 8", "progress 1/2",
                              "set pTipoImovel=3", "set pCategoria=", "set pDescricao=Estranho",
                              "section 8", "progress 2/2"}));
}

TEST_F(DetailCatalogueTest, InvalidSelectionIsRefusedBeforeAnyQuery) {
  PluginHarness plugin("FacilityTypeReport");
  for (const char* text : {"abc", "1' OR '1'='1", "5-1", "1;;2"}) {
    auto run = plugin.Run({{"pTipoInfraestrutura", text}});
    ASSERT_TRUE(run->raised) << text;
    EXPECT_EQ(run->error.rfind("Seleção inválida", 0), 0u) << run->error;
    EXPECT_EQ(run->Lines(), std::vector<std::string>{"error " + run->error});
  }
}

TEST_F(DetailCatalogueTest, RoomTypesWithoutProgress) {
  PluginHarness plugin("RoomListReport");
  auto run = plugin.Run({{"pTiposComodos", ""}, {"pOrdenar", "0"}});
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(run->Lines(), (std::vector<std::string>{
                              "set pCodigoComodo=10", "set pTipoComodo=Suítes",
                              "set pDsComodo=Suite master", "section 8",
                              "set pCodigoComodo=11", "set pTipoComodo=",
                              "set pDsComodo=Sotao", "section 8",
                              "set pCodigoComodo=12", "set pTipoComodo=Banheiros e Lavabos",
                              "set pDsComodo=Lavabo", "section 8"}));
  auto by_name = plugin.Run({{"pTiposComodos", "0;5"}, {"pOrdenar", "1"}});
  std::vector<std::string> names;
  for (const auto& e : by_name->sink.Events()) {
    if (e.event == "set" && e.name == "pDsComodo") names.push_back(e.value);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Lavabo", "Suite master"}));
}

TEST_F(DetailCatalogueTest, RoomOrderingMustBeAnInteger) {
  PluginHarness plugin("RoomListReport");
  auto run = plugin.Run({{"pOrdenar", "x"}});
  ASSERT_TRUE(run->raised);
  EXPECT_NE(run->error.find("'x'"), std::string::npos) << run->error;
  EXPECT_EQ(run->Lines(), std::vector<std::string>{"error " + run->error});
}

TEST_F(DetailCatalogueTest, EmptyResultPrintsNothing) {
  for (const char* deliverable : {"PropertyTypeReport", "FacilityTypeReport", "RoomListReport"}) {
    PluginHarness plugin(deliverable);
    auto run = plugin.Run({{"pTiposComodos", "99"}, {"pCodigoTipoImovel", "99"}});
    ASSERT_FALSE(run->raised) << deliverable << ": " << run->error;
    EXPECT_TRUE(run->Lines().empty()) << deliverable;
  }
}

}  // namespace
