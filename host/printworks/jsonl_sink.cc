// The jsonl trace: one JSON object per line and per event, written straight
// into a buffer that goes to the stream in large blocks.
#include <ostream>
#include <string>

#include "host/printworks/json_text.h"
#include "host/printworks/param.h"
#include "host/printworks/sink.h"
#include "host/vcl/client_dataset.h"

namespace printworks {

namespace {

constexpr size_t kFlushAt = 1 << 16;

class JsonlSink : public TnReportSink {
 public:
  explicit JsonlSink(std::ostream& out) : out_(out) { buf_.reserve(kFlushAt + 4096); }
  ~JsonlSink() override { Flush(); }

  void OnSet(const std::string& name, const std::string& value) override {
    buf_ += R"({"event":"set","name":)";
    AppendJsonString(buf_, name);
    buf_ += R"(,"value":)";
    AppendJsonString(buf_, value);
    EndLine();
  }

  void OnSection(int section, const TnpqPowerParam& params,
                 const vcl::TClientDataSet* row) override {
    buf_ += R"({"event":"section","section":)";
    buf_ += std::to_string(section);
    buf_ += R"(,"params":{)";
    bool first = true;
    for (const auto& [name, value] : params.PrintedValues()) {
      if (!first) buf_ += ',';
      first = false;
      AppendJsonString(buf_, name);
      buf_ += ':';
      AppendJsonString(buf_, value);
    }
    buf_ += '}';
    if (row) {
      buf_ += R"(,"row":{)";
      AppendRow(*const_cast<vcl::TClientDataSet*>(row));
      buf_ += '}';
    }
    EndLine();
  }

  void OnProgress(int current, int total) override {
    buf_ += R"({"event":"progress","current":)";
    buf_ += std::to_string(current);
    buf_ += R"(,"total":)";
    buf_ += std::to_string(total);
    EndLine();
  }

  void OnPageEnd() override {
    buf_ += R"({"event":"page_end")";
    EndLine();
  }

  void OnCaption(const std::string& object, const std::string& text) override {
    buf_ += R"({"event":"caption","object":)";
    AppendJsonString(buf_, object);
    buf_ += R"(,"text":)";
    AppendJsonString(buf_, text);
    EndLine();
  }

  void OnError(const std::string& message) override {
    buf_ += R"({"event":"error","message":)";
    AppendJsonString(buf_, message);
    EndLine();
  }

  void OnForm(const TnpqPowerParam& params) override {
    buf_ += R"({"event":"form","controls":[)";
    bool first = true;
    for (const auto& item : params.Items()) {
      if (!first) buf_ += ',';
      first = false;
      const TnFraControle& control = item->Control();
      buf_ += R"({"name":)";
      AppendJsonString(buf_, item->Name());
      buf_ += R"(,"text":)";
      AppendJsonString(buf_, control.GetAsString());
      buf_ += R"(,"value":)";
      AppendJsonString(buf_, control.Value());
      buf_ += R"(,"enabled":)";
      buf_ += control.Enabled() ? "true" : "false";
      buf_ += '}';
    }
    buf_ += ']';
    EndLine();
  }

  void Finish() override {
    Flush();
    out_.flush();
  }

 private:
  // The current row, column name to text (a null reads as the empty text);
  // nothing when the cursor is past the last row.
  void AppendRow(vcl::TClientDataSet& ds) {
    if (ds.Eof()) return;
    const int count = ds.FieldCount();
    for (int i = 0; i < count; ++i) {
      vcl::TField& field = ds.Fields(i);
      if (i) buf_ += ',';
      AppendJsonString(buf_, field.FieldName());
      buf_ += ':';
      AppendJsonString(buf_, field.IsNull() ? std::string() : field.AsString());
    }
  }

  void EndLine() {
    buf_ += "}\n";
    if (buf_.size() >= kFlushAt) Flush();
  }

  void Flush() {
    if (buf_.empty()) return;
    out_.write(buf_.data(), static_cast<std::streamsize>(buf_.size()));
    buf_.clear();
  }

  std::ostream& out_;
  std::string buf_;
};

}  // namespace

std::unique_ptr<TnReportSink> MakeJsonlSink(std::ostream& out) {
  return std::make_unique<JsonlSink>(out);
}

}  // namespace printworks
