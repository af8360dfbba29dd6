#include "host/printworks/layout.h"

#include <gtest/gtest.h>

#include "host/vcl/exceptions.h"

namespace printworks {
namespace {

TEST(TnLayout, ParsesEveryPart) {
  TnLayout layout = TnLayout::Parse(R"({
    "title": "Países", "query": "select 1 from rdb$database",
    "form": [{"name": "pOrdenar", "caption": "Ordem", "default": "0",
              "choices": [{"value": "0", "text": "Código"}, {"value": "1", "text": "Nome"}]},
             {"name": "pCodigo", "default": 5}],
    "heading": ["pNomeEmpresa", "pInscrFederal"],
    "sections": {"8": {"items": [{"param": "pA", "caption": "A", "width": 4, "align": "right"},
                                 {"field": "F"}, {"object": "o"}, {"text": "T"}]},
                 "12": {"style": "lines"}}})");
  EXPECT_EQ(layout.title, "Países");
  EXPECT_EQ(layout.query, "select 1 from rdb$database");
  ASSERT_EQ(layout.form.size(), 2u);
  EXPECT_EQ(layout.form[0].choices[1].text, "Nome");
  EXPECT_EQ(layout.form[1].default_text, "5");
  EXPECT_EQ(layout.heading.size(), 2u);
  const LayoutSection& s8 = layout.sections.at(8);
  ASSERT_EQ(s8.items.size(), 4u);
  EXPECT_EQ(s8.style, "table");
  EXPECT_TRUE(s8.items[0].align_right);
  EXPECT_EQ(s8.items[0].width, 4);
  EXPECT_EQ(s8.items[1].kind, LayoutItem::Kind::kField);
  EXPECT_EQ(s8.items[2].kind, LayoutItem::Kind::kObject);
  EXPECT_EQ(s8.items[3].kind, LayoutItem::Kind::kText);
  EXPECT_EQ(layout.sections.at(12).style, "lines");
}

TEST(TnLayout, RefusesMalformedLayouts) {
  const char* bad[] = {
      "{",                                              // not JSON
      "[]",                                             // not an object
      R"({"sections": {"oito": {}}})",                 // section number
      R"({"sections": {"8": {"items": [{"caption": "x"}]}}})",  // item of no kind
      R"({"sections": {"8": {"style": "grid"}}})",     // unknown style
      R"({"form": [{"caption": "sem nome"}]})",
  };
  for (const char* text : bad) {
    SCOPED_TRACE(text);
    EXPECT_THROW(TnLayout::Parse(text), vcl::Exception);
  }
  EXPECT_THROW(TnLayout::LoadFile("/nonexistent/layout.json"), vcl::Exception);
}

}  // namespace
}  // namespace printworks
