#include "host/printworks/render.h"

#include "host/vcl/client_dataset.h"

namespace printworks {

namespace {

// Field look-ups do not move the cursor; the dataset is only read.
vcl::TClientDataSet* Readable(const vcl::TClientDataSet* row) {
  return const_cast<vcl::TClientDataSet*>(row);
}

}  // namespace

std::string ItemValue(const LayoutItem& item, const TnpqPowerParam& params,
                      const vcl::TClientDataSet* row, const ObjectCaptions& captions) {
  switch (item.kind) {
    case LayoutItem::Kind::kParam:
      return params.GetValues(item.name);
    case LayoutItem::Kind::kField: {
      if (!row || row->Eof()) return std::string();
      vcl::TField* field = Readable(row)->FindField(item.name);
      return field ? field->AsString() : std::string();
    }
    case LayoutItem::Kind::kObject: {
      auto it = captions.find(std::string_view(item.name));
      return it != captions.end() ? it->second : params.GetValues(item.name);
    }
    case LayoutItem::Kind::kText:
      return item.name;
  }
  return std::string();
}

std::vector<std::pair<std::string, std::string>> UndescribedSection(
    const TnpqPowerParam& params, const vcl::TClientDataSet* row) {
  std::vector<std::pair<std::string, std::string>> shown(params.PrintedValues());
  if (row && !row->Eof()) {
    vcl::TClientDataSet* ds = Readable(row);
    for (int i = 0; i < ds->FieldCount(); ++i) {
      vcl::TField& field = ds->Fields(i);
      shown.emplace_back(field.FieldName(), field.AsString());
    }
  }
  return shown;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.push_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size() || lines.empty()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace printworks
