// Fixed reference data of the sample database: countries, states,
// municipalities with their districts, street names, banks, property,
// infrastructure and room types, and the pools names are drawn from.
#pragma once

#include <string>
#include <vector>

namespace agency_seed {

struct Country {
  int code;
  const char* name;
  const char* abbreviation;
};

struct State {
  const char* abbreviation;
  const char* name;
  int ibge;
};

struct Municipality {
  const char* name;
  const char* state;
  int area_code;  // telephone DDD
  int cep_low;    // first five CEP digits, range of the municipality
  int cep_high;
  std::vector<std::string> districts;  // empty: drawn from the common pool
};

struct Bank {
  int code;
  const char* name;
};

struct CodedName {
  int category;
  const char* name;
};

const std::vector<Country>& Countries();
const std::vector<State>& States();
// Municipality codes are positions in this list plus one.
const std::vector<Municipality>& Municipalities();
const std::vector<std::string>& CommonDistricts();
// Street types: code = position + 1.
const std::vector<std::string>& StreetTypes();
const std::vector<std::string>& StreetTypeAbbreviations();
const std::vector<std::string>& StreetNames();
const std::vector<std::string>& RoadNames();
const std::vector<Bank>& Banks();
const std::vector<std::string>& BranchNames();
const std::vector<CodedName>& PropertyTypes();
const std::vector<CodedName>& FacilityTypes();
const std::vector<CodedName>& Rooms();
const std::vector<std::string>& SignTypes();

const std::vector<std::string>& MaleNames();
const std::vector<std::string>& FemaleNames();
const std::vector<std::string>& Surnames();
const std::vector<std::string>& DevelopmentNames();

}  // namespace agency_seed
