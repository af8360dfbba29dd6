#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "db/seed/calendar.h"
#include "db/seed/generator.h"
#include "db/seed/prng.h"
#include "db/seed/rich_text.h"
#include "db/seed/row_sink.h"
#include "db/seed/tax_numbers.h"

namespace agency_seed {
namespace {

TEST(TaxNumbers, KnownNumbersAndGeneratedOnesCheckOut) {
  EXPECT_TRUE(ValidCpf("529.982.247-25"));
  EXPECT_FALSE(ValidCpf("529.982.247-26"));
  EXPECT_FALSE(ValidCpf("111.111.111-11"));
  EXPECT_TRUE(ValidCnpj("11.222.333/0001-81"));
  EXPECT_FALSE(ValidCnpj("11.222.333/0001-82"));
  Prng rng(7);
  for (int i = 0; i < 500; ++i) {
    std::string cpf = MakeCpf(rng);
    std::string cnpj = MakeCnpj(rng);
    ASSERT_TRUE(ValidCpf(cpf)) << cpf;
    ASSERT_TRUE(ValidCnpj(cnpj)) << cnpj;
    ASSERT_EQ(cpf.size(), 14u);
    ASSERT_EQ(cnpj.size(), 18u);
  }
}

TEST(Calendar, DaysMatchThePlatformDates) {
  EXPECT_EQ(DateValue(MakeDay(1899, 12, 30)).value, 0.0);
  EXPECT_EQ(DateValue(MakeDay(2024, 6, 14)).value, 45457.0);
  EXPECT_EQ(Weekday(MakeDay(2024, 12, 20)), 5);  // a Friday
  EXPECT_EQ(Weekday(MakeDay(1969, 12, 28)), 0);  // a Sunday before the epoch
  int y, m, d;
  SplitDay(MakeDay(2024, 2, 29) + 1, y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 20240301);
  EXPECT_EQ(DateTimeText(DateValue(MakeDay(2023, 3, 1), 0.5).value), "2023-03-01 12:00:00");
  EXPECT_EQ(ShortDate(MakeDay(2024, 12, 20)), "20/12/2024");
}

TEST(RichText, EscapesSpecialCharactersAndAccents) {
  EXPECT_EQ(RtfEscape("Ação {1}\\"), "A\\'e7\\'e3o \\{1\\}\\\\");
  EXPECT_EQ(RtfEscape("a\nb"), "a\\par\r\nb");
  std::string doc = RtfDocument("Vistoria", {"Cozinha: azulejos sem trincas."});
  EXPECT_EQ(doc.rfind("{\\rtf1", 0), 0u);
  EXPECT_NE(doc.find("Cozinha: azulejos sem trincas.\\par"), std::string::npos);
  for (char c : InspectionRtf(*std::make_unique<Prng>(3), 0, 0))
    ASSERT_LT(static_cast<unsigned char>(c), 0x80) << "RTF must stay ASCII";
}

TEST(ScriptSink, WritesLiterals) {
  EXPECT_EQ(SqlLiteral(vcl::Variant()), "NULL");
  EXPECT_EQ(SqlLiteral(vcl::Variant(std::in_place_type<std::string>, "D'Ávila")), "'D''Ávila'");
  EXPECT_EQ(SqlLiteral(vcl::Variant(std::in_place_type<int64_t>, 42)), "42");
  EXPECT_EQ(SqlLiteral(vcl::Variant(std::in_place_type<double>, 1234.5)), "1234.5");
  EXPECT_EQ(SqlLiteral(vcl::Variant(DateValue(MakeDay(2024, 6, 14)))), "'2024-06-14'");
  EXPECT_EQ(InsertText(Table{"PAIS", {"CODIGOPAIS", "NOMEPAIS"}}),
            "INSERT INTO PAIS (CODIGOPAIS, NOMEPAIS) VALUES (:p1, :p2)");
}

std::string Script(int scale, uint64_t seed, SeedSummary* summary = nullptr) {
  std::ostringstream out;
  auto sink = MakeScriptSink(out);
  SeedSummary s = GenerateAgency(*sink, SeedOptions{scale, seed});
  if (summary) *summary = s;
  return out.str();
}

TEST(Generator, SameSeedSameDataOtherSeedOtherData) {
  std::string a = Script(1, 1);
  EXPECT_EQ(a, Script(1, 1));
  EXPECT_NE(a, Script(1, 2));
}

TEST(Generator, LastDayHasOpenHandOutsAndJuneHasActivity) {
  SeedSummary s;
  Script(1, 1, &s);
  EXPECT_GE(s.key_handouts_last_day, 7);
  EXPECT_GE(s.key_handouts_last_day_open, 5);
  EXPECT_GE(s.key_handouts_new_year_open, 5);
  EXPECT_GT(s.sign_movements_june_2024, 50);
  EXPECT_GT(s.inspections_june_2024, 0);
}

TEST(Generator, RowsGrowLinearlyWithTheScale) {
  auto counts = [](int scale) {
    std::ostringstream out;
    auto sink = MakeScriptSink(out);
    GenerateAgency(*sink, SeedOptions{scale, 1});
    std::map<std::string, int64_t> by_table;
    for (const auto& [name, count] : sink->Counts()) by_table[name] = count;
    return by_table;
  };
  const auto one = counts(1), three = counts(3);
  for (const char* table : {"IMOVEL", "PESSOAFINANCEIRO", "PLACAMOVIMENTO", "IMOVELCHAVEMOVIMENTO"}) {
    ASSERT_GT(one.count(table), 0u) << table;
    const double ratio = static_cast<double>(three.at(table)) / static_cast<double>(one.at(table));
    EXPECT_GT(ratio, 2.4) << table;
    EXPECT_LT(ratio, 3.6) << table;
  }
}

}  // namespace
}  // namespace agency_seed
