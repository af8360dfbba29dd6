// A report's layout as the host keeps it: title, its own query, the parameter
// form and, per section, what each printed line shows. Layouts are JSON files,
// one per deliverable, read by the host.
//
// {
//   "title": "Países",
//   "query": "select ... ",                       (optional: rows for DataSet)
//   "form": [ {"name": "pOrdenar", "caption": "Ordem", "default": "0",
//              "choices": [ {"value": "0", "text": "Código"} ] } ],
//   "heading": ["pNomeEmpresa", "pInscrFederal"], (printed values shown on top)
//   "footer": { "style": ..., "items": [...] },   (optional: shown once at the end,
//                                                  with the values as they end up)
//   "sections": {
//     "8": { "style": "table" | "lines",
//            "items": [ {"param": "pDescricao", "caption": "Descrição", "width": 30},
//                       {"field": "NOMEPAIS", "caption": "Nome", "width": 40},
//                       {"object": "pDadosVistoria", "caption": "Descrição"},
//                       {"text": "Total geral"} ] } }
// }
//
// Items may also carry "align": "right" (numbers). A section printed but not
// described shows every printed value (and the DataSet row, if any).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/printworks/param.h"

namespace printworks {

struct LayoutItem {
  enum class Kind { kParam, kField, kObject, kText };
  Kind kind = Kind::kParam;
  std::string name;     // parameter, field or object name; the text for kText
  std::string caption;  // label or column heading
  int width = 0;        // column width in characters (0: as long as the value)
  bool align_right = false;
};

struct LayoutSection {
  std::string style = "table";  // "table": aligned columns; "lines": one item a line
  std::vector<LayoutItem> items;
};

struct LayoutFormControl {
  std::string name;
  std::string caption;
  std::string default_text;
  std::vector<TnChoice> choices;
};

struct TnLayout {
  std::string title;
  std::string query;
  std::vector<LayoutFormControl> form;
  std::vector<std::string> heading;
  std::map<int, LayoutSection> sections;
  // Printed once after the report's last section, with the printed values as
  // the report left them (totals a report sets without printing a section).
  // No items: no footer.
  LayoutSection footer;

  // Raises vcl::Exception naming the file when it cannot be read or parsed.
  static TnLayout LoadFile(const std::string& path);
  static TnLayout Parse(const std::string& json_text);
};

}  // namespace printworks
