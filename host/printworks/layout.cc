#include "host/printworks/layout.h"

#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "host/vcl/exceptions.h"

namespace printworks {

namespace {

using nlohmann::json;

std::string Text(const json& node, const char* key) {
  auto it = node.find(key);
  if (it == node.end() || it->is_null()) return std::string();
  if (it->is_string()) return it->get<std::string>();
  if (it->is_number_integer()) return std::to_string(it->get<long long>());
  throw std::runtime_error(std::string("'") + key + "' deve ser um texto");
}

LayoutItem ParseItem(const json& node) {
  if (!node.is_object()) throw std::runtime_error("item de seção deve ser um objeto");
  LayoutItem item;
  if (node.contains("param")) {
    item.kind = LayoutItem::Kind::kParam;
    item.name = Text(node, "param");
  } else if (node.contains("field")) {
    item.kind = LayoutItem::Kind::kField;
    item.name = Text(node, "field");
  } else if (node.contains("object")) {
    item.kind = LayoutItem::Kind::kObject;
    item.name = Text(node, "object");
  } else if (node.contains("text")) {
    item.kind = LayoutItem::Kind::kText;
    item.name = Text(node, "text");
  } else {
    throw std::runtime_error("item de seção sem 'param', 'field', 'object' ou 'text'");
  }
  item.caption = Text(node, "caption");
  if (auto w = node.find("width"); w != node.end()) item.width = w->get<int>();
  if (auto a = node.find("align"); a != node.end()) item.align_right = a->get<std::string>() == "right";
  if (auto a = node.find("align_right"); a != node.end()) item.align_right = a->get<bool>();
  return item;
}

LayoutSection ParseSection(const json& node) {
  LayoutSection section;
  if (auto s = node.find("style"); s != node.end()) {
    section.style = s->get<std::string>();
    if (section.style != "table" && section.style != "lines") {
      throw std::runtime_error("estilo de seção desconhecido: '" + section.style + "'");
    }
  }
  if (auto items = node.find("items"); items != node.end()) {
    for (const json& item : *items) section.items.push_back(ParseItem(item));
  }
  return section;
}

LayoutFormControl ParseControl(const json& node) {
  LayoutFormControl control;
  control.name = Text(node, "name");
  if (control.name.empty()) throw std::runtime_error("controle do formulário sem 'name'");
  control.caption = Text(node, "caption");
  control.default_text = Text(node, "default");
  if (auto choices = node.find("choices"); choices != node.end()) {
    for (const json& c : *choices) control.choices.push_back({Text(c, "value"), Text(c, "text")});
  }
  return control;
}

TnLayout ParseJson(const json& root) {
  if (!root.is_object()) throw std::runtime_error("o layout deve ser um objeto JSON");
  TnLayout layout;
  layout.title = Text(root, "title");
  layout.query = Text(root, "query");
  if (auto form = root.find("form"); form != root.end()) {
    for (const json& c : *form) layout.form.push_back(ParseControl(c));
  }
  if (auto heading = root.find("heading"); heading != root.end()) {
    for (const json& h : *heading) layout.heading.push_back(h.get<std::string>());
  }
  if (auto footer = root.find("footer"); footer != root.end()) {
    layout.footer = ParseSection(*footer);
  }
  if (auto sections = root.find("sections"); sections != root.end()) {
    for (auto it = sections->begin(); it != sections->end(); ++it) {
      int number = 0;
      try {
        size_t used = 0;
        number = std::stoi(it.key(), &used);
        if (used != it.key().size()) throw std::invalid_argument("number");
      } catch (const std::exception&) {
        throw std::runtime_error("número de seção inválido: '" + it.key() + "'");
      }
      layout.sections[number] = ParseSection(it.value());
    }
  }
  return layout;
}

}  // namespace

TnLayout TnLayout::Parse(const std::string& json_text) {
  try {
    return ParseJson(json::parse(json_text));
  } catch (const vcl::Exception&) {
    throw;
  } catch (const std::exception& e) {
    throw vcl::Exception(std::string("Layout inválido: ") + e.what());
  }
}

TnLayout TnLayout::LoadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw vcl::Exception("Não foi possível ler o layout '" + path + "'");
  std::ostringstream text;
  text << in.rdbuf();
  try {
    return ParseJson(json::parse(text.str()));
  } catch (const std::exception& e) {
    throw vcl::Exception("Layout inválido '" + path + "': " + e.what());
  }
}

}  // namespace printworks
