#include "swf/tags_text.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::Bytes;
using test::Concat;

void FillText(TSWFDefineText& text) {
  text.CharacterID = 5;
  text.TextBounds = TSWFRect(0, 0, 100, 50);
  text.GlyphBits = 2;
  text.AdvanceBits = 8;
  TSWFTextRecord& record = text.AddTextRecord();
  record.SetFontID(1);
  record.TextColor().SetRGBA(PackRGBA(0xFF, 0, 0, 0x80));
  record.SetXOffset(10);
  record.SetYOffset(20);
  record.SetTextHeight(240);
  record.GlyphEntries = {{1, 100}, {2, -3}};
}

const Bytes kTextHead = {0x05, 0x00, 0x40, 0x03, 0x20, 0x01, 0x90,
                         0x00, 0x02, 0x08, 0x8F, 0x01, 0x00};
const Bytes kTextTail = {0x0A, 0x00, 0x14, 0x00, 0xF0, 0x00, 0x02, 0x59, 0x2F, 0xD0, 0x00};

TEST(DefineTextTag, ColourWidthFollowsTheTag) {
  TSWFDefineText text;
  FillText(text);
  const Bytes rgb = Concat({kTextHead, {0xFF, 0x00, 0x00}, kTextTail});
  EXPECT_EQ(test::BodyBytes(text), rgb);
  TSWFDefineText2 text2;
  FillText(text2);
  const Bytes rgba = Concat({kTextHead, {0xFF, 0x00, 0x00, 0x80}, kTextTail});
  EXPECT_EQ(test::BodyBytes(text2), rgba);
  EXPECT_EQ(text2.MinVersion(), 3);

  for (auto [code, body] : {std::pair{uint16_t{11}, rgb}, std::pair{uint16_t{33}, rgba}}) {
    auto read = test::ReadTag(code, body);
    EXPECT_EQ(test::BodyBytes(*read), body);
    auto& back = dynamic_cast<TSWFDefineText&>(*read);
    ASSERT_EQ(back.TextRecords.size(), 1u);
    const TSWFTextRecord& record = *back.TextRecords[0];
    EXPECT_EQ(record.FontID(), 1);
    EXPECT_EQ(record.TextHeight(), 240);
    EXPECT_EQ(record.XOffset(), 10);
    EXPECT_EQ(record.YOffset(), 20);
    EXPECT_EQ(record.GlyphEntries, (std::vector<TSWFGlyphEntry>{{1, 100}, {2, -3}}));
    EXPECT_EQ(record.ExistingTextColor()->Alpha(), code == 33 ? 0x80 : 0xFF);
  }
}

TEST(DefineTextTag, RecordsWithoutStyleAndTheEmptyText) {
  TSWFDefineText text;
  text.GlyphBits = 1;
  text.AdvanceBits = 4;
  text.AddTextRecord().GlyphEntries = {{1, 5}};
  TSWFTextRecord& second = text.AddTextRecord();
  second.SetYOffset(-1);
  const Bytes body = {0x00, 0x00, 0x00, 0x00, 0x01, 0x04, 0x80,
                      0x01, 0xA8, 0x82, 0xFF, 0xFF, 0x00, 0x00};
  EXPECT_EQ(test::BodyBytes(text), body);
  EXPECT_EQ(test::BodyBytes(*test::ReadTag(TTagCode::DefineText, body)), body);
  TSWFDefineText empty;
  EXPECT_EQ(test::BodyBytes(empty), (Bytes{0, 0, 0, 0, 0, 0, 0}));
}

// A record holds at most 255 glyphs; the rest continue in records that carry the pen position.
TEST(DefineTextTag, LongRecordsAreSplit) {
  TSWFDefineText text;
  text.GlyphBits = 1;
  text.AdvanceBits = 5;
  TSWFTextRecord& record = text.AddTextRecord();
  record.SetXOffset(100);
  record.GlyphEntries.assign(300, {1, 10});
  auto read = test::ReadTag(TTagCode::DefineText, test::BodyBytes(text));
  auto& back = dynamic_cast<TSWFDefineText&>(*read);
  ASSERT_EQ(back.TextRecords.size(), 2u);
  EXPECT_EQ(back.TextRecords[0]->GlyphEntries.size(), 255u);
  EXPECT_EQ(back.TextRecords[1]->GlyphEntries.size(), 45u);
  EXPECT_TRUE(back.TextRecords[1]->StyleFlagsHasXOffset);
  EXPECT_EQ(back.TextRecords[1]->XOffset(), 100 + 255 * 10);
  EXPECT_FALSE(back.TextRecords[1]->StyleFlagsHasFont);
}

void FillEdit(TSWFDefineEditText& edit) {
  edit.CharacterID = 2;
  edit.WordWrap = edit.Multiline = edit.Password = edit.ReadOnly = true;
  edit.HasFont = true;
  edit.FontID = 3;
  edit.FontHeight = 240;
  edit.TextColor().SetRGBA(0x44332211);
  edit.HasMaxLength = true;
  edit.MaxLength = 10;
  edit.AutoSize = edit.NoSelect = edit.Border = edit.HTML = edit.UseOutlines = true;
  edit.HasLayout = true;
  edit.Align = 2;
  edit.LeftMargin = 1;
  edit.RightMargin = 2;
  edit.Indent = -3;
  edit.Leading = 4;
  edit.VariableName = "v";
  edit.FontClass = "X";
  edit.SetInitialText("<b>\xe9</b>");
}

TEST(DefineEditTextTag, EveryOptionAndTheFontClassRule) {
  TSWFDefineEditText edit;
  FillEdit(edit);
  edit.Version = 8;
  const Bytes tail = Concat({{0xF0, 0x00, 0x11, 0x22, 0x33, 0x44, 0x0A, 0x00, 0x02, 0x01, 0x00,
                              0x02, 0x00, 0xFD, 0xFF, 0x04, 0x00, 'v', 0x00},
                             test::StringBytes("<b>\xe9</b>")});  // HTML is written as held
  const Bytes v8 = Concat({{0x02, 0x00, 0x00, 0xFF, 0x7B, 0x03, 0x00}, tail});
  EXPECT_EQ(test::BodyBytes(edit), v8);
  EXPECT_FALSE(edit.HasFontClass);
  EXPECT_EQ(edit.MinVersion(), 6);
  edit.Version = 9;
  EXPECT_EQ(test::BodyBytes(edit),
            Concat({{0x02, 0x00, 0x00, 0xFF, 0xFB, 0x03, 0x00, 'X', 0x00}, tail}));
  EXPECT_EQ(edit.MinVersion(), 9);
  edit.FontClass.clear();
  EXPECT_EQ(test::BodyBytes(edit)[4], 0x7B);
  edit.AutoSize = false;
  EXPECT_EQ(edit.MinVersion(), 4);

  auto read = test::ReadTag(TTagCode::DefineEditText, v8);
  auto& back = dynamic_cast<TSWFDefineEditText&>(*read);
  back.Version = 8;
  EXPECT_EQ(test::BodyBytes(back), v8);
  EXPECT_EQ(back.Indent, -3);
  EXPECT_EQ(back.ExistingTextColor()->RGBA(), 0x44332211u);
  EXPECT_EQ(back.InitialText(), "<b>\xe9</b>");
  // A version 9 file's font class comes back.
  TSWFDefineEditText v9;
  FillEdit(v9);
  v9.Version = 9;
  const Bytes withClass = test::BodyBytes(v9);
  TSWFDefineEditText classRead;
  classRead.Version = 9;
  classRead.BodySize = static_cast<uint32_t>(withClass.size());
  TMemoryStream stream(withClass);
  TBitsEngine engine(stream);
  classRead.ReadFromStream(engine);
  EXPECT_TRUE(classRead.HasFontClass);
  EXPECT_EQ(classRead.FontClass, "X");
  EXPECT_EQ(classRead.FontHeight, 240);
  EXPECT_EQ(test::BodyBytes(classRead), withClass);
}

TEST(DefineEditTextTag, TextEncodings) {
  TSWFDefineEditText edit;
  edit.SetInitialText("\xe9");
  edit.Version = 5;
  EXPECT_EQ(test::BodyBytes(edit), (Bytes{0, 0, 0, 0x80, 0x00, 0x00, 0xE9, 0x00}));
  edit.Version = 6;
  EXPECT_EQ(test::BodyBytes(edit), (Bytes{0, 0, 0, 0x80, 0x00, 0x00, 0xC3, 0xA9, 0x00}));
  // Unicode text wins and ends with exactly one zero byte.
  edit.SetWideInitialText(u"\u0416\u00e9");
  EXPECT_EQ(test::BodyBytes(edit),
            (Bytes{0, 0, 0, 0x80, 0x00, 0x00, 0xD0, 0x96, 0xC3, 0xA9, 0x00}));
  // Strings of a version 6 file are UTF-8 already: read and written again they stay the same.
  TSWFDefineEditText named;
  named.Version = 6;
  named.VariableName = "\xe9";
  named.SetWideInitialText(u"\u0416");
  const Bytes body = test::BodyBytes(named);
  EXPECT_EQ(body, (Bytes{0, 0, 0, 0x80, 0x00, 0xC3, 0xA9, 0x00, 0xD0, 0x96, 0x00}));
  EXPECT_EQ(test::BodyBytes(*test::ReadTag(TTagCode::DefineEditText, body)), body);
  auto read = test::ReadTag(TTagCode::DefineEditText, body);
  auto& back = dynamic_cast<TSWFDefineEditText&>(*read);
  back.VariableName = "a\xe9";  // a changed name is converted again
  EXPECT_EQ(test::BodyBytes(back)[5], 'a');
  EXPECT_EQ(test::BodyBytes(back)[6], 0xC3);
}

TEST(CSMTextSettingsTag, Bytes) {
  TSWFCSMTextSettings settings;
  settings.TextID = 5;
  settings.UseFlashType = 1;
  settings.GridFit = 2;
  settings.Thickness = 1.5f;
  settings.Sharpness = -2.0f;
  const Bytes body = {0x05, 0x00, 0x50, 0x00, 0x00, 0xC0, 0x3F, 0x00, 0x00, 0x00, 0xC0, 0x00};
  EXPECT_EQ(test::BodyBytes(settings), body);
  auto read = test::ReadTag(TTagCode::CSMTextSettings, body);
  auto& back = dynamic_cast<TSWFCSMTextSettings&>(*read);
  EXPECT_EQ(back.UseFlashType, 1);
  EXPECT_EQ(back.GridFit, 2);
  EXPECT_EQ(back.Thickness, 1.5f);
  EXPECT_EQ(back.Sharpness, -2.0f);
  EXPECT_EQ(back.MinVersion(), 8);
}

TEST(TextTagsBadInput, TruncatedAndLyingBodies) {
  TSWFDefineText2 text;
  FillText(text);
  TSWFDefineEditText edit;
  FillEdit(edit);
  for (auto [code, body] : {std::pair{uint16_t{33}, test::BodyBytes(text)},
                            std::pair{uint16_t{37}, test::BodyBytes(edit)}}) {
    for (size_t n = 0; n < body.size(); ++n) {
      try {
        test::ReadTag(code, Bytes(body.begin(), body.begin() + n));
      } catch (const Error&) {
      }
    }
  }
  // 255 glyphs of 31 + 31 bits declared in a few bytes.
  EXPECT_THROW(
      test::ReadTag(TTagCode::DefineText, {0x01, 0x00, 0x00, 0x00, 0x1F, 0x1F, 0x80, 0xFF, 0x00}),
      StreamError);
  // Field widths no glyph entry can hold.
  EXPECT_THROW(test::ReadTag(TTagCode::DefineText, {0x01, 0x00, 0x00, 0x00, 0x40, 0x01, 0x00}),
               FormatError);
  // A body that ends without the closing zero still reads.
  auto open =
      test::ReadTag(TTagCode::DefineText, {0x01, 0x00, 0x00, 0x00, 0x01, 0x01, 0x80, 0x01, 0x80});
  EXPECT_EQ(dynamic_cast<TSWFDefineText&>(*open).TextRecords.size(), 1u);
}

}  // namespace
}  // namespace orvanta
