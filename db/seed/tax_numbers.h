// Brazilian tax numbers with valid check digits: CPF for individuals
// ("529.982.247-25"), CNPJ for companies ("11.222.333/0001-81").
#pragma once

#include <string>

#include "db/seed/prng.h"

namespace agency_seed {

// Formatted CPF whose two check digits are computed from the nine random ones.
std::string MakeCpf(Prng& rng);
// Formatted CNPJ of a head office (branch 0001) with computed check digits.
std::string MakeCnpj(Prng& rng);

// True when the text, stripped of punctuation, is a CPF (11 digits) or a
// CNPJ (14 digits) whose check digits are right.
bool ValidCpf(const std::string& text);
bool ValidCnpj(const std::string& text);

}  // namespace agency_seed
