#include "frame/field_map.h"

#include <gtest/gtest.h>

#include "host/dataworks/sql.h"
#include "tests/support/test_database.h"

namespace dataworks {
namespace {

NRW_FIELD_MAP(TMapTeste, CODIGOESCRIT, CodigoPlaca, descricao, AUSENTE);
NRW_FIELD_MAP(TMapOutro, CODIGOESCRIT);

class FieldMapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db_.Exec("create table PLACA (CODIGOESCRIT integer, CODIGOPLACA integer, DESCRICAO varchar(20))");
    db_.Exec("insert into PLACA values (1, 10, 'dez')");
    db_.Exec("insert into PLACA values (1, 20, 'vinte')");
  }
  std::unique_ptr<TnClientDataSet> Placas(int codigo_escrit) {
    return ExecutarSQL("select * from PLACA where CODIGOESCRIT = :e order by CODIGOPLACA",
                       {int64_t{codigo_escrit}});
  }
  testing_support::TestDatabase db_{false};
};

TEST_F(FieldMapTest, BindsOnceAndFollowsTheCursor) {
  auto ds = Placas(1);
  const long before = TnFieldMapper::Bindings();
  TMapTeste* map = PegarMapa<TMapTeste>(ds.get());
  EXPECT_EQ(PegarMapa<TMapTeste>(ds.get()), map);
  EXPECT_EQ(TnFieldMapper::Bindings(), before + 1);

  // Mixed-case members bind to upper-case columns; an absent column stays null.
  ASSERT_NE(map->CodigoPlaca, nullptr);
  ASSERT_NE(map->descricao, nullptr);
  EXPECT_EQ(map->AUSENTE, nullptr);
  EXPECT_EQ(map->CodigoPlaca->AsInteger(), 10);
  ds->Next();
  EXPECT_EQ(map->CodigoPlaca->AsInteger(), 20);
  EXPECT_EQ(map->descricao->AsString(), "vinte");

  // Another map class on the same dataset is another object.
  PegarMapa<TMapOutro>(ds.get());
  EXPECT_EQ(TnFieldMapper::Bindings(), before + 2);
  EXPECT_EQ(ds->Mapas->size(), 2u);
}

TEST_F(FieldMapTest, EachDatasetHasItsOwnMap) {
  auto first = Placas(1);
  auto second = ExecutarSQL("select CODIGOPLACA, DESCRICAO from PLACA order by CODIGOPLACA desc", {});
  TMapTeste* a = PegarMapa<TMapTeste>(first.get());
  TMapTeste* b = PegarMapa<TMapTeste>(second.get());
  EXPECT_NE(a, b);
  EXPECT_EQ(a->CodigoPlaca->AsInteger(), 10);
  EXPECT_EQ(b->CodigoPlaca->AsInteger(), 20);
  EXPECT_NE(a->CODIGOESCRIT, nullptr);
  EXPECT_EQ(b->CODIGOESCRIT, nullptr);
}

TEST_F(FieldMapTest, DestruirSQLFreesTheDatasetWithItsMaps) {
  const int live = TnClientDataSet::LiveCount();
  auto ds = Placas(1);
  PegarMapa<TMapTeste>(ds.get());
  PegarMapa<TMapOutro>(ds.get());
  EXPECT_EQ(TnClientDataSet::LiveCount(), live + 1);
  DestruirSQL(ds);
  EXPECT_EQ(ds, nullptr);
  EXPECT_EQ(TnClientDataSet::LiveCount(), live);
}

}  // namespace
}  // namespace dataworks
