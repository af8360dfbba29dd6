#include "host/printworks/sink.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "host/printworks/report.h"
#include "host/vcl/client_dataset.h"

namespace printworks {
namespace {

std::unique_ptr<vcl::TClientDataSet> TwoCountries() {
  auto ds = std::make_unique<vcl::TClientDataSet>();
  ds->AddField("CODIGOPAIS", vcl::TFieldType::ftInteger);
  ds->AddField("NOMEPAIS", vcl::TFieldType::ftString);
  ds->AppendRow();
  ds->SetInteger(0, 1);
  ds->SetString(1, "Brasil");
  ds->AppendRow();
  ds->SetInteger(0, 2);  // NOMEPAIS stays null
  ds->First();
  return ds;
}

// A small run touching every event of the trace.
void SmallRun(TnrwReport& report) {
  TnpqPowerParam& params = report.GetParams();
  params.SetValues("pNome", "Ana \"A\"\\B");
  report.RepPrintSection(8);
  report.CSLShowProgress(1, 2);
  report.SetDelphiObjCaption("oTexto", "linha 1\r\nlinha 2");
  params.SetValues("PNOME", "");
  if (report.DataSet()) report.DataSet()->Next();
  report.RepPrintSection(9);
  report.CSLShowProgress(2, 2);
  report.RepEndOfPage(true);
  report.RepEndOfPage(false);  // no event: only true ends the page
}

TEST(JsonlSink, WritesEveryEventExactly) {
  TnrwReport report;
  report.GetParams().AddItem("pOrdenar", "Ordem", "1", {{"0", "Código"}, {"1", "Nome"}});
  report.GetParams().AddItem("pDesde", "Desde", "").Control().SetEnabled(false);
  report.SetDataSet(TwoCountries());
  std::ostringstream out;
  auto sink = MakeJsonlSink(out);
  report.SetSink(sink.get());
  SmallRun(report);
  sink->OnError("Falhou\nde vez");
  sink->OnForm(report.GetParams());
  sink->Finish();
  EXPECT_EQ(out.str(),
            R"({"event":"set","name":"pNome","value":"Ana \"A\"\\B"})" "\n"
            R"({"event":"section","section":8,"params":{"pNome":"Ana \"A\"\\B"},"row":{"CODIGOPAIS":"1","NOMEPAIS":"Brasil"}})" "\n"
            R"({"event":"progress","current":1,"total":2})" "\n"
            R"({"event":"caption","object":"oTexto","text":"linha 1\r\nlinha 2"})" "\n"
            R"({"event":"set","name":"PNOME","value":""})" "\n"
            R"({"event":"section","section":9,"params":{"PNOME":""},"row":{"CODIGOPAIS":"2","NOMEPAIS":""}})" "\n"
            R"({"event":"progress","current":2,"total":2})" "\n"
            R"({"event":"page_end"})" "\n"
            R"({"event":"error","message":"Falhou\nde vez"})" "\n"
            R"({"event":"form","controls":[{"name":"pOrdenar","text":"Nome","value":"1","enabled":true},{"name":"pDesde","text":"","value":"","enabled":false}]})" "\n");
}

TEST(JsonlSink, LeavesOutRowWithoutDataSetAndKeepsTextValid) {
  TnrwReport report;
  std::ostringstream out;
  auto sink = MakeJsonlSink(out);
  report.SetSink(sink.get());
  report.GetParams().SetValues("pX", std::string("a\x01\tb\xE9", 5));  // control chars, Latin-1 byte
  report.RepPrintSection(10);
  sink->Finish();
  EXPECT_EQ(out.str(),
            R"({"event":"set","name":"pX","value":"a\u0001\tbé"})" "\n"
            R"({"event":"section","section":10,"params":{"pX":"a\u0001\tbé"}})" "\n");
}

TEST(JsonlSink, FlushesLargeRunsCompletely) {
  TnrwReport report;
  std::ostringstream out;
  auto sink = MakeJsonlSink(out);
  report.SetSink(sink.get());
  for (int i = 1; i <= 20000; ++i) {
    report.GetParams().SetValues("pN", std::to_string(i));
    report.RepPrintSection(8);
  }
  sink->Finish();
  const std::string text = out.str();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 40000);
  EXPECT_NE(text.find(R"({"event":"section","section":8,"params":{"pN":"20000"}})" "\n"),
            std::string::npos);
}

TnLayout CountryLayout() {
  return TnLayout::Parse(R"({
    "title": "Países",
    "heading": ["pNomeEmpresa"],
    "sections": {
      "8": {"items": [{"field": "CODIGOPAIS", "caption": "Código", "width": 6, "align": "right"},
                      {"field": "NOMEPAIS", "caption": "Nome", "width": 10},
                      {"object": "oTexto", "caption": "Obs"}]},
      "9": {"style": "lines", "items": [{"object": "oTexto", "caption": "Texto"},
                                         {"text": "Fim"}]}
    }})");
}

TEST(TextSink, PrintsPagesWithHeadingCaptionsColumnsAndRules) {
  TnrwReport report;
  report.SetDataSet(TwoCountries());
  std::ostringstream out;
  auto sink = MakeTextSink(out, CountryLayout());
  report.SetSink(sink.get());
  report.GetParams().SetValues("pNomeEmpresa", "0001 Imobiliária");
  report.RepPrintSection(8);
  report.SetDelphiObjCaption("oTexto", "um\r\ndois");
  report.DataSet()->Next();
  report.RepPrintSection(8);
  report.RepPrintSection(9);
  report.RepEndOfPage(true);
  report.RepPrintSection(8);
  sink->Finish();
  const std::string rule(80, '-');
  EXPECT_EQ(out.str(),
            "Países\n"
            "======\n"
            "0001 Imobiliária\n"
            "\n"
            "Código  Nome        Obs\n"
            "-----------------------\n"
            "     1  Brasil\n"
            "     2              um\n"
            "                    dois\n"
            "Texto: um\n"
            "       dois\n"
            "Fim\n" + rule + "\n"
            "\n"
            "Países\n"
            "======\n"
            "0001 Imobiliária\n"
            "\n"
            "Código  Nome        Obs\n"
            "-----------------------\n"
            "     2              um\n"
            "                    dois\n" + rule + "\n");
}

TEST(TextSink, UndescribedSectionsShowEveryPrintedValue) {
  TnrwReport report;
  std::ostringstream out;
  TnLayout layout;
  layout.title = "Probe";
  auto sink = MakeTextSink(out, layout);
  report.SetSink(sink.get());
  report.GetParams().SetValues("pA", "1");
  report.GetParams().SetValues("pB", "x\r\ny");
  report.RepPrintSection(8);
  sink->Finish();
  EXPECT_EQ(out.str(), "Probe\n=====\n\npA: 1  pB: x / y\n" + std::string(80, '-') + "\n");
}

TEST(TextSink, FooterShowsTheValuesTheReportEndsWith) {
  TnrwReport report;
  std::ostringstream out;
  TnLayout layout = TnLayout::Parse(R"({
    "title": "Saldo",
    "sections": {"8": {"items": [{"param": "pLinha", "width": 5}]}},
    "footer": {"items": [{"param": "pTotal", "width": 5}, {"param": "pGeral"}]}})");
  auto sink = MakeTextSink(out, layout);
  report.SetSink(sink.get());
  report.GetParams().SetValues("pLinha", "a");
  report.GetParams().SetValues("pTotal", "1");
  report.RepPrintSection(8);
  report.GetParams().SetValues("pTotal", "Total");  // set after the last section
  report.GetParams().SetValues("pGeral", "14");
  sink->Finish();
  EXPECT_EQ(out.str(), "Saldo\n=====\n\na\nTotal  14\n" + std::string(80, '-') + "\n");

  // Nothing printed: no page, so no footer either.
  std::ostringstream empty;
  auto empty_sink = MakeHtmlSink(empty, layout, {});
  empty_sink->OnSet("pTotal", "Total");
  empty_sink->Finish();
  EXPECT_EQ(empty.str().find("Total"), std::string::npos);
}

TEST(HtmlSink, EscapesTextsShadesListedSectionsAndBreaksPages) {
  TnrwReport report;
  report.SetDataSet(TwoCountries());
  std::ostringstream out;
  TnLayout layout = CountryLayout();
  layout.title = "A & <B>";
  auto sink = MakeHtmlSink(out, layout, {8});
  report.SetSink(sink.get());
  report.GetParams().SetValues("pNomeEmpresa", "<script>alert('x')</script>");
  report.RepPrintSection(8);
  report.RepPrintSection(8);
  report.RepPrintSection(8);
  report.SetDelphiObjCaption("oTexto", "a\r\n\"b\"");
  report.RepPrintSection(9);
  report.RepEndOfPage(true);
  sink->Finish();
  const std::string html = out.str();
  EXPECT_NE(html.find("<title>A &amp; &lt;B&gt;</title>"), std::string::npos);
  EXPECT_NE(html.find("&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;"), std::string::npos);
  EXPECT_EQ(html.find("<script>"), std::string::npos);
  const auto first = html.find("<tr class=\"row s8\">");
  const auto second = html.find("<tr class=\"row s8 zebra\">");
  ASSERT_NE(first, std::string::npos);
  ASSERT_NE(second, std::string::npos);
  EXPECT_LT(first, second);
  EXPECT_NE(html.find("<div class=\"lines s9\">"), std::string::npos);  // not listed: no shade
  EXPECT_NE(html.find("a<br>&quot;b&quot;"), std::string::npos);
  EXPECT_NE(html.find("class=\"page-end\""), std::string::npos);
  EXPECT_EQ(html.substr(html.size() - 8), "</html>\n");
}

TEST(RecordingSink, RecordsEventsAndRows) {
  TnrwReport report;
  report.SetDataSet(TwoCountries());
  TnRecordingSink sink;
  report.SetSink(&sink);
  SmallRun(report);
  EXPECT_EQ(sink.Lines(), (std::vector<std::string>{
                              "set pNome=Ana \"A\"\\B", "section 8", "progress 1/2",
                              "caption oTexto=linha 1\r\nlinha 2", "set PNOME=", "section 9",
                              "progress 2/2", "page_end"}));
  using Values = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(sink.Events()[1].row, (Values{{"CODIGOPAIS", "1"}, {"NOMEPAIS", "Brasil"}}));
  EXPECT_EQ(sink.Events()[5].params, (Values{{"PNOME", ""}}));
}

}  // namespace
}  // namespace printworks
