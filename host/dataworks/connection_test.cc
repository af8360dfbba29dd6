#include "host/dataworks/connection.h"

#include <gtest/gtest.h>

#include <cmath>

#include "host/dataworks/client_dataset.h"
#include "host/dataworks/fault_injection.h"
#include "host/vcl/datetime.h"
#include "host/vcl/exceptions.h"
#include "tests/support/test_database.h"

namespace dataworks {
namespace {

using testing_support::TestDatabase;
using vcl::TFieldType;

std::string MessageOf(const std::function<void()>& body) {
  try {
    body();
  } catch (const vcl::Exception& error) {
    return error.Message();
  }
  return "(no exception)";
}

class QueryTest : public ::testing::Test {
 protected:
  TestDatabase db_{false};
  TnConnection& connection() { return db_.Connection(); }
};

// Every standard column type, written through parameters and read back.
TEST_F(QueryTest, EveryColumnTypeIsReadBack) {
  db_.Exec(
      "create table ALLTYPES ("
      " SI smallint, I integer, BI bigint, N2 numeric(15,2), D4 decimal(18,4),"
      " N6 numeric(18,6), N1 numeric(4,1), F float, DP double precision,"
      " C char(10), V varchar(20), VN varchar(20) character set none,"
      " DT date, TM time, TS timestamp, B boolean,"
      " MT blob sub_type text, MB blob sub_type binary)");
  const vcl::TDateTime day = vcl::EncodeDate(2024, 2, 29);
  const vcl::TDateTime moment = day + vcl::EncodeTime(13, 45, 30, 250);
  const std::string long_text(100000, 'x');
  db_.Exec(
      "insert into ALLTYPES values (:si, :i, :bi, :n2, :d4, :n6, :n1, :f, :dp, :c, :v,"
      " 'caf' || x'E9', :dt, :tm, :ts, :b, :mt, :mb)",
      {int64_t{-7}, int64_t{123456}, int64_t{9007199254740993}, 1234.56, std::string("0.5"),
       std::string("2.0000125"), std::string("-12.3"), 1.5, 0.1, std::string("ab  "),
       std::string("São Paulo  "), vcl::DateTimeValue{day}, vcl::DateTimeValue{moment},
       vcl::DateTimeValue{moment}, true, "memo ção " + long_text, std::string("\x01\x00\xff", 3)});
  db_.Exec("insert into ALLTYPES (SI) values (null)");

  auto ds = connection().Query("select * from ALLTYPES order by SI nulls last", {});
  ASSERT_EQ(ds->RecordCount(), 2);
  struct Expected { const char* name; TFieldType type; };
  const Expected kTypes[] = {
      {"SI", TFieldType::ftSmallint}, {"I", TFieldType::ftInteger},
      {"BI", TFieldType::ftLargeint}, {"N2", TFieldType::ftCurrency},
      {"D4", TFieldType::ftCurrency}, {"N6", TFieldType::ftCurrency},
      {"N1", TFieldType::ftCurrency}, {"F", TFieldType::ftFloat},
      {"DP", TFieldType::ftFloat},    {"C", TFieldType::ftString},
      {"V", TFieldType::ftString},    {"VN", TFieldType::ftString},
      {"DT", TFieldType::ftDate},     {"TM", TFieldType::ftTime},
      {"TS", TFieldType::ftDateTime}, {"B", TFieldType::ftBoolean},
      {"MT", TFieldType::ftMemo},     {"MB", TFieldType::ftBlob}};
  ASSERT_EQ(ds->FieldCount(), static_cast<int>(std::size(kTypes)));
  for (const Expected& e : kTypes) {
    EXPECT_EQ(ds->FieldByName(e.name).DataType(), e.type) << e.name;
  }

  EXPECT_EQ(ds->FieldByName("SI").AsInteger(), -7);
  EXPECT_EQ(ds->FieldByName("I").AsInteger(), 123456);
  EXPECT_EQ(ds->FieldByName("BI").AsLargeInt(), 9007199254740993);
  EXPECT_EQ(ds->FieldByName("N2").AsCurrency().scaled, 12345600);
  EXPECT_EQ(ds->FieldByName("D4").AsCurrency().scaled, 5000);
  EXPECT_EQ(ds->FieldByName("N6").AsCurrency().scaled, 20000);  // 2.0000125 rounds to 2.0000
  EXPECT_EQ(ds->FieldByName("N1").AsCurrency().scaled, -123000);
  EXPECT_DOUBLE_EQ(ds->FieldByName("F").AsFloat(), 1.5);
  EXPECT_DOUBLE_EQ(ds->FieldByName("DP").AsFloat(), 0.1);
  EXPECT_EQ(ds->FieldByName("C").AsString(), "ab");  // CHAR loses its padding
  EXPECT_EQ(ds->FieldByName("V").AsString(), "São Paulo  ");  // VARCHAR exactly as stored
  EXPECT_EQ(ds->FieldByName("VN").AsString(), "café");  // Windows-1252 byte repaired
  EXPECT_EQ(ds->FieldByName("DT").AsDateTime(), day);
  EXPECT_NEAR(ds->FieldByName("TM").AsDateTime(), moment - day, 1e-9);
  EXPECT_NEAR(ds->FieldByName("TS").AsDateTime(), moment, 1e-9);
  EXPECT_TRUE(ds->FieldByName("B").AsBoolean());
  EXPECT_EQ(ds->FieldByName("MT").AsString(), "memo ção " + long_text);
  EXPECT_EQ(ds->FieldByName("MB").AsString(), std::string("\x01\x00\xff", 3));

  ds->Next();
  for (int i = 0; i < ds->FieldCount(); ++i) {
    EXPECT_TRUE(ds->Fields(i).IsNull()) << ds->Fields(i).FieldName();
  }
}

TEST_F(QueryTest, ScaledNumbersConvertExactlyAtEveryScale) {
  db_.Exec("create table MONEY (A numeric(9,2), B numeric(18,4), C numeric(18,8), D numeric(18,3))");
  db_.Exec("insert into MONEY values (-0.01, 922337203685.4775, -1.00005, 12345678901234.567)");
  auto ds = connection().Query("select * from MONEY", {});
  EXPECT_EQ(ds->FieldByName("A").AsCurrency().scaled, -100);
  EXPECT_EQ(ds->FieldByName("B").AsCurrency().scaled, 9223372036854775);
  EXPECT_EQ(ds->FieldByName("C").AsCurrency().scaled, -10001);  // half away from zero
  EXPECT_EQ(ds->FieldByName("D").AsCurrency().scaled, 123456789012345670);
}

TEST_F(QueryTest, RepeatedParameterNamesTakeOneValueEach) {
  db_.Exec("create table T (A integer, B varchar(30), C date)");
  for (int i = 1; i <= 6; ++i) {
    db_.Exec("insert into T values (:a, :b, :c)",
             {int64_t{i}, "n" + std::to_string(i), vcl::DateTimeValue{vcl::EncodeDate(2024, 1, i)}});
  }
  auto ds = connection().Query(
      "select A from T where (A = :pX or A = :pY + :PX) and B <> :pName and C >= :pDate "
      "order by A",
      {int64_t{2}, int64_t{3}, std::string("n5"), vcl::DateTimeValue{vcl::EncodeDate(2024, 1, 2)}});
  // A = 2 or A = 3 + 2, except the row named n5.
  ASSERT_EQ(ds->RecordCount(), 1);
  EXPECT_EQ(ds->FieldByName("A").AsInteger(), 2);

  // A Null value and an empty array bind nulls.
  auto none = connection().Query("select count(*) as N from T where A = :p", {vcl::Null{}});
  EXPECT_EQ(none->FieldByName("N").AsInteger(), 0);
  auto all = connection().Query("select count(*) as N from T where :p is null", {});
  EXPECT_EQ(all->FieldByName("N").AsInteger(), 6);
  // A text with quotes is a value, never SQL.
  auto hostile = connection().Query("select count(*) as N from T where B = :p",
                                    {std::string("x' or '1'='1")});
  EXPECT_EQ(hostile->FieldByName("N").AsInteger(), 0);
}

TEST_F(QueryTest, WrongNumberOfValuesIsRefused) {
  EXPECT_NE(MessageOf([&] {
              connection().Query("select 1 from RDB$DATABASE where 1 = :a and 2 = :b",
                                 {int64_t{1}});
            }).find("2 parâmetro(s)"),
            std::string::npos);
}

TEST_F(QueryTest, QueriesCannotWrite) {
  db_.Exec("create table T (A integer)");
  db_.Exec("insert into T values (1)");
  std::string message = MessageOf([&] { connection().Query("insert into T values (1)", {}); });
  EXPECT_NE(message.find("read-only transaction"), std::string::npos) << message;
  message = MessageOf([&] { connection().Query("delete from T", {}); });
  EXPECT_NE(message.find("read-only transaction"), std::string::npos) << message;
  EXPECT_EQ(connection().Query("select count(*) as N from T", {})->FieldByName("N").AsInteger(), 1);
}

TEST_F(QueryTest, EngineErrorsCarryTheEngineMessage) {
  std::string message = MessageOf([&] { connection().Query("select * from NO_SUCH_TABLE", {}); });
  EXPECT_NE(message.find("Table unknown"), std::string::npos) << message;
  EXPECT_NE(message.find("NO_SUCH_TABLE"), std::string::npos) << message;
}

TEST_F(QueryTest, ColumnsAreNamedByTheirAliasesAndKeptDistinct) {
  auto ds = connection().Query(
      "select 1 as CODIGO, 2 as \"Nome\", r.RDB$RELATION_ID as X, r.RDB$RELATION_ID as X "
      "from RDB$DATABASE r",
      {});
  ASSERT_EQ(ds->FieldCount(), 4);
  EXPECT_EQ(ds->Fields(0).FieldName(), "CODIGO");
  EXPECT_EQ(ds->Fields(1).FieldName(), "Nome");
  EXPECT_EQ(ds->Fields(2).FieldName(), "X");
  EXPECT_EQ(ds->Fields(3).FieldName(), "X_1");
}

TEST_F(QueryTest, FetchesManyRows) {
  db_.Exec("create table D (I integer)");
  {
    TnWriteTransaction write(connection());
    auto insert = write.Prepare("insert into D values (:i)");
    for (int i = 0; i < 1000; ++i) insert.Execute({int64_t{i}});
    write.Commit();
  }
  auto rows = connection().Query(
      "select a.I * 1000 + b.I as K, cast(a.I as varchar(10)) as T from D a cross join D b "
      "where a.I < :n",
      {int64_t{200}});
  ASSERT_EQ(rows->RecordCount(), 200000);
  int64_t sum = 0;
  for (rows->First(); !rows->Eof(); rows->Next()) sum += rows->Fields(0).AsLargeInt();
  EXPECT_EQ(sum, int64_t{199999} * 200000 / 2);
}

TEST_F(QueryTest, FetchedDatasetsSortStablyAndSearchByKey) {
  db_.Exec("create table P (GRUPO integer, NOME char(10), SEQ integer)");
  struct Row { int grupo; const char* nome; };
  const Row kRows[] = {{1, "b"}, {0, "c"}, {1, "a"}, {0, "c"}, {1, "b"}, {0, "a"}};
  for (int seq = 0; seq < 6; ++seq) {
    db_.Exec("insert into P values (:g, :n, :s)",
             {int64_t{kRows[seq].grupo}, std::string(kRows[seq].nome), int64_t{seq}});
  }
  // Query order is SEQ descending: rows equal in every index field keep it.
  auto ds = connection().Query("select * from P order by SEQ desc", {});
  ds->SetIndexFieldNames(" GRUPO ; NOME ; ");
  std::vector<int> order;
  for (ds->First(); !ds->Eof(); ds->Next()) order.push_back(ds->FieldByName("SEQ").AsInteger());
  EXPECT_EQ(order, (std::vector<int>{5, 3, 1, 2, 4, 0}));

  ds->SetRange({int64_t{1}}, {int64_t{1}});
  EXPECT_EQ(ds->RecordCount(), 3);
  EXPECT_EQ(ds->FieldByName("SEQ").AsInteger(), 2);
  ds->CancelRange();
  // CHAR columns lose their padding, so keys match the plain text.
  ASSERT_TRUE(ds->FindKey({int64_t{0}, std::string("c")}));
  EXPECT_EQ(ds->FieldByName("SEQ").AsInteger(), 3);
  EXPECT_FALSE(ds->FindKey({int64_t{0}, std::string("zz")}));
  EXPECT_EQ(ds->FieldByName("SEQ").AsInteger(), 3);  // the cursor stays
}

TEST(ConnectionTest, AnUnopenableDatabaseNamesItself) {
  const std::string dsn = "/nonexistent-dir/agency.fdb";
  std::string message = MessageOf([&] { TnConnection::Open(dsn); });
  const std::string prefix = "Não foi possível abrir o banco de dados '" + dsn + "': ";
  ASSERT_EQ(message.rfind(prefix, 0), 0u) << message;
  EXPECT_GT(message.size(), prefix.size());
}

TEST(ConnectionTest, AHostPrefixGoesToAServer) {
  // Nothing listens on this port: the attempt fails in the network layer,
  // which proves the name was not taken for a file.
  const std::string dsn = "127.0.0.1/3059:/tmp/agency-no-server.fdb";
  std::string message = MessageOf([&] { TnConnection::Open(dsn); });
  ASSERT_EQ(message.rfind("Não foi possível abrir o banco de dados '" + dsn + "': ", 0), 0u)
      << message;
  EXPECT_NE(message.find("network"), std::string::npos) << message;
}

TEST(ConnectionTest, ReopensAnExistingDatabase) {
  TestDatabase db(false);
  db.Exec("create table T (A varchar(10))");
  db.Exec("insert into T values ('ok')");
  auto other = TnConnection::Open(db.Path());
  EXPECT_EQ(other->Dsn(), db.Path());
  EXPECT_EQ(other->Query("select A from T", {})->FieldByName("A").AsString(), "ok");
}

TEST(WriteTransactionTest, CommitsRollsBackAndReusesStatements) {
  TestDatabase db(false);
  db.Exec("create table T (A integer, B varchar(10))");
  auto count = [&] {
    return db.Connection().Query("select count(*) as N from T", {})->FieldByName("N").AsInteger();
  };
  {
    TnWriteTransaction write(db.Connection());
    write.Execute("insert into T values (1, 'x')");
  }
  EXPECT_EQ(count(), 0);  // rolled back on destruction

  TnWriteTransaction write(db.Connection());
  auto insert = write.Prepare("insert into T values (:a, :b)");
  insert.Execute({int64_t{1}, std::string("um")});
  insert.Execute({int64_t{2}, vcl::Null{}});
  insert.Execute({std::string("3"), std::string("três")});  // the engine converts "3"
  write.CommitRetaining();
  EXPECT_EQ(count(), 3);
  insert.Execute({int64_t{4}, std::string("quatro")});
  write.Commit();
  EXPECT_EQ(count(), 4);
  EXPECT_NE(MessageOf([&] { insert.Execute({int64_t{5}, std::string("cinco")}); })
                .find("encerrada"),
            std::string::npos);
}

TEST(ScriptTest, RunsTablesTriggersAndDataInOrder) {
  TestDatabase db(false);
  ExecuteScript(db.Connection(),
                "SET SQL DIALECT 3;\n"
                "-- the table; and its trigger\n"
                "create table T (A integer, B varchar(20));\n"
                "set term ^ ;\n"
                "create trigger T_BI for T before insert as\n"
                "  declare variable X integer;\n"
                "begin\n"
                "  X = 10;\n"
                "  new.A = new.A + :X;\n"
                "end^\n"
                "set term ; ^\n"
                "insert into T values (1, 'a;b');\n"
                "COMMIT;\n"
                "insert into T values (2, '/* not a comment */');\n");
  auto ds = db.Connection().Query("select A, B from T order by A", {});
  ASSERT_EQ(ds->RecordCount(), 2);
  EXPECT_EQ(ds->FieldByName("A").AsInteger(), 11);
  EXPECT_EQ(ds->FieldByName("B").AsString(), "a;b");
  ds->Next();
  EXPECT_EQ(ds->FieldByName("B").AsString(), "/* not a comment */");

  std::string message =
      MessageOf([&] { ExecuteScript(db.Connection(), "insert into T values (3, 'c');\nbogus;"); });
  EXPECT_NE(message.find("bogus"), std::string::npos) << message;
  EXPECT_EQ(db.Connection().Query("select count(*) as N from T", {})->FieldByName("N").AsInteger(),
            2);  // the failed script left nothing behind
}

TEST(ScriptTest, TheAgencySchemaLoads) {
  TestDatabase db;
  auto tables = db.Connection().Query(
      "select count(*) as N from RDB$RELATIONS where coalesce(RDB$SYSTEM_FLAG, 0) = 0", {});
  EXPECT_GT(tables->FieldByName("N").AsInteger(), 10);
  EXPECT_EQ(DefaultConnection(), &db.Connection());
}

TEST(FaultInjectionTest, FailsTheChosenQueryOrRowOnce) {
  TestDatabase db(false);
  const std::string sql =
      "select RDB$RELATION_ID from RDB$RELATIONS rows 5";
  FailQueryNumber(2);
  EXPECT_NO_THROW(db.Connection().Query(sql, {}));
  EXPECT_EQ(MessageOf([&] { db.Connection().Query(sql, {}); }), "Falha simulada na consulta 2");
  EXPECT_NO_THROW(db.Connection().Query(sql, {}));

  FailFetchNumber(8);
  EXPECT_NO_THROW(db.Connection().Query(sql, {}));
  EXPECT_EQ(MessageOf([&] { db.Connection().Query(sql, {}); }), "Falha simulada ao ler a linha 8");

  FailQueryNumber(1);
  ResetFaults();
  EXPECT_NO_THROW(db.Connection().Query(sql, {}));
  EXPECT_EQ(TnClientDataSet::LiveCount(), 0);
}

}  // namespace
}  // namespace dataworks
