#include "db/seed/rich_text.h"

#include <cstdio>
#include <vector>

namespace agency_seed {

std::string RtfEscape(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    unsigned code = c;
    size_t len = 1;
    if (c >= 0xC0 && c < 0xE0 && i + 1 < utf8.size()) {
      code = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
      len = 2;
    } else if (c >= 0xE0 && c < 0xF0 && i + 2 < utf8.size()) {
      code = ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6) |
             (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
      len = 3;
    }
    i += len;
    if (code == '\\' || code == '{' || code == '}') {
      out += '\\';
      out += static_cast<char>(code);
    } else if (code == '\n') {
      out += "\\par\r\n";
    } else if (code < 0x80) {
      out += static_cast<char>(code);
    } else {
      // Latin-1 letters are the same in code page 1252; a few others map.
      unsigned byte = code <= 0xFF ? code : code == 0x2013 ? 0x96 : code == 0x2014 ? 0x97
                                          : code == 0x201C ? 0x93 : code == 0x201D ? 0x94
                                          : code == 0x20AC ? 0x80 : '?';
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\'%02x", byte);
      out += buf;
    }
  }
  return out;
}

std::string RtfDocument(const std::string& heading, const std::vector<std::string>& lines) {
  std::string doc =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1046{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
      "\\viewkind4\\uc1\\pard\\f0\\fs20\\b " +
      RtfEscape(heading) + "\\b0\\par\r\n\\par\r\n";
  for (const std::string& line : lines) doc += RtfEscape(line) + "\\par\r\n";
  return doc + "}\r\n";
}

namespace {

const std::vector<std::string>& RoomLines() {
  static const std::vector<std::string> v = {
      "Sala de estar: piso laminado em bom estado, rodapés íntegros, paredes com pintura "
      "recente na cor gelo.",
      "Sala de jantar: lustre funcionando; janela de alumínio com vidros íntegros e trincos "
      "em ordem.",
      "Cozinha: armários sob a pia com portas alinhadas; torneira funcionando; azulejos sem "
      "trincas.",
      "Banheiro social: box de vidro temperado, vaso sanitário com caixa acoplada "
      "funcionando, chuveiro elétrico em ordem.",
      "Quarto 1: janela com persiana funcionando; piso de taco com pequenos riscos próximos "
      "à porta.",
      "Quarto 2: armário embutido com três portas; uma dobradiça solta na porta central.",
      "Suíte: revestimento cerâmico até o teto; espelho do banheiro com mancha no canto "
      "inferior.",
      "Área de serviço: tanque de louça sem trincas; registro de água em ordem; varal de teto "
      "com cordas novas.",
      "Garagem: portão eletrônico funcionando, dois controles entregues ao locatário.",
      "Fachada: pintura desgastada em alguns pontos; calçada sem buracos; campainha "
      "funcionando.",
      "Instalações elétricas: tomadas e interruptores testados, todos funcionando; disjuntores "
      "identificados.",
      "Quintal: grama aparada; muro com pequena fissura junto ao portão lateral.",
      "Varanda: guarda-corpo de vidro íntegro; piso de porcelanato sem peças soltas.",
      "Escritório: carpete de madeira em bom estado; ar-condicionado split funcionando."};
  return v;
}

const std::vector<std::string>& AddendumLines() {
  static const std::vector<std::string> v = {
      "Constatada infiltração no teto do banheiro social após a entrada do locatário.",
      "Locatário informou que a torneira da cozinha apresenta vazamento desde a entrega.",
      "Incluída a observação de que o portão eletrônico foi entregue com apenas um controle.",
      "Corrigida a descrição do piso do quarto 2: porcelanato, e não cerâmica.",
      "Registrada troca do chuveiro elétrico pelo proprietário, com nota fiscal anexa."};
  return v;
}

}  // namespace

std::string InspectionRtf(Prng& rng, int kind, int amended) {
  static const char* kTitles[] = {"Vistoria de entrada do imóvel", "Vistoria de saída do imóvel",
                                  "Vistoria periódica da imobiliária", "Adendo à vistoria"};
  std::vector<std::string> lines;
  std::string heading = kTitles[kind >= 0 && kind <= 3 ? kind : 2];
  if (kind == 3) {
    heading += " nº " + std::to_string(amended);
    int n = static_cast<int>(rng.Range(1, 2));
    for (int i = 0; i < n; ++i) lines.push_back(rng.Pick(AddendumLines()));
  } else {
    const auto& pool = RoomLines();
    size_t start = static_cast<size_t>(rng.Next() % pool.size());
    int n = static_cast<int>(rng.Range(4, 7));
    for (int i = 0; i < n; ++i) lines.push_back(pool[(start + static_cast<size_t>(i) * 3) % pool.size()]);
    if (kind == 1)
      lines.push_back("Imóvel devolvido limpo; chaves conferidas e entregues à imobiliária.");
    else
      lines.push_back("As partes declaram estar de acordo com o estado do imóvel descrito acima.");
  }
  return RtfDocument(heading, lines);
}

}  // namespace agency_seed
