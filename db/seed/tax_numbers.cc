#include "db/seed/tax_numbers.h"

#include <vector>

namespace agency_seed {
namespace {

// The check digit of modulus 11 over `digits` with the given weights.
int CheckDigit(const std::vector<int>& digits, const std::vector<int>& weights) {
  int sum = 0;
  for (size_t i = 0; i < weights.size(); ++i) sum += digits[i] * weights[i];
  int rest = sum % 11;
  return rest < 2 ? 0 : 11 - rest;
}

std::vector<int> CpfWeights(int first) {
  std::vector<int> w;
  for (int k = first; k >= 2; --k) w.push_back(k);
  return w;
}

const std::vector<int> kCnpjWeights1 = {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
const std::vector<int> kCnpjWeights2 = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};

std::vector<int> Digits(const std::string& text) {
  std::vector<int> d;
  for (char c : text)
    if (c >= '0' && c <= '9') d.push_back(c - '0');
  return d;
}

std::string Format(const std::vector<int>& d, const std::string& mask) {
  std::string out;
  size_t i = 0;
  for (char m : mask) out += (m == '#') ? static_cast<char>('0' + d[i++]) : m;
  return out;
}

bool AllEqual(const std::vector<int>& d) {
  for (int x : d)
    if (x != d[0]) return false;
  return true;
}

}  // namespace

std::string MakeCpf(Prng& rng) {
  std::vector<int> d;
  do {
    d.clear();
    for (int i = 0; i < 9; ++i) d.push_back(static_cast<int>(rng.Range(0, 9)));
  } while (AllEqual(d));
  d.push_back(CheckDigit(d, CpfWeights(10)));
  d.push_back(CheckDigit(d, CpfWeights(11)));
  return Format(d, "###.###.###-##");
}

std::string MakeCnpj(Prng& rng) {
  std::vector<int> d;
  do {
    d.clear();
    for (int i = 0; i < 8; ++i) d.push_back(static_cast<int>(rng.Range(0, 9)));
  } while (AllEqual(d));
  for (int x : {0, 0, 0, 1}) d.push_back(x);
  d.push_back(CheckDigit(d, kCnpjWeights1));
  d.push_back(CheckDigit(d, kCnpjWeights2));
  return Format(d, "##.###.###/####-##");
}

bool ValidCpf(const std::string& text) {
  std::vector<int> d = Digits(text);
  if (d.size() != 11 || AllEqual(d)) return false;
  return CheckDigit(d, CpfWeights(10)) == d[9] && CheckDigit(d, CpfWeights(11)) == d[10];
}

bool ValidCnpj(const std::string& text) {
  std::vector<int> d = Digits(text);
  if (d.size() != 14 || AllEqual(d)) return false;
  return CheckDigit(d, kCnpjWeights1) == d[12] && CheckDigit(d, kCnpjWeights2) == d[13];
}

}  // namespace agency_seed
