#include "db/seed/generator.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>

#include "db/seed/catalog_data.h"
#include "db/seed/prng.h"
#include "db/seed/rich_text.h"
#include "db/seed/tax_numbers.h"

namespace agency_seed {

Day DataStart() { return MakeDay(2022, 1, 3); }
Day DataEnd() { return MakeDay(2024, 12, 20); }
Day NewYearDay() { return MakeDay(2024, 1, 1); }

namespace {

// ---------------------------------------------------------------------------
// Tables as the generator writes them.

const Table kPais{"PAIS", {"CODIGOPAIS", "NOMEPAIS", "SIGLAPAIS"}};
const Table kEstado{"ESTADO", {"SIGLAESTADO", "NOMEESTADO", "CODIGOPAIS", "CODIGOIBGE"}};
const Table kMunicipio{"MUNICIPIO", {"CODIGOMUNICIPIO", "NOMEMUNIC", "SIGLAESTADO"}};
const Table kBairro{"BAIRRO", {"CODIGOBAIRRO", "NOMEBAIRRO", "CODIGOMUNICIPIO"}};
const Table kTipoLogradoro{"TIPOLOGRADORO",
                           {"CODIGOTIPOLOGRADORO", "DSTIPOLOGRADORO", "ABREVIATURA"}};
const Table kLogradoro{"LOGRADORO", {"CODIGOLOGRADORO", "NOMELOGRADORO", "CODIGOTIPOLOGRADORO",
                                     "CODIGOMUNICIPIO"}};
const Table kBanco{"BANCO", {"CODIGOBANCO", "NOMEBANCO"}};
const Table kAgencia{"AGENCIA", {"CODIGOBANCO", "CODIGOAGENCIA", "DIGITOAGENCIA", "NOMEAGENCIA",
                                 "CODIGOMUNICIPIO"}};
const Table kTpImovel{"TPIMOVEL", {"CODIGOTPIMOVEL", "TIPOIMOVEL", "DSTPIMOVEL"}};
const Table kTpInfra{"TPINFRAESTRU", {"CODIGOTPINFRAEST", "TIPOINFRAESTRU", "DSINFRAESTRU"}};
const Table kComodos{"COMODOS", {"CODIGOCOMODOS", "TIPOSCOMODOS", "DSCOMODOS"}};
const Table kTipoPlaca{"TIPOPLACA", {"CODIGOTIPOPLACA", "DESCRICAO"}};
const Table kEndereco{"ENDERECO", {"CODIGOENDERECO", "CODIGOTIPOLOGRADORO", "CODIGOLOGRADORO",
                                   "CODIGOBAIRRO", "CODIGOMUNICIPIO", "CEP", "COMPLEMENTO"}};
const Table kPessoa{"PESSOAFINANCEIRO",
                    {"CODIGOPESSOAFIN", "NOME", "NOMEFANTASIA", "TIPOINSCFEDERAL", "INSCFEDERAL",
                     "RG", "EMAIL", "DTCADASTRO", "BAIXADO"}};
const Table kPessoaEndereco{"PESSOAENDERECO",
                            {"CODIGOPESSOAFIN", "CODIGOENDERECO", "NRENDERECO", "PADRAO"}};
const Table kPessoaGrupo{"PESSOAGRUPO", {"CODIGOPESSOAFIN", "TIPOGRUPOPESSOA"}};
const Table kPessoaContato{"PESSOACONTATO",
                           {"CODIGOPESSOACONTATO", "CODIGOPESSOAFIN", "TIPOCONTATO", "VALOR"}};
const Table kEscritorio{"ESCRITORIO", {"CODIGOESCRIT", "CRECI"}};
const Table kConfiguracao{"EMPRESACONFIGURACAO", {"CODIGOESCRIT", "DIASDEVOLUCAOCHAVE"}};
const Table kUsuario{"USUARIO",
                     {"CODIGOUSUARIO", "NOMEUSUARIO", "NOMEUSUARIOCOMPL", "CODIGOESCRIT", "ATIVO"}};
const Table kEmpreendimento{"EMPREENDIMENTO",
                            {"CODIGOESCRIT", "CODIGOEMPREEND", "NOMEEMPRE", "CODIGOENDERECO"}};
const Table kImovel{"IMOVEL",
                    {"CODIGOESCRIT", "CODIGOIMOVEL", "CODIGOTPIMOVEL", "CODIGOENDERECO",
                     "NRENDERECO", "COMPLEMENTO", "CODIGOEMPREEND", "NEGOCIACAO", "BAIXADO",
                     "DTCADASTRO", "REF", "AREACONSTRUIDA", "AREATOTAL"}};
const Table kImovelPessoa{"IMOVELPESSOA", {"CODIGOESCRIT", "CODIGOIMOVEL", "CODIGOPESSOAFIN",
                                           "RESPONSAVEL", "TIPOVINCULO", "PERCENTUAL"}};
const Table kImovelValores{"IMOVELVALORES", {"CODIGOESCRIT", "CODIGOIMOVEL", "VLRVENDA",
                                             "VLRLOCACAO", "VLRCONDOMINIO", "VLRIPTU"}};
const Table kImovelBaixa{"IMOVELBAIXA",
                         {"CODIGOESCRIT", "CODIGOIMOVEL", "CODIGOBAIXA", "DATABAIXA",
                          "TIPOMOTIVO", "OBS", "CODIGOUSUARIO", "DATAHORAALTER"}};
const Table kImovelReativacao{"IMOVELREATIVACAO",
                              {"CODIGOESCRIT", "CODIGOIMOVEL", "CODIGOREATIVACAO",
                               "DATAREATIVACAO", "TIPOMOTIVO", "OBS", "CODIGOUSUARIO",
                               "DATAHORAALTER"}};
const Table kImovelDoc{"IMOVELDOC",
                       {"CODIGOESCRIT", "CODIGOIMOVEL", "CODIGODOC", "CODIGOSEGURADORA",
                        "NUMEROAPOLISE", "DTVIGINICIOSEGURO", "DTVIGFINALSEGURO", "COBERTURA",
                        "VALORSEGURO"}};
const Table kContrato{"CONTRATO", {"CODIGOESCRIT", "CODIGOCONTRATO", "CODIGOIMOVEL",
                                   "CODIGOPESSOAFIN", "DATAINICIO", "DATAFIM", "VALOR"}};
const Table kVistoria{"IMOVELVISTORIA",
                      {"CODIGOESCRIT", "CODIGOIMOVEL", "CODIGOVISTORIA", "CODIGOVISTORIAADENDO",
                       "CODIGOCONTRATO", "TIPOVISTORIA", "DATASOLICITACAO", "DATAVISTORIA",
                       "DESCRICAO", "CODIGOUSUARIO"}};
const Table kLocalChave{"LOCALCHAVE", {"CODIGOLOCALCHAVE", "CODIGOESCRIT", "QUADRO", "COLUNA",
                                       "LINHA", "DESCRICAO"}};
const Table kImovelChave{"IMOVELCHAVE", {"CODIGOESCRIT", "CODIGOIMOVEL", "CODIGOCHAVE",
                                         "REFERENCIA", "NUMEROSERIE", "CODIGOLOCALCHAVE",
                                         "DATABAIXA"}};
const Table kChaveMovimento{"IMOVELCHAVEMOVIMENTO",
                            {"CODIGOESCRIT", "CODIGOIMOVEL", "CODIGOCHAVE", "SEQ",
                             "TIPOMOVIMENTO", "DATAMOVIMENTO", "CODIGOUSUARIO", "CODIGOPESSOAFIN",
                             "NOMEPESSOA", "OBSERVACAO"}};
const Table kPlaca{"PLACA", {"CODIGOESCRIT", "CODIGOPLACA", "REFERENCIA", "NUMEROSERIE",
                             "CODIGOTIPOPLACA", "COMPRIMENTO", "ALTURA", "SALDOATUAL",
                             "SALDOTOTAL"}};
const Table kPlacaMovimento{"PLACAMOVIMENTO",
                            {"CODIGOESCRIT", "CODIGOMOVIMENTO", "TIPOMOVIMENTO", "DATAMOVIMENTO",
                             "CODIGOPLACA", "CODIGOIMOVEL", "QUANTIDADE", "CODIGOPESSOAFIN",
                             "VALORUNITARIO", "OBSERVACAO"}};

// ---------------------------------------------------------------------------
// Values.

vcl::Variant Int(int64_t v) { return vcl::Variant(std::in_place_type<int64_t>, v); }
vcl::Variant Num(double v) { return vcl::Variant(std::in_place_type<double>, v); }
vcl::Variant Money(double v) { return Num(std::round(v * 100.0) / 100.0); }
vcl::Variant Text(std::string v) {
  return vcl::Variant(std::in_place_type<std::string>, std::move(v));
}
vcl::Variant OptText(const std::string& v) { return v.empty() ? vcl::Variant() : Text(v); }
vcl::Variant OptInt(int v) { return v == 0 ? vcl::Variant() : Int(v); }
vcl::Variant Date(Day d) { return vcl::Variant(DateValue(d)); }
vcl::Variant Stamp(Day d, double fraction) { return vcl::Variant(DateValue(d, fraction)); }

std::string Pad(int value, int width) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*d", width, value);
  return buf;
}

// Lower-case ASCII letters of a name, for e-mail addresses.
std::string AsciiFold(const std::string& text) {
  static const std::vector<std::pair<std::string, char>> kFold = {
      {"á", 'a'}, {"à", 'a'}, {"â", 'a'}, {"ã", 'a'}, {"é", 'e'}, {"ê", 'e'}, {"í", 'i'},
      {"ó", 'o'}, {"ô", 'o'}, {"õ", 'o'}, {"ú", 'u'}, {"ç", 'c'}, {"Á", 'a'}, {"É", 'e'},
      {"Í", 'i'}, {"Ó", 'o'}, {"Ú", 'u'}, {"Â", 'a'}, {"Ê", 'e'}, {"Ô", 'o'}};
  std::string out;
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if (std::isalpha(c)) out += static_cast<char>(std::tolower(c));
      ++i;
      continue;
    }
    bool folded = false;
    for (const auto& [from, to] : kFold) {
      if (text.compare(i, from.size(), from) == 0) {
        out += to;
        i += from.size();
        folded = true;
        break;
      }
    }
    if (!folded) ++i;
  }
  return out;
}

Day Workday(Day d) { return Weekday(d) == 0 ? d + 1 : d; }

// ---------------------------------------------------------------------------

enum Group {
  kAngariador = 0, kProprietario = 1, kInquilino = 2, kInteressado = 3, kAgenda = 4,
  kSindico = 5, kConstrutora = 6, kIndicador = 7, kParceiro = 8, kCartorio = 9,
  kFiador = 10, kSeguradora = 11
};

struct MuniInfo {
  int code;
  const Municipality* data;
  std::vector<int> districts;
  std::vector<std::pair<int, int>> streets;  // street code, street type code
  std::vector<std::pair<int, int>> roads;
};

struct Property {
  int office;
  int code;
  int category;
  int negotiation;
  bool written_off;
  double sale;
  double rent;
  Day registered;
  bool has_contract = false;
};

struct Office {
  int code;
  std::vector<int> users;
  std::vector<size_t> properties;  // indexes into properties_
  std::vector<int> developments;
};

class Generator {
 public:
  Generator(RowSink& sink, const SeedOptions& options)
      : sink_(sink), rng_(options.seed), scale_(std::max(1, options.scale)) {}

  SeedSummary Run() {
    Catalogues();
    Users();
    Persons();
    Developments();
    Properties();
    ContractsInsuranceInspections();
    Keys();
    Signs();
    sink_.Finish();
    return summary_;
  }

 private:
  void Put(const Table& table, vcl::VariantArray values) { sink_.Insert(table, values); }

  // ---- catalogues --------------------------------------------------------

  void Catalogues() {
    for (const Country& c : Countries())
      Put(kPais, {Int(c.code), Text(c.name), Text(c.abbreviation)});
    for (const State& s : States())
      Put(kEstado, {Text(s.abbreviation), Text(s.name), Int(1058), Int(s.ibge)});

    for (size_t i = 0; i < StreetTypes().size(); ++i)
      Put(kTipoLogradoro,
          {Int(i + 1), Text(StreetTypes()[i]), Text(StreetTypeAbbreviations()[i])});

    int district_code = 0;
    int street_code = 0;
    const auto& muni_list = Municipalities();
    for (size_t i = 0; i < muni_list.size(); ++i) {
      MuniInfo info;
      info.code = static_cast<int>(i + 1);
      info.data = &muni_list[i];
      Put(kMunicipio, {Int(info.code), Text(info.data->name), Text(info.data->state)});

      std::vector<std::string> districts = info.data->districts;
      if (districts.empty()) districts = Sample(CommonDistricts(), 6);
      for (const std::string& name : districts) {
        Put(kBairro, {Int(++district_code), Text(name), Int(info.code)});
        info.districts.push_back(district_code);
      }

      bool main_city = i == 0 || i == 4;
      size_t count = main_city ? std::min<size_t>(StreetNames().size(), 20 + scale_ / 5) : 8;
      for (const std::string& name : Sample(StreetNames(), count)) {
        int type = 1 + static_cast<int>(rng_.Weighted({60, 25, 5, 8, 2}));
        Put(kLogradoro, {Int(++street_code), Text(name), Int(type), Int(info.code)});
        info.streets.emplace_back(street_code, type);
      }
      for (const std::string& name : Sample(RoadNames(), 2)) {
        int type = rng_.Chance(0.5) ? 6 : 7;
        Put(kLogradoro, {Int(++street_code), Text(name), Int(type), Int(info.code)});
        info.roads.emplace_back(street_code, type);
      }
      munis_.push_back(std::move(info));
    }

    for (const Bank& bank : Banks()) {
      Put(kBanco, {Int(bank.code), Text(bank.name)});
      int branches = static_cast<int>(rng_.Range(2, 4));
      int branch_code = static_cast<int>(rng_.Range(100, 900));
      for (const std::string& name : Sample(BranchNames(), branches)) {
        branch_code += static_cast<int>(rng_.Range(7, 400));
        int digit = static_cast<int>(rng_.Range(0, 10));
        Put(kAgencia, {Int(bank.code), Int(branch_code),
                       Text(digit == 10 ? "X" : std::to_string(digit)), Text(name),
                       Int(rng_.Chance(0.6) ? 1 : 5)});
      }
    }

    const auto& types = PropertyTypes();
    for (size_t i = 0; i < types.size(); ++i) {
      Put(kTpImovel, {Int(i + 1), Int(types[i].category), Text(types[i].name)});
      types_by_category_[types[i].category].push_back(static_cast<int>(i + 1));
    }
    const auto& facilities = FacilityTypes();
    for (size_t i = 0; i < facilities.size(); ++i)
      Put(kTpInfra, {Int(i + 1), Int(facilities[i].category), Text(facilities[i].name)});
    const auto& rooms = Rooms();
    for (size_t i = 0; i < rooms.size(); ++i)
      Put(kComodos, {Int(i + 1), Int(rooms[i].category), Text(rooms[i].name)});
    for (size_t i = 0; i < SignTypes().size(); ++i)
      Put(kTipoPlaca, {Int(i + 1), Text(SignTypes()[i])});
  }

  // `count` distinct items of `pool`, in a random order.
  std::vector<std::string> Sample(const std::vector<std::string>& pool, size_t count) {
    std::vector<size_t> idx(pool.size());
    for (size_t i = 0; i < idx.size(); ++i) idx[i] = i;
    for (size_t i = idx.size(); i > 1; --i) std::swap(idx[i - 1], idx[rng_.Next() % i]);
    std::vector<std::string> out;
    for (size_t i = 0; i < std::min(count, idx.size()); ++i) out.push_back(pool[idx[i]]);
    return out;
  }

  // A new address in the municipality of list index `muni`; returns its code.
  int NewAddress(size_t muni, bool rural, const std::string& complement = "") {
    const MuniInfo& m = munis_[muni];
    const auto& street = rural && !m.roads.empty() ? rng_.Pick(m.roads) : rng_.Pick(m.streets);
    int cep5 = static_cast<int>(rng_.Range(m.data->cep_low, m.data->cep_high));
    std::string cep = Pad(cep5, 5) + "-" + Pad(static_cast<int>(rng_.Range(0, 999)), 3);
    int code = ++address_code_;
    Put(kEndereco, {Int(code), Int(street.second), Int(street.first),
                    Int(rng_.Pick(m.districts)), Int(m.code), Text(cep), OptText(complement)});
    return code;
  }

  // ---- users and persons --------------------------------------------------

  void Users() {
    struct U {
      const char* login;
      const char* name;
      int office;
    };
    const std::vector<U> fixed = {
        {"admin", "Administrador do Sistema", 1},   {"mcosta", "Mariana Costa Ribeiro", 1},
        {"rsilva", "Rafael Silva Andrade", 1},      {"jsouza", "Juliana de Souza Lima", 1},
        {"pferreira", "Paulo Ferreira Gonçalves", 2}, {"aoliveira", "Ana Cláudia Oliveira", 2}};
    offices_ = {Office{1, {}, {}, {}}, Office{2, {}, {}, {}}};
    int code = 0;
    for (const U& u : fixed) {
      Put(kUsuario, {Int(++code), Text(u.login), Text(u.name), Int(u.office), Int(1)});
      offices_[u.office - 1].users.push_back(code);
    }
    for (int i = 0; i < scale_ / 5; ++i) {
      std::string first = rng_.Pick(rng_.Chance(0.5) ? MaleNames() : FemaleNames());
      std::string last = rng_.Pick(Surnames());
      std::string login = AsciiFold(first).substr(0, 1) + AsciiFold(last) + std::to_string(code);
      int office = rng_.Chance(0.65) ? 1 : 2;
      Put(kUsuario, {Int(++code), Text(login), Text(first + " " + last), Int(office),
                     Int(rng_.Chance(0.9) ? 1 : 0)});
      offices_[office - 1].users.push_back(code);
    }
  }

  std::string PersonName() {
    bool female = rng_.Chance(0.5);
    std::string name = rng_.Pick(female ? FemaleNames() : MaleNames());
    if (rng_.Chance(0.15)) name += " " + rng_.Pick(female ? FemaleNames() : MaleNames());
    static const std::vector<std::string> kWithParticle = {
        "da Silva", "de Souza", "dos Santos", "da Conceição", "de Oliveira", "da Costa",
        "de Almeida", "dos Reis"};
    std::string first = rng_.Pick(Surnames());
    name += " " + first;
    if (rng_.Chance(0.12)) {
      name += " " + rng_.Pick(kWithParticle);
    } else if (rng_.Chance(0.7)) {
      std::string second = rng_.Pick(Surnames());
      if (second != first) name += " " + second;
    }
    return name;
  }

  std::string CompanyName() {
    static const std::vector<std::string> kPatterns = {
        "%s Empreendimentos Imobiliários Ltda", "%s & Filhos Comércio Ltda",
        "Padaria %s Ltda", "Clínica Odontológica %s S/S", "%s Participações S.A.",
        "Auto Peças %s Ltda", "Escritório Contábil %s Ltda", "Supermercado %s Ltda"};
    char buf[160];
    std::snprintf(buf, sizeof buf, rng_.Pick(kPatterns).c_str(), rng_.Pick(Surnames()).c_str());
    return buf;
  }

  std::string Phone(int area, bool mobile) {
    char buf[32];
    if (mobile)
      std::snprintf(buf, sizeof buf, "(%d) 9%04d-%04d", area,
                    static_cast<int>(rng_.Range(6000, 9999)),
                    static_cast<int>(rng_.Range(0, 9999)));
    else
      std::snprintf(buf, sizeof buf, "(%d) %d%03d-%04d", area, static_cast<int>(rng_.Range(2, 4)),
                    static_cast<int>(rng_.Range(0, 999)), static_cast<int>(rng_.Range(0, 9999)));
    return buf;
  }

  // Inserts a person with an address in municipality `muni`, contacts and
  // groups.
  void AddPerson(int code, const std::string& name, const std::string& fantasy, bool company,
                 size_t muni, const std::vector<int>& groups, bool with_contacts = true) {
    std::string tax = company ? MakeCnpj(rng_) : MakeCpf(rng_);
    std::string rg;
    if (!company) {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%02d.%03d.%03d-%d", static_cast<int>(rng_.Range(10, 59)),
                    static_cast<int>(rng_.Range(0, 999)), static_cast<int>(rng_.Range(0, 999)),
                    static_cast<int>(rng_.Range(0, 9)));
      rg = buf;
    }
    std::string email;
    if (rng_.Chance(0.6)) {
      std::string folded = AsciiFold(name.substr(0, name.find(' ')));
      email = folded + "." + Pad(code, 4) + "@exemplo.com.br";
    }
    Day registered = static_cast<Day>(rng_.Range(MakeDay(2010, 1, 4), DataEnd() - 60));
    bool inactive = code >= 100 && rng_.Chance(0.04);
    Put(kPessoa, {Int(code), Text(name), OptText(fantasy), Int(company ? 1 : 0), Text(tax),
                  OptText(rg), OptText(email), Date(registered), Int(inactive ? 1 : 0)});
    int address = NewAddress(muni, false);
    Put(kPessoaEndereco, {Int(code), Int(address),
                          Text(std::to_string(rng_.Range(1, 2800))), Int(1)});
    for (int g : groups) Put(kPessoaGrupo, {Int(code), Int(g)});
    if (!with_contacts) return;
    int area = munis_[muni].data->area_code;
    auto contact = [&](int type, const std::string& value) {
      Put(kPessoaContato, {Int(++contact_code_), Int(code), Int(type), Text(value)});
    };
    if (rng_.Chance(0.85)) contact(0, Phone(area, true));
    if (rng_.Chance(0.08)) contact(1, Phone(area, true));
    if (rng_.Chance(0.30)) contact(2, Phone(area, false));
    if (rng_.Chance(0.20) || company) contact(3, Phone(area, false));
    if (rng_.Chance(0.10)) contact(4, Phone(area, false));
    if (rng_.Chance(0.05)) contact(5, Phone(area, false));
    if (!email.empty()) contact(6, email);
  }

  size_t PersonMunicipality() {
    // Mostly the offices' regions, some from anywhere.
    double u = rng_.Unit();
    if (u < 0.45) return 0;
    if (u < 0.65) return 4;
    if (u < 0.80) return static_cast<size_t>(rng_.Pick(std::vector<int>{1, 2, 3, 5, 6, 7, 10}));
    return static_cast<size_t>(rng_.Range(0, static_cast<int64_t>(munis_.size()) - 1));
  }

  void Persons() {
    // The offices: their person codes are their office codes.
    AddPerson(1, "Imobiliária Horizonte Ltda", "Horizonte Imóveis", true, 0, {});
    AddPerson(2, "Horizonte Imóveis Campinas Ltda", "Horizonte Campinas", true, 4, {});
    Put(kEscritorio, {Int(1), Text("J-24817")});
    Put(kEscritorio, {Int(2), Text("J-31592")});
    Put(kConfiguracao, {Int(1), Int(3)});
    Put(kConfiguracao, {Int(2), Int(5)});

    const std::vector<std::string> insurers = {
        "Segura Bem Seguros S.A.",          "Proteção Total Companhia de Seguros",
        "Lar Seguro Seguradora S.A.",       "Amparo Seguros Gerais S.A.",
        "Guardiã Companhia de Seguros",     "Abrigo Seguros S.A."};
    int code = 2;
    for (const std::string& name : insurers) {
      AddPerson(++code, name, "", true, 0, {kSeguradora});
      insurers_.push_back(code);
    }
    for (const char* name : {"Construtora Alicerce Ltda", "Construtora Horizonte Verde S.A.",
                             "Incorporadora Pedra Branca Ltda"})
      AddPerson(++code, name, "", true, rng_.Chance(0.5) ? 0 : 4, {kConstrutora});
    AddPerson(++code, "1º Cartório de Registro de Imóveis de São Paulo", "", true, 0,
              {kCartorio});
    for (const char* name : {"Gráfica Rápida Placas Ltda", "Comunicação Visual Tietê Ltda"}) {
      AddPerson(++code, name, "", true, 0, {kParceiro});
      suppliers_.push_back(code);
    }

    const std::vector<int> groups = {kProprietario, kInquilino, kInteressado, kFiador,
                                     kAgenda,       kSindico,   kIndicador,   kParceiro,
                                     kAngariador,   -1};
    const std::vector<double> weights = {40, 22, 15, 7, 3, 2, 2, 2, 3, 4};
    int count = 150 * scale_;
    for (int i = 0; i < count; ++i) {
      int person = 100 + i;
      std::vector<int> mine;
      int g = groups[rng_.Weighted(weights)];
      if (g >= 0) mine.push_back(g);
      if (g >= 0 && rng_.Chance(0.2)) {
        int g2 = groups[rng_.Weighted(weights)];
        if (g2 >= 0 && g2 != g) mine.push_back(g2);
      }
      bool company = (g == kProprietario || g == kInquilino) && rng_.Chance(0.1);
      AddPerson(person, company ? CompanyName() : PersonName(), "", company, PersonMunicipality(),
                mine);
      for (int x : mine) {
        if (x == kProprietario) owners_.push_back(person);
        if (x == kInquilino) tenants_.push_back(person);
        if (x == kInteressado || x == kAngariador || x == kParceiro) takers_.push_back(person);
      }
    }
    if (owners_.empty()) owners_.push_back(100);
    if (tenants_.empty()) tenants_.push_back(100);
    if (takers_.empty()) takers_.push_back(100);
  }

  void Developments() {
    int code = 0;
    for (Office& office : offices_) {
      int count = 3 + scale_ / 4;
      for (int i = 0; i < count; ++i) {
        ++code;
        std::string name = DevelopmentNames()[static_cast<size_t>(code - 1) %
                                              DevelopmentNames().size()];
        if (code > static_cast<int>(DevelopmentNames().size()))
          name += " " + std::to_string((code - 1) / DevelopmentNames().size() + 1);
        int address = NewAddress(office.code == 1 ? 0 : 4, false);
        Put(kEmpreendimento, {Int(office.code), Int(code), Text(name), Int(address)});
        office.developments.push_back(code);
      }
    }
  }

  // ---- properties ---------------------------------------------------------

  size_t PropertyMunicipality(int office) {
    if (office == 1) {
      static const std::vector<int> where = {0, 1, 2, 3, 8, 9};
      return static_cast<size_t>(where[rng_.Weighted({70, 10, 5, 5, 5, 5})]);
    }
    static const std::vector<int> where = {4, 5, 6, 7, 10};
    return static_cast<size_t>(where[rng_.Weighted({60, 15, 10, 10, 5})]);
  }

  void Properties() {
    int code = 0;
    for (Office& office : offices_) {
      int count = (office.code == 1 ? 85 : 35) * scale_;
      for (int i = 0; i < count; ++i) AddProperty(office, ++code);
    }
  }

  void AddProperty(Office& office, int code) {
    size_t muni = PropertyMunicipality(office.code);
    bool countryside = muni == 9;
    int category = countryside ? std::vector<int>{0, 3, 4}[rng_.Weighted({30, 20, 50})]
                               : static_cast<int>(rng_.Weighted({35, 33, 15, 13, 4}));
    int type = rng_.Pick(types_by_category_[category]);
    if (code <= static_cast<int>(PropertyTypes().size())) {
      // The first properties cover every property type once.
      type = code;
      category = PropertyTypes()[static_cast<size_t>(code - 1)].category;
    }
    bool rural = category == 4;
    if (rural && !countryside) muni = office.code == 1 ? 9 : 10;  // farms lie outside the cities

    std::string street_complement;
    if (category == 1 && rng_.Chance(0.3))
      street_complement = rng_.Pick(std::vector<std::string>{"Bloco A", "Bloco B", "Torre 1",
                                                             "Torre 2", "Ed. Residencial"});
    int address = NewAddress(muni, rural, street_complement);

    std::string number = std::to_string(rng_.Range(1, 3500));
    if ((category >= 3) && rng_.Chance(0.2)) number = "S/N";
    if (rural) number = "Km " + std::to_string(rng_.Range(2, 48));
    std::string complement;
    if (category == 1)
      complement = "Apto " + std::to_string(rng_.Range(1, 24) * 10 + rng_.Range(1, 4));
    else if (category == 2)
      complement = rng_.Chance(0.6) ? "Sala " + std::to_string(rng_.Range(1, 18) * 100 +
                                                               rng_.Range(1, 12))
                                    : (rng_.Chance(0.5) ? "Loja " + std::to_string(rng_.Range(1, 9))
                                                        : "");
    else if (category == 0 && rng_.Chance(0.1))
      complement = "Casa " + std::to_string(rng_.Range(1, 6));

    int development = 0;
    if ((category == 1 && rng_.Chance(0.5)) || type == 3 || type == 13)
      development = rng_.Pick(office.developments);

    int negotiation = category >= 3
                          ? static_cast<int>(rng_.Weighted({80, 5, 10, 5}))
                          : static_cast<int>(rng_.Weighted({35, 38, 22, 5}));
    Day registered = static_cast<Day>(rng_.Range(MakeDay(2015, 1, 5), DataEnd() - 30));

    static const double kSaleLow[] = {280000, 190000, 150000, 70000, 350000};
    static const double kSaleHigh[] = {1800000, 1200000, 3500000, 900000, 6000000};
    double sale = std::round(rng_.Range(static_cast<int64_t>(kSaleLow[category] / 1000),
                                        static_cast<int64_t>(kSaleHigh[category] / 1000)) *
                             1000.0);
    double rent = std::round(sale * (0.0035 + rng_.Unit() * 0.002) / 10.0) * 10.0;
    static const double kBuiltLow[] = {70, 30, 25, 0, 80};
    double built = category == 3 ? 0 : kBuiltLow[category] + rng_.Range(0, 250);
    double total = category == 4 ? rng_.Range(5000, 480000)
                                 : (category == 1 ? built : built + rng_.Range(60, 600));

    // Write-off history: property 1 was written off once and reactivated.
    int history = 0;
    if (code == 1)
      history = 2;
    else if (rng_.Chance(0.12))
      history = 1 + static_cast<int>(rng_.Weighted({50, 35, 15}));
    bool written_off = history % 2 == 1;

    std::string ref = std::string(std::vector<const char*>{"CA", "AP", "CO", "TE", "RU"}[category]) +
                      "-" + Pad(code, 5);
    Put(kImovel, {Int(office.code), Int(code), Int(type), Int(address), Text(number),
                  OptText(complement), OptInt(development), Int(negotiation),
                  Int(written_off ? 1 : 0), Date(registered), Text(ref),
                  built > 0 ? Money(built) : vcl::Variant(), Money(total)});

    if (!rng_.Chance(0.03) || code == 1) {
      bool sells = negotiation != 1;
      bool rents = negotiation == 1 || negotiation == 2;
      double condo = category == 1 ? rng_.Range(35, 220) * 10.0 : 0;
      double iptu = std::round(sale * (0.003 + rng_.Unit() * 0.005));
      Put(kImovelValores, {Int(office.code), Int(code),
                           sells || negotiation == 3 ? Money(sale) : vcl::Variant(),
                           rents ? Money(rent) : vcl::Variant(),
                           condo > 0 ? Money(condo) : vcl::Variant(), Money(iptu)});
    }

    // Owners: one responsible owner, sometimes a co-owner, a non-responsible
    // link, or an old link without flags.
    int owner = Owner();
    bool legacy = rng_.Chance(0.05) && code != 1;
    bool co_owner = rng_.Chance(0.15);
    auto link = [&](int person, const char* responsible, const char* kind, double share) {
      Put(kImovelPessoa, {Int(office.code), Int(code), Int(person),
                          responsible ? Text(responsible) : vcl::Variant(),
                          kind ? Text(kind) : vcl::Variant(), Num(share)});
    };
    link(owner, legacy ? nullptr : "1", legacy ? nullptr : "1", co_owner ? 50 : 100);
    if (co_owner) {
      int second = Owner();
      if (second != owner) link(second, "1", "1", 50);
    }
    if (rng_.Chance(0.08)) {
      int other = rng_.Pick(tenants_);
      if (other != owner) link(other, "0", "2", 0);
    }

    WriteOffHistory(office, code, registered, history);

    properties_.push_back(
        Property{office.code, code, category, negotiation, written_off, sale, rent, registered});
    office.properties.push_back(properties_.size() - 1);
  }

  int Owner() {
    // Some owners hold several properties.
    double u = rng_.Unit();
    return owners_[static_cast<size_t>(std::pow(u, 1.6) * static_cast<double>(owners_.size()))];
  }

  void WriteOffHistory(const Office& office, int code, Day registered, int events) {
    static const std::vector<std::string> kWriteOff[] = {
        {"Proprietário transferiu a administração para outra imobiliária.",
         "Imóvel passou a ser anunciado por outra imobiliária."},
        {"Contrato renegociado; imóvel retirado temporariamente da carteira.",
         "Renegociação do valor com o proprietário em andamento."},
        {"Imóvel vendido diretamente pelo proprietário.", "Proprietário desistiu da venda.",
         "Imóvel em inventário."}};
    static const std::vector<std::string> kReactivation = {
        "Proprietário retomou a parceria com a imobiliária.",
        "Renegociação concluída; imóvel volta à carteira.", "Reativado a pedido do proprietário.",
        "Inventário concluído; imóvel liberado para anúncio."};
    Day d = std::max(registered, DataStart()) + static_cast<Day>(rng_.Range(30, 200));
    if (code == 1) d = MakeDay(2022, 8, 15);
    for (int i = 0; i < events && d < DataEnd(); ++i) {
      d = Workday(d);
      int reason = static_cast<int>(rng_.Range(0, 2));
      int user = rng_.Pick(office.users);
      double fraction = static_cast<double>(rng_.Range(8 * 60, 18 * 60)) / 1440.0;
      if (i % 2 == 0) {
        Put(kImovelBaixa, {Int(office.code), Int(code), Int(i / 2 + 1), Date(d), Int(reason),
                           Text(rng_.Pick(kWriteOff[reason])), Int(user), Stamp(d, fraction)});
      } else {
        Put(kImovelReativacao, {Int(office.code), Int(code), Int(i / 2 + 1), Date(d),
                                Int(reason), Text(rng_.Pick(kReactivation)), Int(user),
                                Stamp(d, fraction)});
      }
      d += static_cast<Day>(code == 1 ? 179 : rng_.Range(40, 420));
    }
  }

  // ---- contracts, insurance, inspections ----------------------------------

  struct Inspection {
    Day requested;
    Day done;
    int kind;
    int contract;
    int amends = -1;  // index of the inspection an addendum amends
  };

  void ContractsInsuranceInspections() {
    static const std::vector<std::string> kCover = {
        "Incêndio, raio e explosão",
        "Incêndio, raio, explosão e danos elétricos",
        "Incêndio, vendaval, granizo e responsabilidade civil",
        "Cobertura básica contra incêndio e perda de aluguel",
        "Compreensivo residencial: incêndio, roubo, danos elétricos e vidros"};
    std::map<int, int> contract_codes;
    for (Property& p : properties_) {
      std::vector<Inspection> inspections;
      bool rentable = (p.negotiation == 1 || p.negotiation == 2) && p.category != 3;
      int docs = 0;
      if (rentable && rng_.Chance(0.65)) {
        p.has_contract = true;
        Day start = static_cast<Day>(rng_.Range(DataStart() - 400, DataStart() + 520));
        for (int n = 0; n < 2 && start < DataEnd() - 20; ++n) {
          start = Workday(start);
          Day end = start + 912;
          int contract = ++contract_codes[p.office];
          int tenant = rng_.Pick(tenants_);
          Put(kContrato, {Int(p.office), Int(contract), Int(p.code), Int(tenant), Date(start),
                          Date(end), Money(p.rent > 0 ? p.rent : 1500)});
          size_t move_in = inspections.size();
          inspections.push_back({start - 7, start - 2, 0, contract});
          if (rng_.Chance(0.25)) {
            Day req = start + static_cast<Day>(rng_.Range(5, 20));
            inspections.push_back(
                {req, req + static_cast<Day>(rng_.Range(1, 5)), 3, 0, static_cast<int>(move_in)});
          }
          if (end < DataEnd()) inspections.push_back({end - 3, end + 1, 1, contract});
          // Yearly insurance policies over the contract.
          if (rng_.Chance(0.7)) {
            int insurer = rng_.Pick(insurers_);
            std::string cover = rng_.Pick(kCover);
            for (Day s = start; s < std::min(end, DataEnd() + 200); s += 365) {
              char number[40];
              std::snprintf(number, sizeof number, "%02d.%02d.%04d.%06d",
                            static_cast<int>(rng_.Range(1, 99)), static_cast<int>(rng_.Range(10, 18)),
                            static_cast<int>(rng_.Range(1, 9999)),
                            static_cast<int>(rng_.Range(1, 999999)));
              Put(kImovelDoc, {Int(p.office), Int(p.code), Int(++docs), Int(insurer),
                               Text(number), Date(s), Date(s + 364), Text(cover),
                               Money(std::max(p.sale, p.rent * 100))});
            }
          }
          if (end + 120 >= DataEnd() || !rng_.Chance(0.6)) break;
          start = end + static_cast<Day>(rng_.Range(15, 90));
        }
      }
      if (rng_.Chance(0.15)) {
        Day req = static_cast<Day>(rng_.Range(DataStart(), DataEnd() - 10));
        inspections.push_back({req, req + static_cast<Day>(rng_.Range(1, 6)), 2, 0});
      }
      // A few inspections by the agency in June 2024 for the report's demo.
      if (p.office == 1 && p.code % 17 == 3) {
        Day req = MakeDay(2024, 6, 3) + static_cast<Day>(p.code % 20);
        inspections.push_back({req, req + 2, 2, 0});
      }
      WriteInspections(p, inspections);
    }
  }

  void WriteInspections(const Property& p, std::vector<Inspection>& list) {
    if (list.empty()) return;
    std::vector<size_t> order(list.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
      return list[a].requested < list[b].requested;
    });
    std::vector<int> code_of(list.size());
    for (size_t i = 0; i < order.size(); ++i) code_of[order[i]] = static_cast<int>(i + 1);
    const Office& office = offices_[p.office - 1];
    for (size_t i : order) {
      const Inspection& v = list[i];
      Day requested = Workday(v.requested);
      Day done = Workday(std::max(v.done, requested));
      std::string rtf;
      if (!rng_.Chance(0.03)) {
        int amended = v.amends >= 0 ? code_of[static_cast<size_t>(v.amends)] : 0;
        rtf = InspectionRtf(rng_, v.kind, amended);
      }
      Put(kVistoria, {Int(p.office), Int(p.code), Int(code_of[i]),
                      v.amends >= 0 ? Int(code_of[static_cast<size_t>(v.amends)]) : vcl::Variant(),
                      OptInt(v.contract), Int(v.kind), Date(requested), Date(done),
                      rtf.empty() ? vcl::Variant() : Text(rtf), Int(rng_.Pick(office.users))});
      if (p.office == 1 && requested >= MakeDay(2024, 6, 1) && requested <= MakeDay(2024, 6, 30))
        ++summary_.inspections_june_2024;
    }
  }

  // ---- keys ---------------------------------------------------------------

  struct KeyMove {
    Day day;
    int type;
    int user;
    int person;
    std::string name;
    std::string remark;
  };

  struct Taker {
    int person;
    std::string name;
  };

  Taker RandomTaker() {
    static const std::vector<std::string> kTyped = {
        "Carlos Henrique (corretor parceiro)", "Eletricista Sr. Jorge", "Encanador Pedro Lima",
        "Fotógrafo Lucas Prado", "Vistoriador Márcio Tavares", "Diarista Dona Rosa",
        "Pintor Antônio Reis", "Chaveiro São Jorge", "Avaliador Sérgio Conceição"};
    double u = rng_.Unit();
    if (u < 0.55) return {rng_.Pick(takers_), rng_.Chance(0.15) ? std::string(" ") : ""};
    if (u < 0.9) return {0, rng_.Chance(0.5) ? rng_.Pick(kTyped) : PersonName()};
    return {rng_.Pick(takers_), PersonName()};
  }

  std::string HandOutRemark() {
    static const std::vector<std::string> kRemarks = {
        "Visita com cliente", "Visita de corretor parceiro", "Avaliação para venda",
        "Manutenção elétrica", "Manutenção hidráulica", "Vistoria de entrada",
        "Vistoria de saída", "Limpeza", "Fotos para anúncio", "Medição para reforma", ""};
    return rng_.Pick(kRemarks);
  }

  std::string ReturnRemark() {
    static const std::vector<std::string> kRemarks = {"Devolvida em ordem", "Devolvida",
                                                      "Devolvida com atraso", ""};
    return rng_.Pick(kRemarks);
  }

  // Random hand-outs and returns of one key from `from` to `to`. Returns
  // false when the key was written off. With `close` the last hand-out is
  // always answered by a return on or before `to`.
  bool KeyTimeline(const Office& office, std::vector<KeyMove>& moves, Day from, Day to,
                   bool close) {
    Day t = from + static_cast<Day>(rng_.Range(0, 40));
    while (true) {
      t = Workday(t);
      if (t > to) return true;
      Taker taker = RandomTaker();
      moves.push_back({t, 1, rng_.Pick(office.users), taker.person, taker.name, HandOutRemark()});
      Day back = rng_.Chance(0.35) ? t : t + static_cast<Day>(rng_.Range(1, 6));
      if (!close && rng_.Chance(0.04)) {  // never came back through the desk
        t = back + static_cast<Day>(rng_.Range(5, 40));
        continue;
      }
      back = Workday(back);
      if (back > to) {
        if (!close) return true;  // still out at the end of the data
        back = to;
      }
      if (!close && rng_.Chance(0.012)) {
        static const std::vector<std::string> kLost = {
            "Chave extraviada pelo cliente", "Fechadura trocada pelo proprietário",
            "Chave quebrada na fechadura"};
        moves.push_back({back, 3, rng_.Pick(office.users), 0, "", rng_.Pick(kLost)});
        return false;
      }
      moves.push_back({back, 2, rng_.Pick(office.users), taker.person, taker.name, ReturnRemark()});
      t = back + static_cast<Day>(rng_.Range(7, 55));
    }
  }

  void Keys() {
    static const std::vector<std::string> kReferences = {
        "Chave da porta principal", "Chave do portão", "Controle do portão eletrônico",
        "Chave da porta dos fundos", "Cadeado do portão"};
    int place = 0;
    for (Office& office : offices_) {
      int board = 0, column = 10, row = 8;
      int scripted = 0;
      std::vector<int> script_users = office.users;
      for (size_t index : office.properties) {
        const Property& p = properties_[index];
        int keys = 1 + static_cast<int>(rng_.Weighted({50, 35, 15}));
        if (p.category == 2 && keys > 2) keys = 2;
        for (int k = 1; k <= keys; ++k) {
          if (++column > 10) {
            column = 1;
            if (++row > 8) {
              row = 1;
              ++board;
            }
          }
          ++place;
          Put(kLocalChave, {Int(place), Int(office.code), Text("Q" + Pad(board, 2)), Int(column),
                            Int(row), Text("Quadro " + std::to_string(board) + " - recepção")});
          std::vector<KeyMove> moves;
          bool active = true;
          bool script = office.code == 1 && k == 1 && !p.written_off && scripted < 14;
          if (script && scripted < 7) {
            KeyTimeline(office, moves, DataStart(), DataEnd() - 5, true);
            ScriptDay(office, DataEnd(), scripted++, moves);
          } else if (script) {
            // Hand-outs of the first working day of 2024 whose returns were
            // never recorded: the keys went out again a week later.
            KeyTimeline(office, moves, DataStart(), NewYearDay() - 8, true);
            ScriptDay(office, NewYearDay(), scripted++ - 7, moves);
            KeyTimeline(office, moves, NewYearDay() + 7, DataEnd(), false);
          } else {
            active = KeyTimeline(office, moves, DataStart(), DataEnd(), false);
          }
          Day written_off = active ? 0 : moves.back().day;
          Put(kImovelChave, {Int(office.code), Int(p.code), Int(k), Text(kReferences[k - 1]),
                             Text("CH-" + Pad(p.code, 5) + "-" + std::to_string(k)), Int(place),
                             written_off ? Date(written_off) : vcl::Variant()});
          for (size_t s = 0; s < moves.size(); ++s) {
            const KeyMove& m = moves[s];
            Put(kChaveMovimento,
                {Int(office.code), Int(p.code), Int(k), Int(static_cast<int64_t>(s + 1)),
                 Int(m.type), Date(m.day), Int(m.user), OptInt(m.person),
                 m.name.empty() ? vcl::Variant() : Text(m.name), OptText(m.remark)});
            if (office.code == 1 && m.type == 1 &&
                (m.day == DataEnd() || m.day == NewYearDay())) {
              bool answered = s + 1 < moves.size() && moves[s + 1].type != 1;
              bool last = m.day == DataEnd();
              ++(last ? summary_.key_handouts_last_day : summary_.key_handouts_new_year);
              if (!answered)
                ++(last ? summary_.key_handouts_last_day_open : summary_.key_handouts_new_year_open);
            }
          }
        }
      }
    }
  }

  // One day's hand-outs of seven keys of office 1, so that the receipts of
  // that day show one taker with several keys (one of them returned the same
  // day), a typed taker name, and one taker served by two users.
  void ScriptDay(const Office& office, Day day, int slot, std::vector<KeyMove>& moves) {
    const Day before = day - (Weekday(day) == 1 ? 2 : 1);
    auto user = [&](size_t i) { return office.users[std::min(i, office.users.size() - 1)]; };
    const int taker_a = takers_[0];
    const int taker_c = takers_[takers_.size() > 1 ? 1 : 0];
    const std::string typed_b = "Roberto Almeida (corretor parceiro)";
    switch (slot) {
      case 0:
        moves.push_back({day, 1, user(1), taker_a, "", "Visita com cliente"});
        break;
      case 1:  // out the day before to someone else, never returned
        moves.push_back({before, 1, user(2), 0, "Eletricista Sr. Jorge", "Manutenção elétrica"});
        moves.push_back({day, 1, user(1), taker_a, "", "Visita com cliente"});
        break;
      case 2:  // returned the same day: no receipt
        moves.push_back({day, 1, user(1), taker_a, "", "Visita com cliente"});
        moves.push_back({day, 2, user(1), taker_a, "", "Devolvida em ordem"});
        break;
      case 3:
      case 4:
        moves.push_back({day, 1, user(2), 0, typed_b, "Visita de corretor parceiro"});
        break;
      case 5:
        moves.push_back({day, 1, user(1), taker_c, "", "Avaliação para venda"});
        break;
      case 6:
        moves.push_back({day, 1, user(3), taker_c, "", "Fotos para anúncio"});
        break;
    }
  }

  // ---- signs --------------------------------------------------------------

  struct SignMove {
    Day day;
    int sign;
    int order;
    int type;
    int property;
    double quantity;
    int person;
    double price;
    int remark;  // index into SignRemarks(); acquisitions carry an invoice
    int invoice;
  };

  static const std::vector<std::string>& SignRemarks() {
    static const std::vector<std::string> v = {
        "Compra de placas",                          // 0
        "Instalação de placa no imóvel",             // 1
        "Placa instalada na fachada",                // 2
        "Retirada de placa - imóvel negociado",      // 3
        "Retirada de placa - fim do anúncio",        // 4
        "Placa recolhida para manutenção",           // 5
        "Placa danificada - descarte",               // 6
        "Placa furtada",                             // 7
        "Placa desbotada - descarte",                // 8
        "Inventário: estoque da placa encerrado",    // 9
        "Recolhimento geral para inventário",        // 10
    };
    return v;
  }

  void Signs() {
    static const double kSizes[][2] = {{1.00, 0.60}, {1.00, 0.60}, {2.00, 1.00},
                                       {3.00, 1.00}, {0.80, 0.50}, {1.20, 0.80}};
    static const char* kRefPrefix[] = {"VND", "ALG", "VAL", "LAN", "VDA", "OBR"};
    const double per_scale = 10500.0;
    for (Office& office : offices_) {
      int signs = office.code == 1 ? 6 + scale_ / 2 : 4 + scale_ / 4;
      int retired = office.code == 1 ? signs : 0;
      int restarted = office.code == 1 ? signs - 1 : 0;
      int never_moved = office.code == 1 ? signs + 1 : 0;
      int total_signs = signs + (office.code == 1 ? 1 : 0);
      double share = office.code == 1 ? 0.68 : 0.32;
      int workdays = (DataEnd() - DataStart()) * 6 / 7;
      double rate = per_scale * scale_ * share / (signs * static_cast<double>(workdays));

      std::vector<size_t> targets;
      for (size_t i : office.properties)
        if (!properties_[i].written_off) targets.push_back(i);
      if (targets.empty()) targets = office.properties;

      std::vector<SignMove> moves;
      for (int sign = 1; sign <= total_signs; ++sign) {
        int type = (sign - 1) % 6;
        double stock = 0, total = 0;
        if (sign != never_moved) {
          Day close_day = sign == retired ? MakeDay(2023, 9, 1)
                          : sign == restarted ? MakeDay(2023, 3, 1)
                                              : 0;
          SimulateSign(office, sign, rate, close_day, sign == restarted, targets, moves, stock,
                       total);
        }
        std::string ref = sign % 5 == 3 ? "" : std::string(kRefPrefix[type]) + "-" + Pad(sign, 3);
        Put(kPlaca, {Int(office.code), Int(sign), OptText(ref),
                     Text("PL" + std::to_string(office.code) + Pad(sign, 4)), Int(type + 1),
                     Money(kSizes[type][0]), Money(kSizes[type][1]), Num(stock), Num(total)});
      }
      std::stable_sort(moves.begin(), moves.end(), [](const SignMove& a, const SignMove& b) {
        if (a.day != b.day) return a.day < b.day;
        if (a.sign != b.sign) return a.sign < b.sign;
        return a.order < b.order;
      });
      int code = 0;
      for (const SignMove& m : moves) {
        std::string remark = SignRemarks()[static_cast<size_t>(m.remark)];
        if (m.invoice) remark += " - NF " + std::to_string(m.invoice);
        Put(kPlacaMovimento,
            {Int(office.code), Int(++code), Int(m.type), Date(m.day), Int(m.sign),
             Int(m.property), Num(m.quantity), OptInt(m.person),
             m.price > 0 ? Money(m.price) : vcl::Variant(), Text(remark)});
        if (office.code == 1 && m.day >= MakeDay(2024, 6, 1) && m.day <= MakeDay(2024, 6, 30))
          ++summary_.sign_movements_june_2024;
      }
    }
  }

  // Simulates one sign's stock day by day. Units go out to properties and
  // come back, are bought when the agency runs short, and sometimes written
  // off. On `close_day` every placed unit comes back, the rest is written off
  // and a closing movement (type 4) ends the sign; with `restart` it is
  // bought again and goes on.
  void SimulateSign(const Office& office, int sign, double rate, Day close_day, bool restart,
                    const std::vector<size_t>& targets, std::vector<SignMove>& moves,
                    double& stock, double& total) {
    struct Placement {
      int property;
      double quantity;
    };
    std::vector<Placement> placed;
    int order = 0;
    auto add = [&](Day d, int type, int property, double q, int person, double price, int remark,
                   int invoice) {
      moves.push_back({d, sign, ++order, type, property, q, person, price, remark, invoice});
    };
    auto buy = [&](Day d) {
      double q = 5.0 * static_cast<double>(rng_.Range(2, 8));
      double price = static_cast<double>(rng_.Range(3850, 14500)) / 100.0;
      add(d, 0, 0, q, rng_.Pick(suppliers_), price, 0, static_cast<int>(rng_.Range(1000, 999999)));
      stock += q;
      total += q;
    };
    bool closed = false;
    buy(Workday(DataStart() + static_cast<Day>(rng_.Range(0, 20))));
    for (Day d = DataStart(); d <= DataEnd(); ++d) {
      if (Weekday(d) == 0) continue;
      if (close_day && !closed && d >= close_day) {
        for (const Placement& pl : placed) {
          add(d, 2, pl.property, pl.quantity, 0, 0, 10, 0);
          stock += pl.quantity;
        }
        placed.clear();
        if (stock > 0) add(d, 3, 0, stock, 0, 0, 8, 0);
        total -= stock;
        stock = 0;
        add(d, 4, 0, 0, 0, 0, 9, 0);
        closed = true;
        if (!restart) return;
        buy(Workday(d + 1));
        d = Workday(d + 1);
        continue;
      }
      double events = std::floor(rate) + (rng_.Chance(rate - std::floor(rate)) ? 1 : 0);
      for (int e = 0; e < events; ++e) {
        if (!placed.empty() && (stock < 1 || rng_.Chance(0.47))) {
          size_t i = static_cast<size_t>(rng_.Next() % placed.size());
          add(d, 2, placed[i].property, placed[i].quantity, 0, 0,
              static_cast<int>(rng_.Range(3, 5)), 0);
          stock += placed[i].quantity;
          placed[i] = placed.back();
          placed.pop_back();
        } else if (rng_.Chance(0.96)) {
          if (stock < 3 || rng_.Chance(0.01)) buy(d);
          double q = rng_.Chance(0.8) ? 1 : 2;
          const Property& p = properties_[rng_.Pick(targets)];
          add(d, 1, p.code, q, 0, 0, static_cast<int>(rng_.Range(1, 2)), 0);
          stock -= q;
          placed.push_back({p.code, q});
        } else if (stock >= 1) {
          add(d, 3, 0, 1, 0, 0, static_cast<int>(rng_.Range(6, 8)), 0);
          stock -= 1;
          total -= 1;
        }
      }
    }
  }

  RowSink& sink_;
  Prng rng_;
  int scale_;
  SeedSummary summary_;

  std::vector<MuniInfo> munis_;
  std::map<int, std::vector<int>> types_by_category_;
  std::vector<Office> offices_;
  std::vector<Property> properties_;
  std::vector<int> owners_, tenants_, takers_, insurers_, suppliers_;
  int address_code_ = 0;
  int contact_code_ = 0;
};

}  // namespace

SeedSummary GenerateAgency(RowSink& sink, const SeedOptions& options) {
  return Generator(sink, options).Run();
}

}  // namespace agency_seed
