#include "host/printworks/param.h"

#include "host/printworks/names.h"
#include "host/vcl/exceptions.h"

namespace printworks {

namespace {

void CheckName(const std::string& name) {
  if (name.empty()) throw vcl::Exception("Nome de parâmetro vazio.");
  if (name.size() > kMaxParamName) {
    throw vcl::Exception("Nome de parâmetro com mais de 128 caracteres: '" +
                         name.substr(0, 32) + "...'");
  }
}

// The choice that `text` selects: its shown text first, else its stored value.
const TnChoice* FindChoice(const std::vector<TnChoice>& choices, const std::string& text) {
  for (const TnChoice& c : choices) {
    if (c.text == text) return &c;
  }
  for (const TnChoice& c : choices) {
    if (c.value == text) return &c;
  }
  return nullptr;
}

}  // namespace

TnpqParamItem::TnpqParamItem(std::string name, std::string caption,
                             std::vector<TnChoice> choices)
    : name_(std::move(name)),
      caption_(std::move(caption)),
      choices_(std::move(choices)),
      control_(choices_.empty() ? std::make_unique<TnFraCtrlND>(this)
                                : std::make_unique<TnFraControle>(this)) {}

void TnFraControle::SetText(const std::string& text) {
  const TnChoice* choice = item_ ? FindChoice(item_->Choices(), text) : nullptr;
  if (choice) {
    text_ = choice->text;
    value_ = choice->value;
  } else {
    text_ = text;
    value_ = text;
  }
}

std::string TnFraControle::TextAfterSetText(const std::string& text) const {
  const TnChoice* choice = item_ ? FindChoice(item_->Choices(), text) : nullptr;
  return choice ? choice->text : text;
}

struct TnpqPowerParam::Index {
  NameMap<size_t> items;    // form items by name -> position in items_
  NameMap<size_t> printed;  // printed values by name -> position in printed_
};

TnpqPowerParam::TnpqPowerParam() : index_(std::make_unique<Index>()) {}
TnpqPowerParam::~TnpqPowerParam() = default;

TnpqParamItem& TnpqPowerParam::AddItem(const std::string& name, const std::string& caption,
                                       const std::string& default_text,
                                       std::vector<TnChoice> choices) {
  CheckName(name);
  if (index_->items.count(name)) {
    throw vcl::Exception("Parâmetro repetido no formulário: '" + name + "'");
  }
  items_.push_back(std::make_unique<TnpqParamItem>(name, caption, std::move(choices)));
  index_->items.emplace(name, items_.size() - 1);
  TnpqParamItem& item = *items_.back();
  item.Control().SetText(default_text);
  return item;
}

TnpqParamItem* TnpqPowerParam::FindItem(const std::string& name) const {
  auto it = index_->items.find(std::string_view(name));
  return it == index_->items.end() ? nullptr : items_[it->second].get();
}

void TnpqPowerParam::SetValues(const std::string& name, const std::string& value) {
  CheckName(name);
  auto it = index_->printed.find(std::string_view(name));
  if (it == index_->printed.end()) {
    printed_.emplace_back(name, value);
    index_->printed.emplace(name, printed_.size() - 1);
  } else {
    auto& slot = printed_[it->second];
    if (slot.first != name) slot.first = name;  // keep the spelling last written
    slot.second = value;
  }
  if (listener_) listener_->OnSetValue(name, value);
}

std::string TnpqPowerParam::GetValues(const std::string& name) const {
  auto printed = index_->printed.find(std::string_view(name));
  if (printed != index_->printed.end()) return printed_[printed->second].second;
  auto item = index_->items.find(std::string_view(name));
  if (item != index_->items.end()) return items_[item->second]->Control().Value();
  return std::string();
}

TnFraControle* TnpqPowerParam::EdFindFieldControl(const std::string& name) const {
  TnpqParamItem* item = FindItem(name);
  return item ? &item->Control() : nullptr;
}

TnFraControle* TnpqPowerParam::EdFindFieldControl(const TnpqParamItem* item) const {
  if (!item) return nullptr;
  for (const auto& own : items_) {
    if (own.get() == item) return &own->Control();
  }
  // An item of another form: look its name up here.
  return EdFindFieldControl(item->Name());
}

}  // namespace printworks
