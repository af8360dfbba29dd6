// Every query text of the report plug-ins runs against the agency schema.
#include <gtest/gtest.h>

#include "db/report_queries.h"
#include "host/dataworks/client_dataset.h"
#include "host/dataworks/connection.h"
#include "tests/support/test_database.h"

namespace {

TEST(Schema, EveryReportQueryRunsOnAnEmptyDatabase) {
  testing_support::TestDatabase db;
  for (const agency_db::ReportQuery& q : agency_db::ReportQueries()) {
    SCOPED_TRACE(q.name);
    EXPECT_NO_THROW({
      auto rows = db.Connection().Query(q.sql, q.values);
      EXPECT_EQ(rows->RecordCount(), 0);
    });
  }
}

// The owner-link flags are compared both as text ('1') and as a number (1).
TEST(Schema, OwnerLinkFlagsCompareAsTextAndAsNumber) {
  testing_support::TestDatabase db;
  db.Exec("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) values (5, 'Ana')");
  db.Exec("insert into IMOVELPESSOA (CODIGOESCRIT, CODIGOIMOVEL, CODIGOPESSOAFIN, RESPONSAVEL, "
          "TIPOVINCULO) values (1, 7, 5, '1', '1')");
  auto as_number = db.Connection().Query(
      "select count(*) from IMOVELPESSOA where RESPONSAVEL = 1", {});
  auto as_text = db.Connection().Query(
      "select count(*) from IMOVELPESSOA where RESPONSAVEL = '1' and TIPOVINCULO = '1'", {});
  as_number->First();
  as_text->First();
  EXPECT_EQ(as_number->Fields(0).AsInteger(), 1);
  EXPECT_EQ(as_text->Fields(0).AsInteger(), 1);
}

// The address view joins street type, street, district, municipality and
// state into the two address lines the reports print.
TEST(Schema, AddressViewBuildsStreetAndPlaceLines) {
  testing_support::TestDatabase db;
  db.Exec("insert into TIPOLOGRADORO (CODIGOTIPOLOGRADORO, DSTIPOLOGRADORO) values (1, 'Rua')");
  db.Exec("insert into LOGRADORO (CODIGOLOGRADORO, NOMELOGRADORO) values (2, 'das Flores')");
  db.Exec("insert into BAIRRO (CODIGOBAIRRO, NOMEBAIRRO) values (3, 'Centro')");
  db.Exec("insert into MUNICIPIO (CODIGOMUNICIPIO, NOMEMUNIC, SIGLAESTADO) "
          "values (4, 'São Paulo', 'SP')");
  db.Exec("insert into ENDERECO (CODIGOENDERECO, CODIGOTIPOLOGRADORO, CODIGOLOGRADORO, "
          "CODIGOBAIRRO, CODIGOMUNICIPIO, CEP) values (9, 1, 2, 3, 4, '01310-100')");
  db.Exec("insert into ENDERECO (CODIGOENDERECO) values (10)");
  auto rows = db.Connection().Query(
      "select ENDERECO1, ENDERECO2, NOMEMUNICIPIO, SIGLAESTADO, CEP from VENDERECO "
      "order by CODIGOENDERECO", {});
  ASSERT_EQ(rows->RecordCount(), 2);
  rows->First();
  EXPECT_EQ(rows->FieldByName("ENDERECO1").AsString(), "Rua das Flores");
  EXPECT_EQ(rows->FieldByName("ENDERECO2").AsString(), "Centro - São Paulo/SP");
  EXPECT_EQ(rows->FieldByName("NOMEMUNICIPIO").AsString(), "São Paulo");
  rows->Next();
  EXPECT_EQ(rows->FieldByName("ENDERECO1").AsString(), "");  // no street: empty, not null
}

}  // namespace
