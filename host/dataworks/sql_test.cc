#include "host/dataworks/sql.h"

#include <gtest/gtest.h>

#include "host/vcl/datetime.h"
#include "host/vcl/exceptions.h"
#include "tests/support/test_database.h"

namespace dataworks {
namespace {

using testing_support::TestDatabase;
using vcl::TFieldType;

constexpr auto kIncluir = TnpqTypeInclusionExV::tieIncluir;

std::vector<int> Column(TnClientDataSet& ds) {
  std::vector<int> values;
  for (ds.First(); !ds.Eof(); ds.Next()) values.push_back(ds.Fields(0).AsInteger());
  return values;
}

struct ValidSelection {
  const char* text;
  const char* condition;
  std::vector<int> selected;  // of the codes 1 to 12
};

TEST(FilterInterval, ValidSelectionsSelectExactlyTheirRows) {
  const ValidSelection kCases[] = {
      {"1-5; 8", "(COD = 8 OR COD BETWEEN 1 AND 5)", {1, 2, 3, 4, 5, 8}},
      {" 3 ", "(COD = 3)", {3}},
      {"1-5; 8 ;10", "(COD IN (8, 10) OR COD BETWEEN 1 AND 5)", {1, 2, 3, 4, 5, 8, 10}},
      {"7 - 9,2", "(COD = 2 OR COD BETWEEN 7 AND 9)", {2, 7, 8, 9}},
      {"4-4", "(COD = 4)", {4}},
      {"11;", "(COD = 11)", {11}},
      {"0-3, 2-4", "(COD BETWEEN 0 AND 3 OR COD BETWEEN 2 AND 4)", {1, 2, 3, 4}},
      {"9223372036854775807", "(COD = 9223372036854775807)", {}},
  };
  TestDatabase db(false);
  db.Exec("create table N (COD bigint)");
  for (int i = 1; i <= 12; ++i) db.Exec("insert into N values (:c)", {int64_t{i}});

  for (const ValidSelection& c : kCases) {
    SCOPED_TRACE(c.text);
    const std::string bare = FilterInterval("COD", c.text, kIncluir, false, 0);
    EXPECT_EQ(bare, c.condition);
    const std::string with_and = FilterInterval("COD", c.text, kIncluir, true, 3, -1);
    EXPECT_EQ(with_and, std::string(" AND ") + c.condition);
    // Callers append the AND form directly, even right after "1=1".
    auto ds = ExecutarSQL("select COD from N where 1=1" + with_and + " order by COD", {});
    EXPECT_EQ(Column(*ds), c.selected);
    ds = ExecutarSQL("select COD from N where COD > 0 and (" + bare + ") order by COD", {});
    EXPECT_EQ(Column(*ds), c.selected);
  }
}

TEST(FilterInterval, LongListsStayWithinTheEngineLimits) {
  // The engine takes at most 1500 values in one IN list.
  std::string text;
  for (int i = 3000; i >= 1; --i) text += std::to_string(i) + (i > 1 ? ";" : "");
  TestDatabase db(false);
  db.Exec("create table N (COD integer)");
  for (int i = 1; i <= 12; ++i) db.Exec("insert into N values (:c)", {int64_t{i}});
  auto ds = ExecutarSQL(
      "select count(*) from N where 1=1" + FilterInterval("COD", text, kIncluir, true, 0), {});
  EXPECT_EQ(ds->Fields(0).AsInteger(), 12);
}

TEST(FilterInterval, BlankTextGivesNoCondition) {
  for (const char* text : {"", "   ", "\t"}) {
    EXPECT_EQ(FilterInterval("COD", text, kIncluir, true, 0), "");
    EXPECT_EQ(FilterInterval("COD", text, kIncluir, false, 3, -1), "");
  }
}

TEST(FilterInterval, MalformedOrHostileTextsAreRefused) {
  const char* kTexts[] = {"5-1",   "1;;2",   "abc",    "1; DROP TABLE PLACA", "1' OR '1'='1",
                          ";",     "1-",     "-3",     "1 2",                 "1-2-3",
                          ";1",    "1,,",    "+4",     "99999999999999999999", "0x10",
                          "1--2",  "1/*x*/", "１"};
  for (const char* text : kTexts) {
    SCOPED_TRACE(text);
    try {
      FilterInterval("COD", text, kIncluir, true, 0);
      ADD_FAILURE() << "accepted";
    } catch (const vcl::Exception& error) {
      EXPECT_EQ(std::string(error.what()).rfind("Seleção inválida", 0), 0u) << error.what();
    }
  }
}

TEST(ValorParaSQL, WritesLiterals) {
  const vcl::TDateTime day = vcl::EncodeDate(2024, 1, 31);
  struct Case {
    vcl::Variant value;
    std::optional<TFieldType> type;
    const char* literal;
  };
  const Case kCases[] = {
      {int64_t{42}, std::nullopt, "42"},
      {int64_t{-7}, TFieldType::ftInteger, "-7"},
      {std::string("O'Brien"), std::nullopt, "'O''Brien'"},
      {std::string("''"), TFieldType::ftString, "''''''"},
      {std::string(""), std::nullopt, "''"},
      {vcl::Null{}, std::nullopt, "NULL"},
      {std::string("1234,5"), TFieldType::ftFloat, "1234.5"},
      {std::string("-0,25"), TFieldType::ftFloat, "-0.25"},
      {std::string("31/01/2024"), TFieldType::ftDate, "'2024-01-31'"},
      {std::string(" 12 "), TFieldType::ftInteger, "12"},
      {2.5, std::nullopt, "2.5"},
      {true, std::nullopt, "TRUE"},
      {vcl::DateTimeValue{day}, std::nullopt, "'2024-01-31'"},
      {vcl::DateTimeValue{day + vcl::EncodeTime(13, 45, 30, 0)}, std::nullopt,
       "'2024-01-31 13:45:30.000'"},
      {vcl::DateTimeValue{day + vcl::EncodeTime(13, 45, 30, 0)}, TFieldType::ftDate,
       "'2024-01-31'"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(ValorParaSQL(c.value, c.type), c.literal);
  }
}

TEST(ValorParaSQL, TextsThatDoNotConvertAreRefused) {
  EXPECT_THROW(ValorParaSQL(std::string("abc"), TFieldType::ftFloat), vcl::EConvertError);
  EXPECT_THROW(ValorParaSQL(std::string("1.234,5"), TFieldType::ftFloat), vcl::EConvertError);
  EXPECT_THROW(ValorParaSQL(std::string("32/01/2024"), TFieldType::ftDate), vcl::EConvertError);
  EXPECT_THROW(ValorParaSQL(std::string("1 OR 1=1"), TFieldType::ftInteger), vcl::EConvertError);
}

TEST(ValorParaSQL, QuotedTextsFindTheirRowAndNothingElse) {
  TestDatabase db(false);
  db.Exec("create table P (COD integer, NOME varchar(40), DIA date, VALOR numeric(15,2))");
  db.Exec("insert into P values (1, 'O''Brien; --', '2024-01-31', 10.5)");
  db.Exec("insert into P values (2, 'x', '2024-02-01', 3)");
  for (const std::string& name : {std::string("O'Brien; --"), std::string("x' or '1'='1")}) {
    auto ds = ExecutarSQL("select COD from P where NOME = " + ValorParaSQL(name), {});
    EXPECT_EQ(ds->RecordCount(), name == "x' or '1'='1" ? 0 : 1) << name;
  }
  auto ds = ExecutarSQL("select COD from P where DIA = " +
                            ValorParaSQL(std::string("31/01/2024"), TFieldType::ftDate) +
                            " and VALOR = " +
                            ValorParaSQL(std::string("10,5"), TFieldType::ftFloat),
                        {});
  EXPECT_EQ(Column(*ds), std::vector<int>{1});
}

TEST(ExecutarSQL, RunsOnTheGivenOrDefaultConnection) {
  SetDefaultConnection(nullptr);
  try {
    ExecutarSQL("select 1 from RDB$DATABASE", {});
    ADD_FAILURE() << "ran without a connection";
  } catch (const vcl::Exception& error) {
    EXPECT_STREQ(error.what(), "Não há conexão com o banco de dados para executar a consulta");
  }

  TestDatabase db(false);
  db.Exec("create table T (COD integer, NOME varchar(10))");
  db.Exec("insert into T values (1, 'um')");
  db.Exec("insert into T values (2, 'dois')");
  auto ds = ExecutarSQL("select NOME from T where COD = :c", {int64_t{2}});
  EXPECT_EQ(ds->FieldByName("NOME").AsString(), "dois");

  TestDatabase other(false);  // now the default
  other.Exec("create table T (COD integer)");
  ds = ExecutarSQL("select count(*) as N from T", {}, true, false, -1, "", &db.Connection(), true);
  EXPECT_EQ(ds->FieldByName("N").AsInteger(), 2);
  DestruirSQL(ds);
  EXPECT_EQ(ds, nullptr);
  DestruirSQL(ds);  // null is fine
}

TEST(PegarValorCampo, ReadsTheFirstMatchOrNull) {
  TestDatabase db(false);
  db.Exec("create table T (COD integer, NOME varchar(10))");
  db.Exec("insert into T values (1, 'um')");
  db.Exec("insert into T values (2, 'dois')");
  EXPECT_EQ(nDMSQLDataSet().PegarValorCampo("T", "NOME", "COD = 2"), vcl::Variant(std::string("dois")));
  EXPECT_TRUE(vcl::VarIsNull(nDMSQLDataSet().PegarValorCampo("T", "NOME", "COD = 3")));
  EXPECT_EQ(vcl::VarToStr(nDMSQLDataSet().PegarValorCampo("T", "NOME", "COD = 3")), "");
  EXPECT_EQ(nDMSQLDataSet().PegarValorCampo("T", "COD", "NOME = 'um'"), vcl::Variant(int64_t{1}));
}

}  // namespace
}  // namespace dataworks
