// The report's parameters: the items of its parameter form, their controls,
// and the printed values the plug-in sets while printing.
//
// Names are up to 128 single-byte characters and match without regard to
// case. A form item has a shown text and a stored value (equal for free-text
// controls; for a choice control the stored value of the chosen choice).
// GetValues gives the value last set with SetValues, else the form item's
// stored value, else the empty text.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/vcl/object.h"

namespace printworks {

class TnpqPowerParam;
class TnFraControle;

// One choice of a choice control: the stored value and the shown text.
struct TnChoice {
  std::string value;
  std::string text;
};

// A parameter of the form.
class TnpqParamItem : public vcl::TObject {
 public:
  TnpqParamItem(std::string name, std::string caption, std::vector<TnChoice> choices);
  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  const std::vector<TnChoice>& Choices() const { return choices_; }
  TnFraControle& Control() { return *control_; }
  const TnFraControle& Control() const { return *control_; }

 private:
  std::string name_;
  std::string caption_;
  std::vector<TnChoice> choices_;
  std::unique_ptr<TnFraControle> control_;
};

// The edit control of a form parameter.
class TnFraControle : public vcl::TObject {
 public:
  explicit TnFraControle(TnpqParamItem* item) : item_(item) {}
  // The text entered or chosen (for a choice, its shown text).
  std::string GetAsString() const { return text_; }
  // The stored value (for a choice, its stored value).
  std::string Value() const { return value_; }
  // Sets the text: a choice's shown text or stored value selects that choice;
  // any other text is taken as typed (value = text).
  void SetText(const std::string& text);
  // The shown text that SetText(text) would leave in the control.
  std::string TextAfterSetText(const std::string& text) const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  // Empties the control (text and value become empty).
  void Clear() { text_.clear(); value_.clear(); }
  TnpqParamItem* Item() const { return item_; }

 private:
  TnpqParamItem* item_;
  std::string text_;
  std::string value_;
  bool enabled_ = true;
};

// The numeric/date edit control (free text).
class TnFraCtrlND : public TnFraControle {
 public:
  using TnFraControle::TnFraControle;
};

// Receives every SetValues call (the engine forwards them to its output).
class TnParamListener {
 public:
  virtual ~TnParamListener() = default;
  virtual void OnSetValue(const std::string& name, const std::string& value) = 0;
};

class TnpqPowerParam : public vcl::TObject {
 public:
  TnpqPowerParam();
  ~TnpqPowerParam() override;

  // ---- Building the form (host side) ----
  // Adds a form item with its default text; choices make it a choice control.
  // Raises vcl::Exception for a name longer than 128 characters or repeated.
  TnpqParamItem& AddItem(const std::string& name, const std::string& caption,
                         const std::string& default_text,
                         std::vector<TnChoice> choices = {});
  const std::vector<std::unique_ptr<TnpqParamItem>>& Items() const { return items_; }
  TnpqParamItem* FindItem(const std::string& name) const;

  // ---- What plug-ins use ----
  void SetValues(const std::string& name, const std::string& value);
  std::string GetValues(const std::string& name) const;
  // The control of the named parameter (nullptr when the form has none).
  TnFraControle* EdFindFieldControl(const std::string& name) const;
  TnFraControle* EdFindFieldControl(const TnpqParamItem* item) const;

  // Printed values set so far, in the order each name was first set, with the
  // name as last written.
  const std::vector<std::pair<std::string, std::string>>& PrintedValues() const {
    return printed_;
  }
  void SetListener(TnParamListener* listener) { listener_ = listener; }

 private:
  std::vector<std::unique_ptr<TnpqParamItem>> items_;
  std::vector<std::pair<std::string, std::string>> printed_;
  struct Index;
  std::unique_ptr<Index> index_;  // upper-cased name -> position
  TnParamListener* listener_ = nullptr;
};

}  // namespace printworks
