#include "render/text_layout.h"

#include <gtest/gtest.h>

#include "render/display_list.h"
#include "swf/tags_font.h"
#include "swf/tags_text.h"

namespace orvanta::render {
namespace {

// A field in the system serif face (no font tag), 400 x 200 pixels.
std::unique_ptr<TSWFDefineEditText> Field(const std::u16string& text, bool html) {
  auto field = std::make_unique<TSWFDefineEditText>();
  field->Bounds = TSWFRect(0, 0, 8000, 4000);
  field->HTML = html;
  field->SetWideInitialText(text);
  return field;
}

TEST(TextLayout, HtmlFormatsParagraphsAndEntities) {
  TCharacterDictionary dictionary;
  TTextLayout layout(dictionary);
  TTextDrawing d = layout.EditText(*Field(
      u"<p align=\"right\"><font color=\"#FF0000\" size=\"20\">A</font></p><p>B&amp;<u>C</u></p>",
      true));
  // A, B, &, C and C's underline.
  ASSERT_EQ(d.Glyphs.size(), 5u);
  EXPECT_EQ(d.Glyphs[0].Color, (TRGBA{255, 0, 0, 255}));
  EXPECT_EQ(d.Glyphs[1].Color, (TRGBA{0, 0, 0, 255}));
  // 20 pixels: outlines at 1024 units per em scaled to 400 twips.
  EXPECT_NEAR(d.Glyphs[0].Transform.A, 400.0 / 1024, 1e-9);
  EXPECT_NEAR(d.Glyphs[1].Transform.A, 240.0 / 1024, 1e-9);
  // Right-aligned at the far end of the box (less its gutter); the next paragraph starts at
  // the left on a lower line.
  EXPECT_GT(d.Glyphs[0].Transform.TX, 7000);
  EXPECT_NEAR(d.Glyphs[1].Transform.TX, 40, 1e-9);
  EXPECT_GT(d.Glyphs[1].Transform.TY, d.Glyphs[0].Transform.TY + 240);
  // The underline runs under C, just below the baseline.
  EXPECT_NEAR(d.Glyphs[4].Transform.TX, d.Glyphs[3].Transform.TX, 1e-9);
  EXPECT_GT(d.Glyphs[4].Transform.TY, d.Glyphs[3].Transform.TY);
  EXPECT_TRUE(d.Clip);
  EXPECT_FALSE(d.HasBorder);

  // Without HTML the markup is text.
  EXPECT_EQ(layout.EditText(*Field(u"<b>", false)).Glyphs.size(), 3u);
}

TEST(TextLayout, WordWrapAndPasswords) {
  TCharacterDictionary dictionary;
  TTextLayout layout(dictionary);
  auto owned = Field(u"aaaa bbbb", false);
  TSWFDefineEditText& field = *owned;
  field.Bounds = TSWFRect(0, 0, 900, 4000);  // room for about one word of 12 pixels
  TTextDrawing oneLine = layout.EditText(field);
  field.WordWrap = true;
  TTextDrawing wrapped = layout.EditText(field);
  ASSERT_EQ(wrapped.Glyphs.size(), 9u);
  EXPECT_DOUBLE_EQ(oneLine.Glyphs[5].Transform.TY, oneLine.Glyphs[0].Transform.TY);
  EXPECT_GT(wrapped.Glyphs[5].Transform.TY, wrapped.Glyphs[0].Transform.TY);
  EXPECT_NEAR(wrapped.Glyphs[5].Transform.TX, 40, 1e-9);

  field.Password = true;
  field.WordWrap = false;
  TTextDrawing hidden = layout.EditText(field);
  ASSERT_EQ(hidden.Glyphs.size(), 9u);
  EXPECT_EQ(hidden.Glyphs[0].Outline, hidden.Glyphs[8].Outline);  // all asterisks
}

TEST(TextLayout, StaticTextPlacesGlyphsByTheirRecords) {
  TCharacterDictionary dictionary;
  TSWFDefineFont3 font;
  font.FontID = 5;
  font.GlyphShapeTable.resize(2);
  for (auto& glyph : font.GlyphShapeTable) {
    auto start = std::make_unique<TSWFStyleChangeRecord>();
    start->SetFillStyle1(1);
    glyph.push_back(std::move(start));
    glyph.push_back(std::make_unique<TSWFStraightEdgeRecord>(20480, 0));
    glyph.push_back(std::make_unique<TSWFStraightEdgeRecord>(0, -20480));
    glyph.push_back(std::make_unique<TSWFStraightEdgeRecord>(-20480, 20480));
  }
  dictionary.Define(font);

  TSWFDefineText text;
  text.TextMatrix.SetTranslate(100, 200);
  TSWFTextRecord& first = text.AddTextRecord();
  first.SetFontID(5);
  first.SetTextHeight(400);
  first.TextColor().SetRGBA(PackRGBA(1, 2, 3, 255));
  first.SetXOffset(10);
  first.SetYOffset(300);
  first.GlyphEntries = {{0, 250}, {1, 250}, {7, 100}};  // index 7 does not exist
  TSWFTextRecord& second = text.AddTextRecord();
  second.SetYOffset(700);
  second.GlyphEntries = {{1, 0}};

  TTextLayout layout(dictionary);
  TTextDrawing d = layout.StaticText(text);
  ASSERT_EQ(d.Glyphs.size(), 3u);
  EXPECT_NEAR(d.Glyphs[0].Transform.A, 400.0 / 20480, 1e-12);
  EXPECT_DOUBLE_EQ(d.Glyphs[0].Transform.TX, 110);
  EXPECT_DOUBLE_EQ(d.Glyphs[0].Transform.TY, 500);
  EXPECT_DOUBLE_EQ(d.Glyphs[1].Transform.TX, 360);
  // The pen goes on past the missing glyph; the colour and font carry over.
  EXPECT_DOUBLE_EQ(d.Glyphs[2].Transform.TX, 710);
  EXPECT_DOUBLE_EQ(d.Glyphs[2].Transform.TY, 900);
  EXPECT_EQ(d.Glyphs[2].Color, (TRGBA{1, 2, 3, 255}));
  ASSERT_FALSE(d.Glyphs[0].Outline->Layers.empty());
  EXPECT_EQ(d.Glyphs[0].Outline->Layers[0].Fills.size(), 1u);
}

}  // namespace
}  // namespace orvanta::render
