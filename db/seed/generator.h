// Fills an agency database (already holding the schema) with deterministic
// sample data: catalogues, offices, persons, properties with values, owners,
// contracts, insurance policies, inspections, write-offs, keys with their
// movements and signs with their movements.
//
// The data spans DataStart() to DataEnd(); both offices (1 and 2) have
// properties, keys and signs, office 1 about two thirds of everything. The
// amount of everything but the catalogues grows linearly with the scale.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "db/seed/calendar.h"
#include "db/seed/row_sink.h"

namespace agency_seed {

struct SeedOptions {
  int scale = 1;
  uint64_t seed = 1;
};

// First and last day of the movements, contracts and inspections.
Day DataStart();  // 2022-01-03
Day DataEnd();    // 2024-12-20, a Friday: the day of the latest key hand-outs
// 2024-01-01: a second day of office 1 whose hand-outs are still unanswered.
Day NewYearDay();

struct SeedSummary {
  // Key hand-outs of office 1 on DataEnd(), and how many of them are still
  // open (not followed by a return or write-off of the same key).
  int key_handouts_last_day = 0;
  int key_handouts_last_day_open = 0;
  // The same for NewYearDay().
  int key_handouts_new_year = 0;
  int key_handouts_new_year_open = 0;
  // Sign movements of office 1 in June 2024.
  int sign_movements_june_2024 = 0;
  // Inspections of office 1 requested in June 2024.
  int inspections_june_2024 = 0;
};

SeedSummary GenerateAgency(RowSink& sink, const SeedOptions& options);

}  // namespace agency_seed
