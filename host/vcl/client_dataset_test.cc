#include "host/vcl/client_dataset.h"

#include <gtest/gtest.h>

#include <numeric>
#include <optional>
#include <random>

#include "host/vcl/collation.h"
#include "host/vcl/exceptions.h"
#include "host/vcl/format_settings.h"

namespace vcl {
namespace {

// A small dataset: code (INTEGER), name (VARCHAR), city (VARCHAR), value
// (NUMERIC), since (DATE), in query order.
struct Row {
  int code;
  const char* name;
  const char* city;
  double value;
  int year;
};

std::unique_ptr<TClientDataSet> MakePeople(const std::vector<Row>& rows) {
  auto ds = std::make_unique<TClientDataSet>();
  ds->AddField("CODE", TFieldType::ftInteger);
  ds->AddField("NAME", TFieldType::ftString);
  ds->AddField("CITY", TFieldType::ftString);
  ds->AddField("VALUE", TFieldType::ftCurrency);
  ds->AddField("SINCE", TFieldType::ftDate);
  for (const Row& r : rows) {
    ds->AppendRow();
    ds->SetInteger(0, r.code);
    if (r.name) ds->SetString(1, r.name);
    ds->SetString(2, r.city);
    ds->SetCurrency(3, Currency::FromDouble(r.value));
    ds->SetDateTime(4, EncodeDate(r.year, 1, 15));
  }
  ds->First();
  return ds;
}

const std::vector<Row> kPeople = {
    {5, "Óscar", "Santos", 10.5, 2001},   {3, "ana", "São Paulo", 20, 2002},
    {9, "Bruno", "Campinas", 30, 2003},   {1, "Ana", "Santos", 40, 2004},
    {7, nullptr, "Campinas", 50, 2005},   {2, "Álvaro", "São Paulo", 60, 2006},
    {8, "bruno", "Santos", 70, 2007},     {4, "Zé", "Campinas", 80, 2008},
};

// The CODE column over the visible rows, in cursor order.
std::vector<int> Codes(TClientDataSet& ds) {
  std::vector<int> out;
  for (ds.First(); !ds.Eof(); ds.Next()) out.push_back(ds.FieldByName("code").AsInteger());
  return out;
}

class ClientDataSetTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetFormatSettings(); }
};

TEST_F(ClientDataSetTest, ReadsTypedValuesAndNulls) {
  auto ds = MakePeople(kPeople);
  EXPECT_EQ(ds->RecordCount(), 8);
  EXPECT_EQ(ds->FieldByName("Name").AsString(), "Óscar");
  EXPECT_EQ(ds->FieldByName("value").AsString(), "10,5");
  EXPECT_DOUBLE_EQ(ds->FieldByName("VALUE").AsFloat(), 10.5);
  EXPECT_EQ(ds->FieldByName("VALUE").AsCurrency().scaled, 105000);
  EXPECT_EQ(ds->FieldByName("SINCE").AsString(), "15/01/2001");
  EXPECT_EQ(ds->FieldByName("CODE").AsString(), "5");
  EXPECT_TRUE(std::holds_alternative<DateTimeValue>(ds->FieldByName("SINCE").AsVariant()));
  ASSERT_TRUE(ds->Locate("CODE", {int64_t{7}}));
  TField& name = ds->FieldByName("NAME");
  EXPECT_TRUE(name.IsNull());
  EXPECT_EQ(name.AsString(), "");
  EXPECT_EQ(name.AsVariant(), Variant{Null{}});
  EXPECT_THROW(ds->FieldByName("CITY").AsInteger(), EConvertError);
}

TEST_F(ClientDataSetTest, UnknownFieldNamesIt) {
  auto ds = MakePeople(kPeople);
  EXPECT_EQ(ds->FindField("nope"), nullptr);
  try {
    ds->FieldByName("NOPE");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Campo 'NOPE' não encontrado");
  }
  EXPECT_THROW(ds->SetIndexFieldNames("CODE;NOPE"), EDatabaseError);
  EXPECT_THROW(ds->Locate("NOPE", {int64_t{1}}), EDatabaseError);
}

TEST_F(ClientDataSetTest, CursorWalksAndStops) {
  auto ds = MakePeople(kPeople);
  EXPECT_TRUE(ds->Bof());
  EXPECT_EQ(ds->RecNo(), 1);
  ds->Last();
  EXPECT_TRUE(ds->Eof());
  EXPECT_EQ(ds->FieldByName("CODE").AsInteger(), 4);
  ds->Next();
  EXPECT_EQ(ds->RecNo(), 8);
  ds->Prior();
  EXPECT_EQ(ds->FieldByName("CODE").AsInteger(), 8);
  EXPECT_FALSE(ds->Eof());
  EXPECT_EQ(ds->CurrentRowIndex(), 6u);
  ds->First();
  ds->Prior();
  EXPECT_TRUE(ds->Bof());
  EXPECT_EQ(ds->FieldByName("CODE").AsInteger(), 5);
}

TEST_F(ClientDataSetTest, EmptyDataset) {
  auto ds = MakePeople({});
  EXPECT_TRUE(ds->IsEmpty());
  EXPECT_TRUE(ds->Eof());
  EXPECT_TRUE(ds->Bof());
  EXPECT_EQ(ds->RecNo(), 0);
  EXPECT_TRUE(ds->FieldByName("CODE").IsNull());
  EXPECT_EQ(ds->FieldByName("CODE").AsInteger(), 0);
  ds->SetIndexFieldNames("NAME");
  EXPECT_FALSE(ds->FindKey({std::string("x")}));
  EXPECT_FALSE(ds->Locate("CODE", {int64_t{1}}));
  ds->SetRange({int64_t{1}}, {int64_t{2}});
  EXPECT_TRUE(ds->Eof());
}

TEST_F(ClientDataSetTest, IndexOrdersStablyInLocaleOrder) {
  auto ds = MakePeople(kPeople);
  struct Case {
    const char* index;
    std::vector<int> codes;
  };
  const Case cases[] = {
      {"CODE", {1, 2, 3, 4, 5, 7, 8, 9}},
      // Null first; accents and case only break ties, lower case first.
      {"NAME", {7, 2, 3, 1, 8, 9, 5, 4}},
      // Equal cities keep their query order.
      {"CITY", {9, 7, 4, 5, 1, 8, 3, 2}},
      {" city ; code ;", {4, 7, 9, 1, 5, 8, 2, 3}},
      {"VALUE", {5, 3, 9, 1, 7, 2, 8, 4}},
      {"", {5, 3, 9, 1, 7, 2, 8, 4}},
  };
  for (const Case& c : cases) {
    ds->SetIndexFieldNames(c.index);
    EXPECT_EQ(ds->IndexFieldNames(), c.index);
    EXPECT_EQ(Codes(*ds), c.codes) << "index '" << c.index << "'";
  }
}

TEST_F(ClientDataSetTest, RangesOnLeadingIndexFields) {
  auto ds = MakePeople(kPeople);
  ds->SetIndexFieldNames("CITY;CODE");
  ds->SetRange({std::string("Santos")}, {std::string("Santos")});
  EXPECT_EQ(ds->RecordCount(), 3);
  EXPECT_EQ(Codes(*ds), (std::vector<int>{1, 5, 8}));
  ds->SetRange({std::string("Campinas"), int64_t{5}}, {std::string("Campinas"), int64_t{9}});
  EXPECT_EQ(Codes(*ds), (std::vector<int>{7, 9}));
  ds->SetRange({std::string("Recife")}, {std::string("Rio")});  // between values
  EXPECT_EQ(ds->RecordCount(), 0);
  EXPECT_TRUE(ds->Eof());
  EXPECT_EQ(ds->RecNo(), 0);
  EXPECT_TRUE(ds->FieldByName("CODE").IsNull());
  ds->SetRange({std::string("A")}, {std::string("S")});
  EXPECT_EQ(Codes(*ds), (std::vector<int>{4, 7, 9}));
  ds->CancelRange();
  EXPECT_EQ(ds->RecordCount(), 8);
  EXPECT_THROW(ds->SetRange({std::string("a"), int64_t{1}, int64_t{2}}, {}), EDatabaseError);
  ds->SetIndexFieldNames("");
  EXPECT_THROW(ds->SetRange({int64_t{1}}, {int64_t{2}}), EDatabaseError);
}

TEST_F(ClientDataSetTest, FindKeyOnIndexFields) {
  auto ds = MakePeople(kPeople);
  ds->SetIndexFieldNames("NAME");
  ASSERT_TRUE(ds->FindKey({std::string("bruno")}));
  EXPECT_EQ(ds->FieldByName("CODE").AsInteger(), 8);
  ASSERT_TRUE(ds->FindKey({std::string("Bruno")}));
  EXPECT_EQ(ds->FieldByName("CODE").AsInteger(), 9);
  ASSERT_TRUE(ds->FindKey({Null{}}));
  EXPECT_EQ(ds->FieldByName("CODE").AsInteger(), 7);
  EXPECT_FALSE(ds->FindKey({std::string("Carla")}));
  EXPECT_EQ(ds->FieldByName("CODE").AsInteger(), 7);  // cursor unchanged

  ds->SetIndexFieldNames("VALUE");  // NUMERIC column, integer and float keys
  ASSERT_TRUE(ds->FindKey({int64_t{30}}));
  EXPECT_EQ(ds->FieldByName("CODE").AsInteger(), 9);
  ASSERT_TRUE(ds->FindKey({10.5}));
  EXPECT_EQ(ds->FieldByName("CODE").AsInteger(), 5);
  EXPECT_FALSE(ds->FindKey({int64_t{11}}));

  ds->SetIndexFieldNames("SINCE");
  ASSERT_TRUE(ds->FindKey({DateTimeValue{EncodeDate(2004, 1, 15)}}));
  EXPECT_EQ(ds->FieldByName("CODE").AsInteger(), 1);
  ASSERT_TRUE(ds->FindKey({std::string("15/01/2006")}));
  EXPECT_EQ(ds->FieldByName("CODE").AsInteger(), 2);
}

TEST_F(ClientDataSetTest, FindKeyStaysInTheRange) {
  auto ds = MakePeople(kPeople);
  ds->SetIndexFieldNames("CITY;CODE");
  ds->SetRange({std::string("Santos")}, {std::string("Santos")});
  EXPECT_FALSE(ds->FindKey({std::string("Campinas")}));
  ASSERT_TRUE(ds->FindKey({std::string("Santos"), int64_t{8}}));
  EXPECT_EQ(ds->RecNo(), 3);
}

TEST_F(ClientDataSetTest, LocateOnAnyFields) {
  auto ds = MakePeople(kPeople);
  ds->SetIndexFieldNames("CODE");
  ASSERT_TRUE(ds->Locate("city", {std::string("Santos")}));
  EXPECT_EQ(ds->FieldByName("CODE").AsInteger(), 1);  // first in index order
  ASSERT_TRUE(ds->Locate("CITY;VALUE", {std::string("Santos"), int64_t{70}}));
  EXPECT_EQ(ds->FieldByName("CODE").AsInteger(), 8);
  EXPECT_FALSE(ds->Locate("CITY;VALUE", {std::string("Santos"), int64_t{71}}));
  EXPECT_EQ(ds->FieldByName("CODE").AsInteger(), 8);
  EXPECT_FALSE(ds->Locate("NAME", {std::string("ANA")}));  // exact match
  ASSERT_TRUE(ds->Locate("VALUE", {10.5}));
  EXPECT_EQ(ds->FieldByName("CODE").AsInteger(), 5);
}

TEST_F(ClientDataSetTest, IntegerKeysMatchEveryNumericColumnType) {
  TClientDataSet ds;
  const TFieldType types[] = {TFieldType::ftSmallint, TFieldType::ftInteger, TFieldType::ftLargeint,
                              TFieldType::ftCurrency, TFieldType::ftFloat};
  for (TFieldType t : types) ds.AddField("F" + std::to_string(static_cast<int>(t)), t);
  for (int64_t v : {3, 1, 2}) {
    ds.AppendRow();
    for (int c = 0; c < ds.FieldCount(); ++c) ds.SetInteger(c, v);
  }
  for (int c = 0; c < ds.FieldCount(); ++c) {
    const std::string name = ds.Fields(c).FieldName();
    ds.SetIndexFieldNames(name);
    EXPECT_EQ(ds.Fields(c).AsInteger(), 1) << name;
    ASSERT_TRUE(ds.FindKey({int64_t{2}})) << name;
    EXPECT_EQ(ds.CurrentRowIndex(), 2u) << name;
    ds.SetRange({int64_t{2}}, {int64_t{3}});
    EXPECT_EQ(ds.RecordCount(), 2) << name;
    ASSERT_TRUE(ds.Locate(name, {int64_t{3}})) << name;
    EXPECT_EQ(ds.CurrentRowIndex(), 0u) << name;
  }
}

// Random rows with shared prefixes, accents, case and nulls, checked against
// a plain stable sort on collation keys and against brute-force searches.
TEST_F(ClientDataSetTest, AgreesWithAReferenceOnRandomData) {
  const std::vector<std::string> words = {"a", "A", "á", "Ana", "ana", "Ánà", "b", "Bruno",
                                          "bruno", "Éder", "eder", "zé", "Zé", ""};
  std::mt19937 rng(11);
  TClientDataSet ds;
  ds.AddField("T", TFieldType::ftString);
  ds.AddField("N", TFieldType::ftFloat);
  const int n = 3000;
  std::vector<std::optional<std::string>> texts;
  std::vector<std::optional<double>> numbers;
  for (int i = 0; i < n; ++i) {
    ds.AppendRow();
    std::optional<std::string> t;
    if (rng() % 10) {
      // Long common prefixes exercise deep comparisons of collation keys.
      t = std::string(rng() % 3 == 0 ? 40 : 0, 'x') + words[rng() % words.size()] + " " +
          words[rng() % words.size()];
      ds.SetString(0, *t);
    }
    std::optional<double> v;
    if (rng() % 10) {
      v = static_cast<double>(static_cast<int>(rng() % 21) - 10) / 2;
      ds.SetFloat(1, *v);
    }
    texts.push_back(t);
    numbers.push_back(v);
  }
  auto less_text = [&](int a, int b) {
    if (!texts[a] || !texts[b]) return !texts[a] && texts[b];
    const std::string ka = CollationKey(*texts[a]), kb = CollationKey(*texts[b]);
    return ka != kb ? ka < kb : *texts[a] < *texts[b];
  };
  auto less_number = [&](int a, int b) {
    if (!numbers[a] || !numbers[b]) return !numbers[a] && numbers[b];
    return *numbers[a] < *numbers[b];
  };
  std::vector<int> expected(n);
  std::iota(expected.begin(), expected.end(), 0);
  std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
    if (less_text(a, b)) return true;
    if (less_text(b, a)) return false;
    return less_number(a, b);
  });
  ds.SetIndexFieldNames("T;N");
  std::vector<int> got;
  for (ds.First(); !ds.Eof(); ds.Next()) got.push_back(static_cast<int>(ds.CurrentRowIndex()));
  ASSERT_EQ(got, expected);

  // Ranges and keyed searches against counting by hand.
  for (int probe = 0; probe < 50; ++probe) {
    int pick = static_cast<int>(rng() % n);
    while (!texts[pick]) pick = (pick + 1) % n;
    const std::string key = *texts[pick];
    int count = 0;
    for (int i = 0; i < n; ++i) count += texts[i] && *texts[i] == key;
    ds.SetRange({key}, {key});
    EXPECT_EQ(ds.RecordCount(), count) << key;
    ds.CancelRange();
    ASSERT_TRUE(ds.FindKey({key}));
    EXPECT_EQ(ds.FieldByName("T").AsString(), key);
    ASSERT_TRUE(ds.Locate("T", {key}));
    EXPECT_EQ(ds.FieldByName("T").AsString(), key);
  }
}

// Locate must find the first visible row in cursor order whether the rows
// happen to be ascending on the located fields (searched by halves) or not
// (hash table), with duplicates, nulls and an active range.
TEST_F(ClientDataSetTest, LocateOnWholeNumbersAgreesWithAScan) {
  std::mt19937 rng(5);
  std::vector<std::pair<std::optional<int>, int>> pairs;
  for (int i = 0; i < 400; ++i) {
    std::optional<int> a;
    if (rng() % 10) a = static_cast<int>(rng() % 6);
    pairs.emplace_back(a, static_cast<int>(rng() % 6));
  }
  auto ascending = pairs;
  std::sort(ascending.begin(), ascending.end());  // nulls first, as the index sorts
  auto make = [](const std::vector<std::pair<std::optional<int>, int>>& rows) {
    auto ds = std::make_unique<TClientDataSet>();
    ds->AddField("A", TFieldType::ftInteger);
    ds->AddField("B", TFieldType::ftLargeint);
    ds->AddField("SEQ", TFieldType::ftInteger);
    int seq = 0;
    for (const auto& [a, b] : rows) {
      ds->AppendRow();
      if (a) ds->SetInteger(0, *a); else ds->SetNull(0);
      ds->SetInteger(1, b);
      ds->SetInteger(2, seq++);
    }
    return ds;
  };
  auto scan = [](TClientDataSet& ds, const Variant& a, int64_t b) -> std::optional<int> {
    for (ds.First(); !ds.Eof(); ds.Next()) {
      const TField& fa = ds.FieldByName("A");
      const bool same_a = VarIsNull(a) ? fa.IsNull() : !fa.IsNull() && fa.AsInteger() == std::get<int64_t>(a);
      if (same_a && ds.FieldByName("B").AsInteger() == b) return ds.FieldByName("SEQ").AsInteger();
    }
    return std::nullopt;
  };
  auto check_all_keys = [&](TClientDataSet& ds, const std::string& label) {
    std::vector<Variant> as = {Variant()};
    for (int64_t a = -1; a <= 6; ++a) as.push_back(a);
    for (const Variant& a : as) {
      for (int64_t b = -1; b <= 6; ++b) {
        const std::optional<int> expected = scan(ds, a, b);
        const bool found = ds.Locate("A;B", {a, b});
        ASSERT_EQ(found, expected.has_value()) << label << " b=" << b;
        if (found) {
          EXPECT_EQ(ds.FieldByName("SEQ").AsInteger(), *expected) << label << " b=" << b;
        }
      }
    }
  };
  auto in_order = make(ascending);
  check_all_keys(*in_order, "ascending");
  auto shuffled = make(pairs);
  check_all_keys(*shuffled, "query order");
  shuffled->SetIndexFieldNames("A;B");  // now ascending through the index
  shuffled->SetRange({int64_t{2}}, {int64_t{3}});
  check_all_keys(*shuffled, "index and range");
  in_order->SetIndexFieldNames("B");  // no longer ascending on A;B
  check_all_keys(*in_order, "other index");
}

}  // namespace
}  // namespace vcl
