// agency-seed at scale 1 into a temporary database: the tables hold what the
// reports need, and every report query finds rows with its sample values.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "db/report_queries.h"
#include "db/seed/tax_numbers.h"
#include "host/dataworks/client_dataset.h"
#include "host/dataworks/connection.h"

namespace {

class SeededDatabase : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new std::filesystem::path(std::filesystem::temp_directory_path() /
                                     ("agency_seed_test_" + std::to_string(::getpid())));
    std::filesystem::create_directories(*dir_);
    std::string path = (*dir_ / "agency.fdb").string();
    std::string command = std::string(AGENCY_SEED_BIN) + " --database " + path +
                          " --scale 1 --seed 1 > " + (*dir_ / "out.txt").string();
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    connection_ = dataworks::TnConnection::Open(path).release();
  }

  static void TearDownTestSuite() {
    delete connection_;
    connection_ = nullptr;
    std::filesystem::remove_all(*dir_);
    delete dir_;
  }

  static int Count(const std::string& sql) {
    auto rows = connection_->Query(sql, {});
    rows->First();
    return rows->Fields(0).AsInteger();
  }

  static std::filesystem::path* dir_;
  static dataworks::TnConnection* connection_;
};

std::filesystem::path* SeededDatabase::dir_ = nullptr;
dataworks::TnConnection* SeededDatabase::connection_ = nullptr;

TEST_F(SeededDatabase, TablesHoldASmallAgency) {
  ASSERT_NE(connection_, nullptr);
  EXPECT_EQ(Count("select count(*) from ESTADO"), 27);
  EXPECT_EQ(Count("select count(*) from ESCRITORIO"), 2);
  EXPECT_EQ(Count("select count(*) from IMOVEL"), 120);
  EXPECT_GT(Count("select count(*) from PLACAMOVIMENTO"), 8000);
  EXPECT_GT(Count("select count(*) from IMOVELCHAVEMOVIMENTO"), 8000);
  for (int type = 0; type <= 3; ++type)
    EXPECT_GT(Count("select count(*) from PLACAMOVIMENTO where TIPOMOVIMENTO = " +
                    std::to_string(type)), 0) << type;
  for (int type = 1; type <= 3; ++type)
    EXPECT_GT(Count("select count(*) from IMOVELCHAVEMOVIMENTO where TIPOMOVIMENTO = " +
                    std::to_string(type)), 0) << type;
  for (int kind = 0; kind <= 3; ++kind)
    EXPECT_GT(Count("select count(*) from IMOVELVISTORIA where TIPOVISTORIA = " +
                    std::to_string(kind)), 0) << kind;
  for (int category = 0; category <= 4; ++category)
    EXPECT_GT(Count("select count(*) from IMOVEL I join TPIMOVEL T on T.CODIGOTPIMOVEL = "
                    "I.CODIGOTPIMOVEL where T.TIPOIMOVEL = " + std::to_string(category)), 0);
  EXPECT_EQ(Count("select count(*) from TPIMOVEL T where not exists (select 1 from IMOVEL I "
                  "where I.CODIGOTPIMOVEL = T.CODIGOTPIMOVEL)"), 0);
  // A sign has at most one closing movement (the report queries read it as a
  // single value).
  EXPECT_EQ(Count("select count(*) from (select CODIGOESCRIT, CODIGOPLACA from PLACAMOVIMENTO "
                  "where TIPOMOVIMENTO = 4 group by 1, 2 having count(*) > 1)"), 0);
  // Key movements of one key are numbered 1, 2, 3 ... without gaps.
  EXPECT_EQ(Count("select count(*) from (select CODIGOESCRIT, CODIGOIMOVEL, CODIGOCHAVE from "
                  "IMOVELCHAVEMOVIMENTO group by 1, 2, 3 having max(SEQ) <> count(*))"), 0);
}

TEST_F(SeededDatabase, TaxNumbersHaveValidCheckDigits) {
  auto rows = connection_->Query(
      "select TIPOINSCFEDERAL, INSCFEDERAL from PESSOAFINANCEIRO", {});
  ASSERT_GT(rows->RecordCount(), 100);
  for (rows->First(); !rows->Eof(); rows->Next()) {
    std::string number = rows->FieldByName("INSCFEDERAL").AsString();
    bool company = rows->FieldByName("TIPOINSCFEDERAL").AsInteger() == 1;
    ASSERT_TRUE(company ? agency_seed::ValidCnpj(number) : agency_seed::ValidCpf(number))
        << number;
  }
}

TEST_F(SeededDatabase, EveryReportQueryFindsItsRows) {
  for (const agency_db::ReportQuery& q : agency_db::ReportQueries()) {
    SCOPED_TRACE(q.name);
    std::unique_ptr<dataworks::TnClientDataSet> rows;
    ASSERT_NO_THROW(rows = connection_->Query(q.sql, q.values));
    if (q.rows_in_sample) {
      EXPECT_GT(rows->RecordCount(), 0);
    }
  }
}

}  // namespace
