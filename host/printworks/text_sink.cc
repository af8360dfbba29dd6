// The text rendering: a readable page. Each page opens with the title and the
// office heading (the layout's heading parameters, as they are when the
// page's first section prints); table sections line up in columns under a
// line of captions printed before each run of them; a rule closes each page.
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "host/printworks/render.h"
#include "host/printworks/sink.h"
#include "host/vcl/strings.h"

namespace printworks {

namespace {

constexpr size_t kFlushAt = 1 << 16;
constexpr size_t kMinRule = 80;
constexpr const char* kColumnGap = "  ";

std::string Pad(std::string_view text, size_t width, bool right) {
  size_t len = vcl::Utf8Length(text);
  if (len >= width) return std::string(text);
  std::string out;
  out.reserve(text.size() + width - len);
  if (right) out.append(width - len, ' ');
  out.append(text);
  if (!right) out.append(width - len, ' ');
  return out;
}

void TrimTrailingBlanks(std::string& line) {
  size_t end = line.find_last_not_of(' ');
  line.erase(end == std::string::npos ? 0 : end + 1);
}

class TextSink : public TnReportSink {
 public:
  TextSink(std::ostream& out, const TnLayout& layout) : out_(out), layout_(layout) {}
  ~TextSink() override { Flush(); }

  void OnSet(const std::string& name, const std::string& value) override {
    if (!layout_.footer.items.empty()) final_values_.SetValues(name, value);
  }
  void OnProgress(int, int) override {}

  void OnSection(int section, const TnpqPowerParam& params,
                 const vcl::TClientDataSet* row) override {
    if (!page_open_) OpenPage(params);
    auto it = layout_.sections.find(section);
    if (it == layout_.sections.end()) {
      run_ = -1;
      PrintUndescribed(params, row);
    } else if (it->second.style == "lines") {
      run_ = -1;
      PrintLines(it->second, params, row);
    } else {
      if (run_ != section) PrintCaptions(it->second);
      run_ = section;
      PrintTableRow(it->second, params, row);
    }
    if (buf_.size() >= kFlushAt) Flush();
  }

  void OnPageEnd() override {
    if (!page_open_) return;
    ClosePage();
  }

  void OnCaption(const std::string& object, const std::string& text) override {
    captions_[object] = text;
  }

  void OnError(const std::string& message) override {
    if (pages_ == 0) OpenPage(TnpqPowerParam());
    if (!page_open_) {
      page_open_ = true;
      Line("");
    }
    run_ = -1;
    Line("Relatório interrompido: " + message);
  }

  void OnForm(const TnpqPowerParam& params) override {
    if (page_open_) ClosePage();
    Line("Parâmetros:");
    for (const auto& item : params.Items()) {
      const TnFraControle& control = item->Control();
      std::string line = "  " + (item->Caption().empty() ? item->Name() : item->Caption()) +
                         " (" + item->Name() + "): " + control.GetAsString();
      if (control.Value() != control.GetAsString()) line += " [" + control.Value() + "]";
      if (!control.Enabled()) line += " (desabilitado)";
      Line(line);
    }
    wrote_something_ = true;
  }

  void Finish() override {
    if (page_open_) {
      PrintFooter();
      ClosePage();
    } else if (!wrote_something_) {
      TnpqPowerParam none;
      OpenPage(none);
      Line("Nenhuma linha impressa.");
      ClosePage();
    }
    Flush();
    out_.flush();
  }

 private:
  void PrintFooter() {
    const LayoutSection& footer = layout_.footer;
    if (footer.items.empty()) return;
    run_ = -1;
    if (footer.style == "lines") {
      PrintLines(footer, final_values_, nullptr);
    } else {
      PrintCaptions(footer);
      PrintTableRow(footer, final_values_, nullptr);
    }
  }

  void OpenPage(const TnpqPowerParam& params) {
    if (pages_ > 0) Line("");
    ++pages_;
    page_open_ = true;
    wrote_something_ = true;
    widest_ = 0;
    run_ = -1;
    if (!layout_.title.empty()) {
      Line(layout_.title);
      Line(std::string(std::min<size_t>(vcl::Utf8Length(layout_.title), 200), '='));
    }
    for (const std::string& name : layout_.heading) {
      std::string value = params.GetValues(name);
      for (std::string_view line : SplitLines(value)) {
        if (!line.empty()) Line(std::string(line));
      }
    }
    Line("");
  }

  void ClosePage() {
    Line(std::string(std::max(widest_, kMinRule), '-'));
    page_open_ = false;
    run_ = -1;
  }

  void PrintCaptions(const LayoutSection& section) {
    bool any = std::any_of(section.items.begin(), section.items.end(),
                           [](const LayoutItem& i) { return !i.caption.empty(); });
    if (!any) return;
    std::string line;
    for (size_t i = 0; i < section.items.size(); ++i) {
      const LayoutItem& item = section.items[i];
      if (i) line += kColumnGap;
      line += Pad(item.caption, item.width, item.align_right);
    }
    Line(line);
    Line(std::string(std::min<size_t>(vcl::Utf8Length(line), 400), '-'));
  }

  void PrintTableRow(const LayoutSection& section, const TnpqPowerParam& params,
                     const vcl::TClientDataSet* row) {
    const size_t n = section.items.size();
    values_.resize(n);
    cells_.resize(n);
    size_t height = 1;
    for (size_t i = 0; i < n; ++i) {
      values_[i] = ItemValue(section.items[i], params, row, captions_);
      cells_[i] = SplitLines(values_[i]);
      height = std::max(height, cells_[i].size());
    }
    for (size_t r = 0; r < height; ++r) {
      std::string line;
      for (size_t i = 0; i < n; ++i) {
        const LayoutItem& item = section.items[i];
        if (i) line += kColumnGap;
        std::string_view text = r < cells_[i].size() ? cells_[i][r] : std::string_view();
        // A column without a width is as wide as its first line.
        size_t width = item.width > 0 ? static_cast<size_t>(item.width)
                                      : vcl::Utf8Length(cells_[i][0]);
        line += Pad(text, width, item.align_right);
      }
      Line(line);
    }
  }

  void PrintLines(const LayoutSection& section, const TnpqPowerParam& params,
                  const vcl::TClientDataSet* row) {
    for (const LayoutItem& item : section.items) {
      std::string value = ItemValue(item, params, row, captions_);
      if (item.kind == LayoutItem::Kind::kText) {
        Line(value);
        continue;
      }
      std::string label = item.caption.empty() ? std::string() : item.caption + ": ";
      std::string indent(vcl::Utf8Length(label), ' ');
      bool first = true;
      for (std::string_view text : SplitLines(value)) {
        Line((first ? label : indent) + std::string(text));
        first = false;
      }
    }
  }

  void PrintUndescribed(const TnpqPowerParam& params, const vcl::TClientDataSet* row) {
    std::string line;
    for (const auto& [name, value] : UndescribedSection(params, row)) {
      if (!line.empty()) line += kColumnGap;
      line += name + ": ";
      auto lines = SplitLines(value);
      for (size_t i = 0; i < lines.size(); ++i) {
        if (i) line += " / ";
        line += lines[i];
      }
    }
    Line(line);
  }

  void Line(std::string line) {
    TrimTrailingBlanks(line);
    widest_ = std::max(widest_, vcl::Utf8Length(line));
    buf_ += line;
    buf_ += '\n';
  }

  void Flush() {
    if (buf_.empty()) return;
    out_.write(buf_.data(), static_cast<std::streamsize>(buf_.size()));
    buf_.clear();
  }

  std::ostream& out_;
  const TnLayout layout_;
  std::string buf_;
  TnpqPowerParam final_values_;  // printed values as they stand, for the footer
  ObjectCaptions captions_;
  std::vector<std::string> values_;
  std::vector<std::vector<std::string_view>> cells_;
  bool page_open_ = false;
  bool wrote_something_ = false;
  int pages_ = 0;
  int run_ = -1;  // the table section whose run is going on, -1 when none
  size_t widest_ = 0;
};

}  // namespace

std::unique_ptr<TnReportSink> MakeTextSink(std::ostream& out, const TnLayout& layout) {
  return std::make_unique<TextSink>(out, layout);
}

}  // namespace printworks
