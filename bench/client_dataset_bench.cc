// Micro-benchmarks of the client dataset on the shapes the reports use:
// sorting a large result on two fields, walking a range per key, a keyed
// search per row, and reading many columns per row through a field map
// versus by name.
//
// Row counts are the benchmark argument; the CTest smoke run picks the small
// ones with --benchmark_filter.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include "frame/field_map.h"
#include "host/dataworks/client_dataset.h"
#include "host/vcl/client_dataset.h"

namespace {

const char* const kNames[] = {"Ana",    "Bruno",  "Carla",   "Davi",   "Érica",  "Fábio",
                              "Gisele", "Heitor", "Íris",    "João",   "Kátia",  "Lucas",
                              "Márcia", "Nelson", "Otávio",  "Paula",  "Quésia", "Rafael",
                              "Sônia",  "Tiago",  "Úrsula",  "Vânia",  "Wagner", "Yara"};

std::string PersonName(std::mt19937_64& rng) {
  const size_t n = std::size(kNames);
  return std::string(kNames[rng() % n]) + " " + kNames[rng() % n] + " " +
         std::to_string(rng() % 1000);
}

// Rows like movements: KEY (n/10 distinct), SEQ, NAME, VALUE, in random order.
std::unique_ptr<dataworks::TnClientDataSet> Movements(int64_t rows) {
  auto ds = std::make_unique<dataworks::TnClientDataSet>();
  ds->AddField("KEY", vcl::TFieldType::ftInteger);
  ds->AddField("SEQ", vcl::TFieldType::ftInteger);
  ds->AddField("NAME", vcl::TFieldType::ftString);
  ds->AddField("VALUE", vcl::TFieldType::ftFloat);
  ds->Reserve(rows);
  std::mt19937_64 rng(42);
  const int64_t keys = std::max<int64_t>(1, rows / 10);
  for (int64_t i = 0; i < rows; ++i) {
    ds->AppendRow();
    ds->SetInteger(0, static_cast<int64_t>(rng() % keys));
    ds->SetInteger(1, i);
    ds->SetString(2, PersonName(rng));
    ds->SetFloat(3, static_cast<double>(rng() % 100000) / 100.0);
  }
  ds->First();
  return ds;
}

void BM_SortOnTwoFields(benchmark::State& state) {
  auto ds = Movements(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    ds->SetIndexFieldNames("");
    state.ResumeTiming();
    ds->SetIndexFieldNames("NAME;KEY");
    benchmark::DoNotOptimize(ds->RecNo());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_RangePerKey(benchmark::State& state) {
  auto ds = Movements(state.range(0));
  ds->SetIndexFieldNames("KEY;SEQ");
  const int64_t keys = std::max<int64_t>(1, state.range(0) / 10);
  vcl::TField& value = ds->FieldByName("VALUE");
  for (auto _ : state) {
    double sum = 0;
    for (int64_t k = 0; k < keys; ++k) {
      ds->SetRange({vcl::Variant(std::in_place_type<int64_t>, k)},
                   {vcl::Variant(std::in_place_type<int64_t>, k)});
      for (; !ds->Eof(); ds->Next()) sum += value.AsFloat();
    }
    ds->CancelRange();
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_FindKeyPerRow(benchmark::State& state) {
  auto ds = Movements(state.range(0));
  const int64_t keys = std::max<int64_t>(1, state.range(0) / 10);
  // A look-up table with one row per key, searched once per movement.
  dataworks::TnClientDataSet lookup;
  lookup.AddField("KEY", vcl::TFieldType::ftInteger);
  lookup.AddField("DESCRIPTION", vcl::TFieldType::ftString);
  for (int64_t k = keys - 1; k >= 0; --k) {
    lookup.AppendRow();
    lookup.SetInteger(0, k);
    lookup.SetString(1, "item " + std::to_string(k));
  }
  lookup.SetIndexFieldNames("KEY");
  vcl::TField& key = ds->FieldByName("KEY");
  for (auto _ : state) {
    int64_t found = 0;
    for (ds->First(); !ds->Eof(); ds->Next())
      found += lookup.FindKey({vcl::Variant(std::in_place_type<int64_t>, key.AsLargeInt())});
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

NRW_FIELD_MAP(TMapWide, C01, C02, C03, C04, C05, C06, C07, C08, C09, C10, C11, C12, C13, C14,
              C15, C16, C17, C18, C19, C20, C21, C22, C23, C24, C25);

// 25 columns: texts and integers alternating, as a report's joined rows.
std::unique_ptr<dataworks::TnClientDataSet> Wide(int64_t rows) {
  auto ds = std::make_unique<dataworks::TnClientDataSet>();
  for (int c = 1; c <= 25; ++c) {
    char name[4];
    std::snprintf(name, sizeof name, "C%02d", c);
    ds->AddField(name, c % 2 ? vcl::TFieldType::ftString : vcl::TFieldType::ftInteger);
  }
  ds->Reserve(rows);
  std::mt19937_64 rng(7);
  for (int64_t i = 0; i < rows; ++i) {
    ds->AppendRow();
    for (int c = 0; c < 25; ++c) {
      if (c % 2 == 0) ds->SetString(c, PersonName(rng));
      else ds->SetInteger(c, static_cast<int64_t>(rng() % 100000));
    }
  }
  ds->First();
  return ds;
}

void BM_Read25ColumnsByFieldMap(benchmark::State& state) {
  auto ds = Wide(state.range(0));
  TMapWide* map = PegarMapa<TMapWide>(ds.get());
  vcl::TField* TMapWide::*members[] = {
      &TMapWide::C01, &TMapWide::C02, &TMapWide::C03, &TMapWide::C04, &TMapWide::C05,
      &TMapWide::C06, &TMapWide::C07, &TMapWide::C08, &TMapWide::C09, &TMapWide::C10,
      &TMapWide::C11, &TMapWide::C12, &TMapWide::C13, &TMapWide::C14, &TMapWide::C15,
      &TMapWide::C16, &TMapWide::C17, &TMapWide::C18, &TMapWide::C19, &TMapWide::C20,
      &TMapWide::C21, &TMapWide::C22, &TMapWide::C23, &TMapWide::C24, &TMapWide::C25};
  for (auto _ : state) {
    size_t total = 0;
    for (ds->First(); !ds->Eof(); ds->Next())
      for (int c = 0; c < 25; ++c) {
        vcl::TField* f = map->*members[c];
        total += c % 2 == 0 ? f->AsString().size() : static_cast<size_t>(f->AsInteger());
      }
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Read25ColumnsByName(benchmark::State& state) {
  auto ds = Wide(state.range(0));
  const char* const names[] = {"C01", "C02", "C03", "C04", "C05", "C06", "C07", "C08", "C09",
                               "C10", "C11", "C12", "C13", "C14", "C15", "C16", "C17", "C18",
                               "C19", "C20", "C21", "C22", "C23", "C24", "C25"};
  for (auto _ : state) {
    size_t total = 0;
    for (ds->First(); !ds->Eof(); ds->Next())
      for (int c = 0; c < 25; ++c) {
        vcl::TField& f = ds->FieldByName(names[c]);
        total += c % 2 == 0 ? f.AsString().size() : static_cast<size_t>(f.AsInteger());
      }
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_SortOnTwoFields)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RangePerKey)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindKeyPerRow)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read25ColumnsByFieldMap)->Arg(1000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read25ColumnsByName)->Arg(1000)->Arg(200000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
