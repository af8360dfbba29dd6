// Where a report's output goes. The engine calls a sink for every event of a
// run, in the order the events happen; the three renderings (jsonl trace,
// text page, HTML page) are sinks.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "host/printworks/layout.h"

namespace vcl { class TClientDataSet; }

namespace printworks {

class TnpqPowerParam;

class TnReportSink {
 public:
  virtual ~TnReportSink() = default;
  virtual void OnSet(const std::string& name, const std::string& value) = 0;
  // `params` holds every printed value set so far; `row` is the report's
  // DataSet (current row) or nullptr when the report has none.
  virtual void OnSection(int section, const TnpqPowerParam& params,
                         const vcl::TClientDataSet* row) = 0;
  virtual void OnProgress(int current, int total) = 0;
  virtual void OnPageEnd() = 0;
  virtual void OnCaption(const std::string& object, const std::string& text) = 0;
  virtual void OnError(const std::string& message) = 0;
  virtual void OnForm(const TnpqPowerParam& params) = 0;
  // Flushes what is buffered; called once at the end of a run.
  virtual void Finish() = 0;
};

// The renderings. The layout gives titles, captions and columns; `zebra` the
// sections printed with alternating background (HTML only).
std::unique_ptr<TnReportSink> MakeJsonlSink(std::ostream& out);
std::unique_ptr<TnReportSink> MakeTextSink(std::ostream& out, const TnLayout& layout);
std::unique_ptr<TnReportSink> MakeHtmlSink(std::ostream& out, const TnLayout& layout,
                                           std::vector<int> zebra);

// A sink that records every event in memory, for tests.
struct RecordedEvent {
  std::string event;  // "set", "section", "progress", "page_end", "caption", "error", "form"
  std::string name;   // set: name; caption: object
  std::string value;  // set: value; caption: text; error: message
  int section = 0;
  int current = 0;
  int total = 0;
  std::vector<std::pair<std::string, std::string>> params;  // section: printed values
  std::vector<std::pair<std::string, std::string>> row;     // section: DataSet's current row
};

class TnRecordingSink : public TnReportSink {
 public:
  void OnSet(const std::string& name, const std::string& value) override;
  void OnSection(int section, const TnpqPowerParam& params,
                 const vcl::TClientDataSet* row) override;
  void OnProgress(int current, int total) override;
  void OnPageEnd() override;
  void OnCaption(const std::string& object, const std::string& text) override;
  void OnError(const std::string& message) override;
  void OnForm(const TnpqPowerParam& params) override;
  void Finish() override {}

  const std::vector<RecordedEvent>& Events() const { return events_; }
  // Compact one-line-per-event text ("section 8", "progress 1/3", "set pX=v")
  // for readable assertions.
  std::vector<std::string> Lines() const;

 private:
  std::vector<RecordedEvent> events_;
};

}  // namespace printworks
