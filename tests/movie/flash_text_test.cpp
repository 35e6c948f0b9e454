#include "movie/flash_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "media/swf_reader.h"
#include "movie/flash_edges.h"
#include "movie/flash_font.h"
#include "movie/flash_movie.h"
#include "swf/tags_font.h"
#include "swf/tags_text.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::Bytes;

struct PixelMovie {
  TFlashMovie movie{0, 0, 8000, 6000, 12};
  TFlashFont* font;
  explicit PixelMovie(bool bold = false, bool italic = false) {
    movie.SetPixelUnits(true);
    movie.SetVersion(8);
    TFontDescription description;
    description.Name = "Arial";
    description.Height = -12;
    description.Bold = bold;
    description.Italic = italic;
    description.Charset = kAnsiCharset;
    font = movie.AddFont(description);
  }
};

// The one tag a builder object writes: its code and the object read from its body.
std::pair<uint16_t, std::unique_ptr<TSWFObject>> WrittenTag(TBasedSWFObject& obj, int version) {
  Bytes bytes = test::Written([&](TBitsEngine& e) { obj.WriteToStream(e); });
  const uint16_t code = (bytes[0] | bytes[1] << 8) >> 6;
  const size_t header = (bytes[0] & 0x3F) == 0x3F ? 6 : 2;
  auto tag = CreateTagByCode(code);
  if (auto* edit = dynamic_cast<TSWFDefineEditText*>(tag.get()))
    edit->Version = static_cast<uint8_t>(version);
  tag->BodySize = static_cast<uint32_t>(bytes.size() - header);
  TMemoryStream stream(Bytes(bytes.begin() + header, bytes.end()));
  TBitsEngine engine(stream);
  tag->ReadFromStream(engine);
  return {code, std::move(tag)};
}

TEST(FlashText, StaticTextTagFollowsTheColourAlpha) {
  PixelMovie m;
  TFlashText* opaque =
      m.movie.AddText("Hi", TSWFRGBA(PackRGBA(1, 2, 3, 255), false), m.font, {10, 20});
  TFlashText* translucent =
      m.movie.AddText("Hi", TSWFRGBA(PackRGBA(1, 2, 3, 128), true), m.font, {10, 20});
  EXPECT_EQ(opaque->MinVersion(), 3);
  auto [code, tag] = WrittenTag(*opaque, 8);
  EXPECT_EQ(code, 11);
  auto [code2, tag2] = WrittenTag(*translucent, 8);
  EXPECT_EQ(code2, 33);
  auto& text2 = dynamic_cast<TSWFDefineText&>(*tag2);
  EXPECT_EQ(text2.TextRecords[0]->ExistingTextColor()->RGBA(), PackRGBA(1, 2, 3, 128));
  EXPECT_EQ(text2.CharacterID, translucent->CharacterId());
}

// A 12-pixel font in a pixel movie has Size 240; a character 512 em units wide advances 120
// twips in a 240-twip text.
TEST(FlashText, GlyphAdvancesScaleWithTheHeight) {
  PixelMovie m;
  TFlashText* text = m.movie.AddText("ab", TSWFRGBA(), m.font, {0, 0});
  m.font->MakeGlyphs();
  m.font->FindChar('a')->Advance = 512;
  m.font->FindChar('b')->Advance = 1000;
  text->LetterSpacing = 3;
  auto [code, tag] = WrittenTag(*text, 8);
  auto& defineText = dynamic_cast<TSWFDefineText&>(*tag);
  ASSERT_EQ(defineText.TextRecords.size(), 1u);
  const TSWFTextRecord& record = *defineText.TextRecords[0];
  EXPECT_EQ(record.TextHeight(), 240);
  EXPECT_EQ(record.FontID(), m.font->CharacterId());
  EXPECT_EQ(record.GlyphEntries,
            (std::vector<TSWFGlyphEntry>{{0, 120 + 3}, {1, 234 + 3}}));  // 1000/1024*240
  EXPECT_EQ(defineText.GlyphBits, 1);
  EXPECT_EQ(defineText.AdvanceBits, 9);
  // The baseline sits an ascent below the top: round(927 / 1024 * 240) = 217.
  EXPECT_EQ(record.YOffset(), 217);
  EXPECT_FALSE(record.StyleFlagsHasXOffset);
}

TEST(FlashText, AutoBoundsFollowTheAlignment) {
  TFlashMovie movie(0, 0, 8000, 6000, 12);  // twips
  movie.SetVersion(8);
  TFontDescription description;
  description.Height = -240;
  TFlashFont* font = movie.AddFont(description);
  const std::string line = "Centred text";
  const int32_t width = font->TextExtent(line).Width;
  const int32_t height = font->TextExtent(line).Height;
  ASSERT_GT(width, 400);
  for (uint8_t align : {0, 1, 2, 3}) {
    TFlashText* text = movie.AddText(line, TSWFRGBA(), font, {100, 50}, align);
    EXPECT_TRUE(text->HasLayout);
    auto [code, tag] = WrittenTag(*text, 8);
    auto& defineText = dynamic_cast<TSWFDefineText&>(*tag);
    const int32_t left = align == 0 ? 100 : align == 1 ? 100 - width : 100 - width / 2;
    EXPECT_EQ(defineText.TextBounds, TSWFRect(left, 50, left + width, 50 + height)) << int(align);
    const TSWFTextRecord& record = *defineText.TextRecords[0];
    EXPECT_EQ(record.XOffset(), left);
    EXPECT_EQ(record.YOffset(), 50 + std::lround(927 / 1024.0 * 240));
    int32_t advances = 0;
    for (const TSWFGlyphEntry& entry : record.GlyphEntries) advances += entry.GlyphAdvance;
    EXPECT_NEAR(advances, width, static_cast<int32_t>(line.size()));
  }
  // A font height other than the font's size scales the measured box.
  TFlashText* doubled = movie.AddText(line, TSWFRGBA(), font, {0, 0});
  doubled->SetFontHeight(480);
  auto [code, tag] = WrittenTag(*doubled, 8);
  EXPECT_EQ(dynamic_cast<TSWFDefineText&>(*tag).TextBounds.Xmax(), 2 * width);
}

TEST(FlashText, GlyphIndicesFollowTheWrittenFont) {
  PixelMovie m;
  TFlashText* first = m.movie.AddText("cab\x80", TSWFRGBA(), m.font, {0, 0});
  TFlashText* second = m.movie.AddText(
      "\x9a"
      "a",
      TSWFRGBA(), m.font, {0, 0});
  // The font writes a, b, c, 0x80, 0x9A; the texts point at those positions.
  auto font = WrittenTag(*m.font, 8);
  EXPECT_EQ(dynamic_cast<TSWFDefineFont2&>(*font.second).CodeTable,
            (std::vector<uint16_t>{'a', 'b', 'c', 0x80, 0x9A}));
  auto indices = [](TFlashText& text) {
    auto [code, tag] = WrittenTag(text, 8);
    std::vector<uint32_t> out;
    for (const auto& entry : dynamic_cast<TSWFDefineText&>(*tag).TextRecords[0]->GlyphEntries)
      out.push_back(entry.GlyphIndex);
    return out;
  };
  EXPECT_EQ(indices(*first), (std::vector<uint32_t>{2, 0, 1, 3}));
  EXPECT_EQ(indices(*second), (std::vector<uint32_t>{4, 0}));
  // Wide text in the same font: codes become Unicode values, indices follow.
  TFlashText* wide = m.movie.AddDynamicText(u"\u0416a", TSWFRGBA(), m.font, {0, 0, 10, 10});
  wide->SetDynamic(false);
  EXPECT_EQ(indices(*wide), (std::vector<uint32_t>{4, 0}));
  EXPECT_EQ(indices(*first), (std::vector<uint32_t>{2, 0, 1, 5}));  // the euro sorts last now
}

TEST(FlashText, LongAndEmptyTexts) {
  PixelMovie m;
  TFlashText* longText = m.movie.AddText(std::string(300, 'x'), TSWFRGBA(), m.font, {5, 0});
  auto [code, tag] = WrittenTag(*longText, 8);
  auto& defineText = dynamic_cast<TSWFDefineText&>(*tag);
  ASSERT_EQ(defineText.TextRecords.size(), 2u);
  EXPECT_EQ(defineText.TextRecords[0]->GlyphEntries.size(), 255u);
  EXPECT_EQ(defineText.TextRecords[1]->GlyphEntries.size(), 45u);
  const int32_t advance = defineText.TextRecords[0]->GlyphEntries[0].GlyphAdvance;
  EXPECT_EQ(defineText.TextRecords[1]->XOffset(), 100 + 255 * advance);

  TFlashText* empty = m.movie.AddText("", TSWFRGBA(), m.font, {5, 5});
  auto [emptyCode, emptyTag] = WrittenTag(*empty, 8);
  EXPECT_EQ(emptyCode, 11);
  EXPECT_TRUE(dynamic_cast<TSWFDefineText&>(*emptyTag).TextRecords.empty());
  TFlashText noFont(&m.movie, "abc", TSWFRGBA(), nullptr, {0, 0}, 0);
  auto [noFontCode, noFontTag] = WrittenTag(noFont, 8);
  EXPECT_TRUE(dynamic_cast<TSWFDefineText&>(*noFontTag).TextRecords.empty());
}

TEST(FlashText, DynamicTextFields) {
  PixelMovie m;
  TFlashText* field = m.movie.AddDynamicText(u"Hello \u0416", TSWFRGBA(PackRGBA(9, 8, 7, 6), true),
                                             m.font, {10, 20, 110, 60});
  EXPECT_EQ(field->Text, "Hello ?");
  EXPECT_EQ(field->MinVersion(), 4);
  field->Multiline = field->WordWrap = field->Password = field->Border = true;
  field->SetMaxLength(70000);
  field->SetLeftMargin(2);
  field->SetRightMargin(3);
  field->SetIndent(-1);
  field->SetLeading(4);
  field->SetAlign(2);
  field->VariableName = "name";
  auto [code, tag] = WrittenTag(*field, 8);
  EXPECT_EQ(code, 37);
  auto& edit = dynamic_cast<TSWFDefineEditText&>(*tag);
  EXPECT_EQ(edit.CharacterID, field->CharacterId());
  EXPECT_EQ(edit.Bounds, TSWFRect(200, 400, 2200, 1200));
  EXPECT_TRUE(edit.HasFont);
  EXPECT_EQ(edit.FontID, m.font->CharacterId());
  EXPECT_EQ(edit.FontHeight, 240);
  EXPECT_EQ(edit.ExistingTextColor()->RGBA(), PackRGBA(9, 8, 7, 6));
  EXPECT_TRUE(edit.UseOutlines);
  EXPECT_TRUE(edit.Multiline && edit.WordWrap && edit.Password && edit.Border);
  EXPECT_FALSE(edit.ReadOnly || edit.NoSelect || edit.HTML || edit.AutoSize);
  EXPECT_EQ(edit.MaxLength, 65535);
  EXPECT_TRUE(edit.HasLayout);
  EXPECT_EQ(edit.Align, 2);
  EXPECT_EQ(edit.LeftMargin, 40);
  EXPECT_EQ(edit.RightMargin, 60);
  EXPECT_EQ(edit.Indent, -20);
  EXPECT_EQ(edit.Leading, 80);
  EXPECT_EQ(edit.VariableName, "name");
  EXPECT_EQ(edit.InitialText(), "Hello \xD0\x96");  // UTF-8, as read
  // The password field's asterisks are in the font it writes.
  EXPECT_EQ(m.font->FindChar('*'), nullptr);
  auto font = WrittenTag(*m.font, 8);
  const std::vector<uint16_t>& codes = dynamic_cast<TSWFDefineFont2&>(*font.second).CodeTable;
  EXPECT_NE(std::find(codes.begin(), codes.end(), '*'), codes.end());
  // Outlines come with the font unless it is a device font.
  TFlashFont* device = m.movie.AddFont(TFontDescription(), true);
  TFlashText* deviceField = m.movie.AddDynamicText(u"x", TSWFRGBA(), device, {0, 0, 10, 10});
  EXPECT_FALSE(dynamic_cast<TSWFDefineEditText&>(*WrittenTag(*deviceField, 8).second).UseOutlines);
  deviceField->SetUseOutlines(true);
  EXPECT_FALSE(device->AsDevice);
}

TEST(FlashText, HtmlWrapping) {
  PixelMovie m(true, false);
  TFlashText* field = m.movie.AddDynamicText(u"caf\u00e9", TSWFRGBA(), m.font, {0, 0, 10, 10});
  field->SetHTML(true);
  auto [code, tag] = WrittenTag(*field, 8);
  auto& edit = dynamic_cast<TSWFDefineEditText&>(*tag);
  EXPECT_TRUE(edit.HTML);
  EXPECT_EQ(edit.InitialText(), "<font face=\"Arial\"><b>caf\xC3\xA9</b></font>");

  // Static text made an HTML field keeps its cp1252 text, written as UTF-8 for version 6.
  PixelMovie italic(false, true);
  TFlashText* made = italic.movie.AddText("caf\xe9", TSWFRGBA(), italic.font, {1, 2});
  made->ReadOnly = made->NoSelect = true;
  made->SetHTML(true);
  EXPECT_TRUE(made->IsDynamic);
  EXPECT_FALSE(made->ReadOnly || made->NoSelect);
  EXPECT_EQ(made->MinVersion(), 6);  // it sizes itself
  auto [code2, tag2] = WrittenTag(*made, 8);
  auto& edit2 = dynamic_cast<TSWFDefineEditText&>(*tag2);
  EXPECT_EQ(edit2.InitialText(), "<font face=\"Arial\"><i>caf\xC3\xA9</i></font>");
  EXPECT_EQ(edit2.Bounds, TSWFRect(20, 40, 20, 40));  // a point at the origin
  EXPECT_TRUE(edit2.AutoSize);
}

// A whole movie: the font before the texts that use it, and a reader that sees them all.
TEST(FlashText, MovieWithFontsAndTexts) {
  PixelMovie m;
  m.movie.AddText("Static", TSWFRGBA(), m.font, {10, 10});
  TFlashText* field = m.movie.AddDynamicText(u"Field", TSWFRGBA(), m.font, {0, 40, 100, 60});
  m.movie.PlaceObject(field, 1);
  m.movie.ShowFrame();
  EXPECT_EQ(m.movie.Texts.size(), 2u);
  EXPECT_EQ(m.movie.MakeData(), 8);
  TMemoryStream file;
  m.movie.SaveToStream(file);
  file.SetPosition(0);
  TSWFStreamReader reader(file);
  reader.ParseTags(true, false);
  std::vector<uint16_t> codes;
  for (const auto& info : reader.TagList) codes.push_back(info->TagID);
  EXPECT_EQ(codes, (std::vector<uint16_t>{48, 11, 37, 26, 1, 0}));
  auto* font = dynamic_cast<TSWFDefineFont2*>(reader.TagInfo(0).TagObject());
  ASSERT_NE(font, nullptr);
  EXPECT_TRUE(font->FontFlagsHasLayout);
  EXPECT_EQ(font->CodeTable.size(), 9u);  // S t a i c, then F e l d
}

}  // namespace
}  // namespace orvanta
