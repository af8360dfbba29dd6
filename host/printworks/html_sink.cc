// The HTML rendering: a printable page. Table sections become table rows
// under a row of captions, "lines" sections paragraphs; the sections the
// report lists for alternating background get it; each page end breaks the
// printed page. Every text from the report or the data is HTML-escaped.
#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "host/printworks/render.h"
#include "host/printworks/sink.h"

namespace printworks {

namespace {

constexpr size_t kFlushAt = 1 << 16;

void AppendEscaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
}

// Escaped, with line breaks for CR LF.
void AppendMultiline(std::string& out, std::string_view text) {
  auto lines = SplitLines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) out += "<br>";
    AppendEscaped(out, lines[i]);
  }
}

const char kStyle[] =
    "body{font-family:sans-serif;font-size:10pt;margin:1.5em}"
    "h1{font-size:14pt;margin:0 0 .2em}"
    ".heading{margin:0}"
    "header{margin-bottom:1em;border-bottom:1px solid #444}"
    "table{border-collapse:collapse;margin:.3em 0}"
    "th{text-align:left;border-bottom:1px solid #444;padding:2px 8px}"
    "td{padding:1px 8px;vertical-align:top}"
    ".r{text-align:right}"
    "tr.zebra td{background:#e8e8e8}"
    ".lines p{margin:.1em 0}"
    ".caption{font-weight:bold}"
    ".page-end{border-top:1px solid #444;margin-top:1em;break-after:page;page-break-after:always}"
    ".error{color:#a00;font-weight:bold}"
    "@media print{tr.zebra td{-webkit-print-color-adjust:exact;print-color-adjust:exact}}";

class HtmlSink : public TnReportSink {
 public:
  HtmlSink(std::ostream& out, const TnLayout& layout, std::vector<int> zebra)
      : out_(out), layout_(layout), zebra_(zebra.begin(), zebra.end()) {
    buf_ += "<!DOCTYPE html>\n<html lang=\"pt-BR\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
    AppendEscaped(buf_, layout_.title);
    buf_ += "</title>\n<style>";
    buf_ += kStyle;
    buf_ += "</style>\n</head>\n<body>\n";
  }
  ~HtmlSink() override { Flush(); }

  void OnSet(const std::string& name, const std::string& value) override {
    if (!layout_.footer.items.empty()) final_values_.SetValues(name, value);
  }
  void OnProgress(int, int) override {}

  void OnSection(int section, const TnpqPowerParam& params,
                 const vcl::TClientDataSet* row) override {
    if (!page_open_) OpenPage(params);
    auto it = layout_.sections.find(section);
    if (it == layout_.sections.end()) {
      CloseTable();
      PrintUndescribed(section, params, row);
    } else if (it->second.style == "lines") {
      CloseTable();
      PrintLines(section, it->second, params, row);
    } else {
      if (run_ != section) OpenTable(section, it->second);
      PrintTableRow(section, it->second, params, row);
    }
    if (buf_.size() >= kFlushAt) Flush();
  }

  void OnPageEnd() override {
    if (page_open_) ClosePage();
  }

  void OnCaption(const std::string& object, const std::string& text) override {
    captions_[object] = text;
  }

  void OnError(const std::string& message) override {
    if (!page_open_) OpenPage(TnpqPowerParam());
    CloseTable();
    buf_ += "<p class=\"error\">Relatório interrompido: ";
    AppendMultiline(buf_, message);
    buf_ += "</p>\n";
  }

  void OnForm(const TnpqPowerParam& params) override {
    if (page_open_) ClosePage();
    wrote_something_ = true;
    buf_ += "<section class=\"form\">\n<h2>Parâmetros</h2>\n<table>\n"
            "<thead><tr><th>Parâmetro</th><th>Nome</th><th>Texto</th><th>Valor</th>"
            "<th>Habilitado</th></tr></thead>\n<tbody>\n";
    for (const auto& item : params.Items()) {
      const TnFraControle& control = item->Control();
      buf_ += "<tr><td>";
      AppendEscaped(buf_, item->Caption());
      buf_ += "</td><td>";
      AppendEscaped(buf_, item->Name());
      buf_ += "</td><td>";
      AppendEscaped(buf_, control.GetAsString());
      buf_ += "</td><td>";
      AppendEscaped(buf_, control.Value());
      buf_ += "</td><td>";
      buf_ += control.Enabled() ? "Sim" : "Não";
      buf_ += "</td></tr>\n";
    }
    buf_ += "</tbody>\n</table>\n</section>\n";
  }

  void Finish() override {
    if (page_open_) {
      PrintFooter();
      CloseTable();
      buf_ += "</div>\n";
      page_open_ = false;
    } else if (!wrote_something_) {
      OpenPage(TnpqPowerParam());
      buf_ += "<p>Nenhuma linha impressa.</p>\n</div>\n";
      page_open_ = false;
    }
    buf_ += "</body>\n</html>\n";
    Flush();
    out_.flush();
  }

 private:
  void PrintFooter() {
    const LayoutSection& footer = layout_.footer;
    if (footer.items.empty()) return;
    CloseTable();
    if (footer.style == "lines") {
      PrintLines(0, footer, final_values_, nullptr);
    } else {
      OpenTable(0, footer);
      PrintTableRow(0, footer, final_values_, nullptr);
      CloseTable();
    }
  }

  void OpenPage(const TnpqPowerParam& params) {
    page_open_ = true;
    wrote_something_ = true;
    run_ = -1;
    buf_ += "<div class=\"page\">\n<header>\n";
    if (!layout_.title.empty()) {
      buf_ += "<h1>";
      AppendEscaped(buf_, layout_.title);
      buf_ += "</h1>\n";
    }
    for (const std::string& name : layout_.heading) {
      std::string value = params.GetValues(name);
      if (value.empty()) continue;
      buf_ += "<p class=\"heading\">";
      AppendMultiline(buf_, value);
      buf_ += "</p>\n";
    }
    buf_ += "</header>\n";
  }

  void ClosePage() {
    CloseTable();
    buf_ += "<div class=\"page-end\"></div>\n</div>\n";
    page_open_ = false;
  }

  void OpenTable(int section, const LayoutSection& layout) {
    CloseTable();
    run_ = section;
    buf_ += "<table class=\"s" + std::to_string(section) + "\">\n";
    bool any = std::any_of(layout.items.begin(), layout.items.end(),
                           [](const LayoutItem& i) { return !i.caption.empty(); });
    if (any) {
      buf_ += "<thead><tr>";
      for (const LayoutItem& item : layout.items) {
        buf_ += item.align_right ? "<th class=\"r\">" : "<th>";
        AppendEscaped(buf_, item.caption);
        buf_ += "</th>";
      }
      buf_ += "</tr></thead>\n";
    }
    buf_ += "<tbody>\n";
  }

  void CloseTable() {
    if (run_ < 0) return;
    buf_ += "</tbody>\n</table>\n";
    run_ = -1;
  }

  // The class attribute of a section's element: its number, and the zebra
  // shade on every other print of the listed sections.
  std::string Classes(int section, const char* base) {
    std::string classes = std::string(base) + " s" + std::to_string(section);
    if (zebra_.count(section)) {
      if (zebra_count_++ % 2 == 1) classes += " zebra";
    }
    return classes;
  }

  void PrintTableRow(int section, const LayoutSection& layout, const TnpqPowerParam& params,
                     const vcl::TClientDataSet* row) {
    buf_ += "<tr class=\"" + Classes(section, "row") + "\">";
    for (const LayoutItem& item : layout.items) {
      buf_ += item.align_right ? "<td class=\"r\">" : "<td>";
      AppendMultiline(buf_, ItemValue(item, params, row, captions_));
      buf_ += "</td>";
    }
    buf_ += "</tr>\n";
  }

  void PrintLines(int section, const LayoutSection& layout, const TnpqPowerParam& params,
                  const vcl::TClientDataSet* row) {
    buf_ += "<div class=\"" + Classes(section, "lines") + "\">\n";
    for (const LayoutItem& item : layout.items) {
      buf_ += "<p>";
      if (!item.caption.empty() && item.kind != LayoutItem::Kind::kText) {
        buf_ += "<span class=\"caption\">";
        AppendEscaped(buf_, item.caption);
        buf_ += ":</span> ";
      }
      AppendMultiline(buf_, ItemValue(item, params, row, captions_));
      buf_ += "</p>\n";
    }
    buf_ += "</div>\n";
  }

  void PrintUndescribed(int section, const TnpqPowerParam& params,
                        const vcl::TClientDataSet* row) {
    buf_ += "<div class=\"" + Classes(section, "lines") + "\"><p>";
    bool first = true;
    for (const auto& [name, value] : UndescribedSection(params, row)) {
      if (!first) buf_ += " &nbsp; ";
      first = false;
      buf_ += "<span class=\"caption\">";
      AppendEscaped(buf_, name);
      buf_ += ":</span> ";
      AppendMultiline(buf_, value);
    }
    buf_ += "</p></div>\n";
  }

  void Flush() {
    if (buf_.empty()) return;
    out_.write(buf_.data(), static_cast<std::streamsize>(buf_.size()));
    buf_.clear();
  }

  std::ostream& out_;
  const TnLayout layout_;
  std::set<int> zebra_;
  std::string buf_;
  TnpqPowerParam final_values_;  // printed values as they stand, for the footer
  ObjectCaptions captions_;
  bool page_open_ = false;
  bool wrote_something_ = false;
  int run_ = -1;  // the table section whose table is open, -1 when none
  unsigned zebra_count_ = 0;
};

}  // namespace

std::unique_ptr<TnReportSink> MakeHtmlSink(std::ostream& out, const TnLayout& layout,
                                           std::vector<int> zebra) {
  return std::make_unique<HtmlSink>(out, layout, std::move(zebra));
}

}  // namespace printworks
