#include "db/seed/catalog_data.h"

namespace agency_seed {

const std::vector<Country>& Countries() {
  static const std::vector<Country> v = {
      {1058, "Brasil", "BRA"},         {639, "Argentina", "ARG"},
      {5860, "Paraguai", "PRY"},       {8451, "Uruguai", "URY"},
      {1589, "Chile", "CHL"},          {6076, "Portugal", "PRT"},
      {2496, "Estados Unidos", "USA"}, {3867, "Itália", "ITA"},
      {2453, "Espanha", "ESP"},        {3999, "Japão", "JPN"},
  };
  return v;
}

const std::vector<State>& States() {
  static const std::vector<State> v = {
      {"AC", "Acre", 12},          {"AL", "Alagoas", 27},
      {"AP", "Amapá", 16},         {"AM", "Amazonas", 13},
      {"BA", "Bahia", 29},         {"CE", "Ceará", 23},
      {"DF", "Distrito Federal", 53}, {"ES", "Espírito Santo", 32},
      {"GO", "Goiás", 52},         {"MA", "Maranhão", 21},
      {"MT", "Mato Grosso", 51},   {"MS", "Mato Grosso do Sul", 50},
      {"MG", "Minas Gerais", 31},  {"PA", "Pará", 15},
      {"PB", "Paraíba", 25},       {"PR", "Paraná", 41},
      {"PE", "Pernambuco", 26},    {"PI", "Piauí", 22},
      {"RJ", "Rio de Janeiro", 33}, {"RN", "Rio Grande do Norte", 24},
      {"RS", "Rio Grande do Sul", 43}, {"RO", "Rondônia", 11},
      {"RR", "Roraima", 14},       {"SC", "Santa Catarina", 42},
      {"SP", "São Paulo", 35},     {"SE", "Sergipe", 28},
      {"TO", "Tocantins", 17},
  };
  return v;
}

const std::vector<Municipality>& Municipalities() {
  static const std::vector<Municipality> v = {
      {"São Paulo", "SP", 11, 1000, 5899,
       {"Centro", "Bela Vista", "Moema", "Pinheiros", "Vila Mariana", "Santana", "Tatuapé",
        "Perdizes", "Itaim Bibi", "Jardim Paulista", "Consolação", "Liberdade", "Mooca",
        "Butantã", "Lapa", "Ipiranga"}},
      {"Guarulhos", "SP", 11, 7000, 7299, {}},
      {"Osasco", "SP", 11, 6000, 6299, {}},
      {"Santo André", "SP", 11, 9000, 9299, {}},
      {"Campinas", "SP", 19, 13000, 13139,
       {"Centro", "Cambuí", "Taquaral", "Barão Geraldo", "Guanabara", "Castelo", "Botafogo",
        "Jardim Chapadão", "Nova Campinas", "Bosque"}},
      {"Valinhos", "SP", 19, 13270, 13279, {}},
      {"Vinhedo", "SP", 19, 13280, 13289, {}},
      {"Paulínia", "SP", 19, 13140, 13149, {}},
      {"Ubatuba", "SP", 12, 11680, 11689,
       {"Centro", "Itaguá", "Praia Grande", "Perequê-Açu", "Praia do Lázaro", "Maranduba"}},
      {"Atibaia", "SP", 11, 12940, 12954,
       {"Centro", "Jardim Paulista", "Usina", "Portão", "Caetetuba", "Boa Vista"}},
      {"Jundiaí", "SP", 11, 13200, 13219, {}},
      {"São José dos Campos", "SP", 12, 12200, 12248, {}},
      {"Ribeirão Preto", "SP", 16, 14000, 14114, {}},
      {"Rio de Janeiro", "RJ", 21, 20000, 23799,
       {"Copacabana", "Ipanema", "Tijuca", "Botafogo", "Barra da Tijuca", "Flamengo"}},
      {"Niterói", "RJ", 21, 24000, 24399, {}},
      {"Belo Horizonte", "MG", 31, 30000, 31999,
       {"Savassi", "Funcionários", "Lourdes", "Pampulha", "Buritis", "Centro"}},
      {"Uberlândia", "MG", 34, 38400, 38415, {}},
      {"Curitiba", "PR", 41, 80000, 82999,
       {"Batel", "Água Verde", "Bigorrilho", "Centro Cívico", "Portão", "Centro"}},
      {"Londrina", "PR", 43, 86000, 86099, {}},
      {"Florianópolis", "SC", 48, 88000, 88099,
       {"Centro", "Trindade", "Lagoa da Conceição", "Canasvieiras", "Itacorubi", "Coqueiros"}},
      {"Balneário Camboriú", "SC", 47, 88330, 88339, {}},
      {"Porto Alegre", "RS", 51, 90000, 91999,
       {"Moinhos de Vento", "Menino Deus", "Petrópolis", "Cidade Baixa", "Centro Histórico"}},
      {"Salvador", "BA", 71, 40000, 42599, {"Barra", "Pituba", "Rio Vermelho", "Itapuã"}},
      {"Recife", "PE", 81, 50000, 52999, {"Boa Viagem", "Casa Forte", "Espinheiro", "Graças"}},
      {"Fortaleza", "CE", 85, 60000, 61599, {"Aldeota", "Meireles", "Praia de Iracema"}},
      {"Goiânia", "GO", 62, 74000, 74899, {"Setor Bueno", "Setor Marista", "Setor Oeste"}},
      {"Brasília", "DF", 61, 70000, 72799, {"Asa Sul", "Asa Norte", "Lago Sul", "Sudoeste"}},
      {"Belém", "PA", 91, 66000, 66999, {"Nazaré", "Umarizal", "Batista Campos"}},
      {"Manaus", "AM", 92, 69000, 69099, {"Adrianópolis", "Ponta Negra", "Centro"}},
      {"Vitória", "ES", 27, 29000, 29099, {"Praia do Canto", "Jardim Camburi", "Centro"}},
      {"Campo Grande", "MS", 67, 79000, 79129, {}},
      {"Cuiabá", "MT", 65, 78000, 78099, {}},
  };
  return v;
}

const std::vector<std::string>& CommonDistricts() {
  static const std::vector<std::string> v = {
      "Centro", "Jardim América", "Vila Nova", "Boa Vista", "Santa Mônica", "São José",
      "Jardim Europa", "Vila Operária", "Bela Vista", "Morada do Sol", "Jardim Botânico",
      "Santo Antônio", "Alto da Glória", "Jardim das Flores", "Parque Industrial",
      "Vila São João", "Jardim Primavera", "Cidade Nova"};
  return v;
}

const std::vector<std::string>& StreetTypes() {
  static const std::vector<std::string> v = {"Rua",   "Avenida", "Travessa", "Alameda", "Praça",
                                             "Rodovia", "Estrada", "Largo",    "Viela"};
  return v;
}

const std::vector<std::string>& StreetTypeAbbreviations() {
  static const std::vector<std::string> v = {"R.", "Av.", "Tv.", "Al.", "Pç.",
                                             "Rod.", "Estr.", "Lg.", "Vl."};
  return v;
}

const std::vector<std::string>& StreetNames() {
  static const std::vector<std::string> v = {
      "das Flores", "XV de Novembro", "Sete de Setembro", "Barão do Rio Branco",
      "Marechal Deodoro", "Tiradentes", "Dom Pedro II", "São João", "Santos Dumont",
      "Duque de Caxias", "Getúlio Vargas", "Rui Barbosa", "José Bonifácio", "Princesa Isabel",
      "Castro Alves", "Machado de Assis", "Carlos Gomes", "Olavo Bilac", "Monteiro Lobato",
      "Anita Garibaldi", "Benjamin Constant", "Floriano Peixoto", "Presidente Vargas", "Brasil",
      "das Acácias", "dos Ipês", "das Palmeiras", "dos Jacarandás", "das Hortênsias",
      "Boa Esperança", "Independência", "da Saudade", "do Comércio", "Paraná", "Amazonas",
      "Bahia", "Minas Gerais", "Goiás", "Pernambuco", "Ceará", "Visconde de Mauá",
      "Conselheiro Nébias", "Padre Anchieta", "Frei Caneca", "Coronel Oscar Porto", "Augusta",
      "Haddock Lobo", "Oscar Freire", "Bela Cintra", "Pamplona", "Açaí", "Cecília Meireles",
      "Joaquim Nabuco", "Marquês de Paranaguá", "Cônego Januário"};
  return v;
}

const std::vector<std::string>& RoadNames() {
  static const std::vector<std::string> v = {
      "Municipal do Capivari", "dos Romeiros", "da Usina", "do Rio Acima", "Velha de Bragança",
      "Fernão Dias", "Dom Pedro I", "Anhanguera", "Rio-Santos", "dos Tamoios"};
  return v;
}

const std::vector<Bank>& Banks() {
  static const std::vector<Bank> v = {
      {1, "Banco do Brasil S.A."},  {33, "Banco Santander (Brasil) S.A."},
      {41, "Banco do Estado do Rio Grande do Sul S.A."},
      {70, "BRB - Banco de Brasília S.A."},
      {77, "Banco Inter S.A."},     {104, "Caixa Econômica Federal"},
      {237, "Banco Bradesco S.A."}, {341, "Itaú Unibanco S.A."},
      {422, "Banco Safra S.A."},    {748, "Banco Cooperativo Sicredi S.A."},
      {756, "Banco Cooperativo do Brasil S.A. - Sicoob"}};
  return v;
}

const std::vector<std::string>& BranchNames() {
  static const std::vector<std::string> v = {
      "Centro", "Avenida Paulista", "Cambuí", "Moema", "Pinheiros", "Barão Geraldo",
      "Tatuapé", "Santana", "Shopping Iguatemi", "Valinhos", "Praça da Sé", "Vila Mariana"};
  return v;
}

const std::vector<CodedName>& PropertyTypes() {
  static const std::vector<CodedName> v = {
      {0, "Casa"},           {0, "Sobrado"},        {0, "Casa em Condomínio"},
      {1, "Apartamento"},    {1, "Cobertura"},      {1, "Kitnet"},
      {1, "Flat"},           {2, "Sala Comercial"}, {2, "Loja"},
      {2, "Galpão"},         {2, "Prédio Comercial"}, {3, "Terreno"},
      {3, "Lote em Condomínio"}, {3, "Área Industrial"}, {4, "Chácara"},
      {4, "Sítio"},          {4, "Fazenda"}};
  return v;
}

const std::vector<CodedName>& FacilityTypes() {
  static const std::vector<CodedName> v = {
      {0, "Portaria 24 horas"},  {0, "Circuito fechado de TV"}, {0, "Cerca elétrica"},
      {0, "Interfone"},          {1, "Piscina"},                {1, "Salão de festas"},
      {1, "Churrasqueira"},      {1, "Academia"},               {1, "Playground"},
      {1, "Quadra poliesportiva"}, {2, "Edícula"},              {2, "Aquecimento solar"},
      {2, "Armários embutidos"}, {2, "Ar-condicionado"},        {3, "Elevador"},
      {3, "Condomínio fechado"}, {3, "Loteamento aprovado"},    {3, "Gerador de energia"}};
  return v;
}

const std::vector<CodedName>& Rooms() {
  static const std::vector<CodedName> v = {
      {0, "Banheiro social"},   {0, "Lavabo"},           {1, "Cozinha"},
      {1, "Cozinha americana"}, {2, "Garagem coberta"},  {2, "Vaga descoberta"},
      {3, "Quarto"},            {3, "Dormitório de solteiro"}, {4, "Sala de estar"},
      {4, "Sala de jantar"},    {4, "Escritório"},       {5, "Suíte"},
      {5, "Suíte master"},      {6, "Área de serviço"},  {6, "Lavanderia"},
      {6, "Dependência de empregada"}};
  return v;
}

const std::vector<std::string>& SignTypes() {
  static const std::vector<std::string> v = {
      "Placa Vende-se (PVC)", "Placa Aluga-se (PVC)", "Placa Vende-se ou Aluga-se (lona)",
      "Faixa de lançamento (lona)", "Placa Vendido/Alugado (adesivo)",
      "Placa de obra (chapa galvanizada)"};
  return v;
}

const std::vector<std::string>& MaleNames() {
  static const std::vector<std::string> v = {
      "João", "José", "Antônio", "Francisco", "Carlos", "Paulo", "Pedro", "Lucas", "Luiz",
      "Marcos", "Luís", "Gabriel", "Rafael", "Daniel", "Marcelo", "Bruno", "Eduardo", "Felipe",
      "Raimundo", "Rodrigo", "Sérgio", "Fábio", "André", "Otávio", "Caio", "Vinícius",
      "Márcio", "Rogério", "Thiago", "Gustavo"};
  return v;
}

const std::vector<std::string>& FemaleNames() {
  static const std::vector<std::string> v = {
      "Maria", "Ana", "Francisca", "Antônia", "Adriana", "Juliana", "Márcia", "Fernanda",
      "Patrícia", "Aline", "Sandra", "Camila", "Amanda", "Bruna", "Jéssica", "Letícia",
      "Júlia", "Luciana", "Vanessa", "Mariana", "Conceição", "Beatriz", "Cláudia", "Débora",
      "Lúcia", "Simone", "Tânia", "Renata", "Gabriela", "Mônica"};
  return v;
}

const std::vector<std::string>& Surnames() {
  static const std::vector<std::string> v = {
      "Silva", "Santos", "Oliveira", "Souza", "Rodrigues", "Ferreira", "Alves", "Pereira",
      "Lima", "Gomes", "Costa", "Ribeiro", "Martins", "Carvalho", "Almeida", "Lopes",
      "Soares", "Fernandes", "Vieira", "Barbosa", "Rocha", "Dias", "Nascimento", "Andrade",
      "Moreira", "Nunes", "Marques", "Machado", "Mendes", "Freitas", "Cardoso", "Ramos",
      "Gonçalves", "Santana", "Teixeira", "Araújo", "Conceição", "Magalhães", "Brandão",
      "Assunção", "Falcão", "Guimarães", "Peixoto", "Sá", "Simões"};
  return v;
}

const std::vector<std::string>& DevelopmentNames() {
  static const std::vector<std::string> v = {
      "Residencial Parque das Águas", "Edifício Solar dos Ipês", "Condomínio Villa Toscana",
      "Residencial Jardim Botânico", "Edifício Maison Cambuí", "Condomínio Reserva da Mata",
      "Edifício Torre Paulista", "Residencial Vista Alegre", "Loteamento Portal do Sol",
      "Centro Empresarial Anhanguera", "Edifício São Luís", "Condomínio Recanto das Árvores",
      "Residencial Bella Città", "Edifício Águas Claras", "Condomínio Quinta da Baroneza"};
  return v;
}

}  // namespace agency_seed
