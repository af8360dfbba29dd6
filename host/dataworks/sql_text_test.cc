#include "host/dataworks/sql_text.h"

#include <gtest/gtest.h>

namespace dataworks {
namespace {

TEST(ParseParameters, RepeatedNamesShareTheirValueInOrderOfFirstAppearance) {
  ParsedSql parsed = ParseParameters(
      "select * from T where A = :pB and (B = :pA or C = :PB) and D = :pC");
  EXPECT_EQ(parsed.text, "select * from T where A = ? and (B = ? or C = ?) and D = ?");
  EXPECT_EQ(parsed.slots, (std::vector<size_t>{0, 1, 0, 2}));
  EXPECT_EQ(parsed.distinct, 3u);
}

TEST(ParseParameters, LeavesQuotedTextsAndCommentsAlone) {
  const std::string sql =
      "select ':a', \":b\", q'{:c}' /* :d */ from T -- :e\n"
      "where X = :real and Y = 'it''s :f'";
  ParsedSql parsed = ParseParameters(sql);
  EXPECT_EQ(parsed.text,
            "select ':a', \":b\", q'{:c}' /* :d */ from T -- :e\n"
            "where X = ? and Y = 'it''s :f'");
  EXPECT_EQ(parsed.slots, (std::vector<size_t>{0}));
}

TEST(ParseParameters, PositionalMarksTakeTheirOwnValues) {
  ParsedSql parsed = ParseParameters("select * from T where A = ? and B = :x and C = ?");
  EXPECT_EQ(parsed.text, "select * from T where A = ? and B = ? and C = ?");
  EXPECT_EQ(parsed.slots, (std::vector<size_t>{0, 1, 2}));
  EXPECT_EQ(parsed.distinct, 3u);
}

TEST(ParseParameters, RecognisesProceduralAndSchemaStatements) {
  EXPECT_TRUE(IsProceduralOrSchema("  create trigger T for X as begin new.A = :v; end"));
  EXPECT_TRUE(IsProceduralOrSchema("-- note\nexecute  block as declare x int; begin x = :x; end"));
  EXPECT_TRUE(IsProceduralOrSchema("RECREATE table T (A int)"));
  EXPECT_FALSE(IsProceduralOrSchema("insert into CREATED values (:a)"));
  EXPECT_FALSE(IsProceduralOrSchema("execute procedure P(:a)"));
}

TEST(SplitScript, SplitsOnSemicolonsOutsideQuotesAndComments) {
  auto statements = SplitScript(
      "-- a comment; with a semicolon\n"
      "create table T (A varchar(5) default ';');\n"
      "/* block; comment */ insert into T values ('x;y');\n"
      "\n  ;  \n"
      "insert into T values ('last')");
  ASSERT_EQ(statements.size(), 3u);
  EXPECT_EQ(statements[0], "create table T (A varchar(5) default ';')");
  EXPECT_EQ(statements[1], "insert into T values ('x;y')");
  EXPECT_EQ(statements[2], "insert into T values ('last')");
}

TEST(SplitScript, SetTermKeepsInnerSemicolonsOfABlock) {
  auto statements = SplitScript(
      "create table T (A integer);\n"
      "SET TERM ^ ;\n"
      "create trigger TR for T before insert as\n"
      "begin\n  new.A = new.A + 1;\nend^\n"
      "set term ;^\n"
      "insert into T values (1);");
  ASSERT_EQ(statements.size(), 3u);
  EXPECT_EQ(statements[0], "create table T (A integer)");
  EXPECT_EQ(statements[1],
            "create trigger TR for T before insert as\nbegin\n  new.A = new.A + 1;\nend");
  EXPECT_EQ(statements[2], "insert into T values (1)");
}

}  // namespace
}  // namespace dataworks
