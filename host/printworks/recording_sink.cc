#include <string>

#include "host/printworks/param.h"
#include "host/printworks/sink.h"
#include "host/vcl/client_dataset.h"

namespace printworks {

void TnRecordingSink::OnSet(const std::string& name, const std::string& value) {
  RecordedEvent e;
  e.event = "set";
  e.name = name;
  e.value = value;
  events_.push_back(std::move(e));
}

void TnRecordingSink::OnSection(int section, const TnpqPowerParam& params,
                                const vcl::TClientDataSet* row) {
  RecordedEvent e;
  e.event = "section";
  e.section = section;
  e.params = params.PrintedValues();
  if (row && !row->Eof()) {
    auto* ds = const_cast<vcl::TClientDataSet*>(row);  // read only; the cursor stays
    for (int i = 0; i < ds->FieldCount(); ++i) {
      vcl::TField& field = ds->Fields(i);
      e.row.emplace_back(field.FieldName(), field.IsNull() ? std::string() : field.AsString());
    }
  }
  events_.push_back(std::move(e));
}

void TnRecordingSink::OnProgress(int current, int total) {
  RecordedEvent e;
  e.event = "progress";
  e.current = current;
  e.total = total;
  events_.push_back(std::move(e));
}

void TnRecordingSink::OnPageEnd() {
  RecordedEvent e;
  e.event = "page_end";
  events_.push_back(std::move(e));
}

void TnRecordingSink::OnCaption(const std::string& object, const std::string& text) {
  RecordedEvent e;
  e.event = "caption";
  e.name = object;
  e.value = text;
  events_.push_back(std::move(e));
}

void TnRecordingSink::OnError(const std::string& message) {
  RecordedEvent e;
  e.event = "error";
  e.value = message;
  events_.push_back(std::move(e));
}

void TnRecordingSink::OnForm(const TnpqPowerParam& params) {
  RecordedEvent e;
  e.event = "form";
  for (const auto& item : params.Items()) {
    e.params.emplace_back(item->Name(), item->Control().Value());
  }
  events_.push_back(std::move(e));
}

std::vector<std::string> TnRecordingSink::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(events_.size());
  for (const RecordedEvent& e : events_) {
    if (e.event == "set") {
      lines.push_back("set " + e.name + "=" + e.value);
    } else if (e.event == "section") {
      lines.push_back("section " + std::to_string(e.section));
    } else if (e.event == "progress") {
      lines.push_back("progress " + std::to_string(e.current) + "/" + std::to_string(e.total));
    } else if (e.event == "caption") {
      lines.push_back("caption " + e.name + "=" + e.value);
    } else if (e.event == "error") {
      lines.push_back("error " + e.value);
    } else {
      lines.push_back(e.event);
    }
  }
  return lines;
}

}  // namespace printworks
