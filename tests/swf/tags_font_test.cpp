#include "swf/tags_font.h"

#include <gtest/gtest.h>

#include "media/swf_reader.h"
#include "platform/errors.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::Bytes;
using test::Concat;

// A glyph outline: move to (10, 0) selecting fill style 1's slot (index 0), one edge up by 10.
TSWFShapeRecordList Glyph() {
  TSWFShapeRecordList records;
  auto start = std::make_unique<TSWFStyleChangeRecord>();
  start->StateFillStyle1 = true;
  start->SetMoveTo(10, 0);
  records.push_back(std::move(start));
  records.push_back(std::make_unique<TSWFStraightEdgeRecord>(0, 10));
  return records;
}

// Glyph() as DefineFont2 writes it: the first record selects fill 1 and a line style (0 bits).
const Bytes kGlyph2 = {0x10, 0x34, 0xAA, 0x07, 0x35, 0x40, 0x00};
// Glyph() as DefineFont writes it: the selection of index 0 kept.
const Bytes kGlyph1 = {0x10, 0x14, 0xAA, 0x03, 0x35, 0x40, 0x00};

std::unique_ptr<TSWFDefineFont2> LayoutFont(bool wideCodes) {
  auto owned = std::make_unique<TSWFDefineFont2>();
  TSWFDefineFont2& font = *owned;
  font.FontID = 7;
  font.GlyphShapeTable.push_back(Glyph());
  font.CodeTable = {'A'};
  font.FontFlagsHasLayout = true;
  font.FontFlagsWideCodes = wideCodes;
  font.FontFlagsBold = true;
  font.LanguageCode = 1;
  font.FontName = "Ab";
  font.FontAscent = 927;
  font.FontDescent = 217;
  font.FontLeading = 120;
  font.FontAdvanceTable = {500};
  font.FontBoundsTable = {TSWFRect()};
  font.FontKerningTable = {{'A', 'A', -20}};
  return owned;
}

Bytes Rewritten(uint16_t code, const Bytes& body) {
  auto tag = test::ReadTag(code, body);
  return test::BodyBytes(*tag);
}

TEST(DefineFont2Tag, LayoutFontBytesAndRoundTrip) {
  auto narrowFont = LayoutFont(false);
  TSWFDefineFont2& narrow = *narrowFont;
  const Bytes expected = Concat({{0x07, 0x00, 0x81, 0x01, 0x02, 'A', 'b', 0x01, 0x00},
                                 {0x04, 0x00, 0x0B, 0x00},  // glyph, then code table offset
                                 kGlyph2,
                                 {'A'},
                                 {0x9F, 0x03, 0xD9, 0x00, 0x78, 0x00},  // ascent, descent, leading
                                 {0xF4, 0x01, 0x00},                    // advance 500, empty rect
                                 {0x01, 0x00, 'A', 'A', 0xEC, 0xFF}});
  EXPECT_EQ(test::BodyBytes(narrow), expected);
  EXPECT_EQ(Rewritten(48, expected), expected);

  auto wideFont = LayoutFont(true);
  TSWFDefineFont2& wide = *wideFont;
  const Bytes wideBody = test::BodyBytes(wide);
  EXPECT_EQ(wideBody[2], 0x85);
  EXPECT_EQ(Bytes(wideBody.begin() + 20, wideBody.begin() + 22), (Bytes{'A', 0}));
  EXPECT_EQ(Bytes(wideBody.end() - 8, wideBody.end()),
            (Bytes{0x01, 0x00, 'A', 0x00, 'A', 0x00, 0xEC, 0xFF}));

  auto read = test::ReadTag(TTagCode::DefineFont2, wideBody);
  auto& font = dynamic_cast<TSWFDefineFont2&>(*read);
  EXPECT_EQ(font.FontID, 7);
  EXPECT_EQ(font.CodeTable, std::vector<uint16_t>{'A'});
  EXPECT_EQ(font.FontName, "Ab");
  EXPECT_EQ(font.LanguageCode, 1);
  EXPECT_TRUE(font.FontFlagsBold);
  EXPECT_EQ(font.FontAscent, 927);
  EXPECT_EQ(font.FontLeading, 120);
  EXPECT_EQ(font.FontAdvanceTable, std::vector<int16_t>{500});
  ASSERT_EQ(font.FontKerningTable.size(), 1u);
  EXPECT_EQ(font.FontKerningTable[0], (TSWFKerningRecord{'A', 'A', -20}));
  ASSERT_EQ(font.GlyphShapeTable.size(), 1u);
  EXPECT_EQ(font.GlyphShapeTable[0].size(), 3u);  // style change, edge, end
}

TEST(DefineFont2Tag, WithoutCodesIsAnAnsiFontWithoutLayout) {
  TSWFDefineFont2 font;
  font.FontID = 1;
  font.FontFlagsHasLayout = true;
  font.FontName = "Ab";
  EXPECT_EQ(test::BodyBytes(font),
            (Bytes{0x01, 0x00, 0x10, 0x00, 0x02, 'A', 'b', 0x00, 0x00, 0x02, 0x00}));
  EXPECT_TRUE(font.FontFlagsANSI);
  // Device fonts of other writers end after the glyph count; with layout, the layout follows.
  for (const Bytes& body : {Bytes{0x01, 0x00, 0x04, 0x01, 0x02, 'A', 'b', 0x00, 0x00},
                            Bytes{0x01, 0x00, 0x10, 0x00, 0x02, 'A', 'b', 0x00, 0x00, 0x02, 0x00},
                            Bytes{0x01, 0x00, 0x80, 0x00, 0x02, 'A', 'b', 0x00, 0x00, 0x10, 0x00,
                                  0x04, 0x00, 0x01, 0x00, 0x00, 0x00}}) {
    auto read = test::ReadTag(TTagCode::DefineFont2, body);
    auto& device = dynamic_cast<TSWFDefineFont2&>(*read);
    EXPECT_EQ(device.FontName, "Ab");
    EXPECT_TRUE(device.GlyphShapeTable.empty());
    EXPECT_TRUE(device.CodeTable.empty());
    if (device.FontFlagsHasLayout) {
      EXPECT_EQ(device.FontAscent, 16);
    }
  }
  TSWFDefineFont3 font3;
  EXPECT_EQ(test::TagBytes(font3)[0] >> 6 | test::TagBytes(font3)[1] << 2, 75);
  EXPECT_EQ(test::BodyBytes(font3)[2], 0x14);  // ANSI and wide codes
}

TEST(DefineFont2Tag, OffsetWidthFollowsGlyphCountAndDataSize) {
  for (size_t count : {128u, 129u}) {
    TSWFDefineFont2 font;
    for (size_t i = 0; i < count; ++i) {
      font.GlyphShapeTable.push_back(Glyph());
      font.CodeTable.push_back(static_cast<uint16_t>(i));
    }
    const Bytes body = test::BodyBytes(font);
    const bool wide = count > 128;
    EXPECT_EQ((body[2] & 0x08) != 0, wide) << count;
    const size_t tableSize = (count + 1) * (wide ? 4 : 2);
    // The last entry points past the glyphs, at the code table.
    const size_t codeOffset = tableSize + count * kGlyph2.size();
    const size_t last = 7 + tableSize - (wide ? 4 : 2);
    uint32_t stored = body[last] | body[last + 1] << 8;
    if (wide) stored |= uint32_t(body[last + 2]) << 16 | uint32_t(body[last + 3]) << 24;
    EXPECT_EQ(stored, codeOffset) << count;
    EXPECT_EQ(Rewritten(48, body), body);
  }
  // Few glyphs whose data outgrows 16-bit offsets still get offsets that reach them.
  TSWFDefineFont2 big;
  for (int g = 0; g < 2; ++g) {
    TSWFShapeRecordList outline = Glyph();
    for (int i = 0; i < 20000; ++i)
      outline.push_back(std::make_unique<TSWFStraightEdgeRecord>(1000, 1000));
    big.GlyphShapeTable.push_back(std::move(outline));
    big.CodeTable.push_back(static_cast<uint16_t>('a' + g));
  }
  const Bytes body = test::BodyBytes(big);
  ASSERT_GT(body.size(), 65536u);
  EXPECT_TRUE(big.FontFlagsWideOffsets);
  auto read = test::ReadTag(TTagCode::DefineFont2, body);
  auto& font = dynamic_cast<TSWFDefineFont2&>(*read);
  ASSERT_EQ(font.GlyphShapeTable.size(), 2u);
  EXPECT_EQ(font.GlyphShapeTable[1].size(), 20003u);
  EXPECT_EQ(font.CodeTable, (std::vector<uint16_t>{'a', 'b'}));
}

// Glyphs may share their bytes or stand out of order: each runs from its offset to its end.
TEST(DefineFont2Tag, GlyphsSharingTheirData) {
  const Bytes body = Concat({{0x01, 0x00, 0x00, 0x00, 0x00, 0x03, 0x00},
                             {0x0F, 0x00, 0x08, 0x00, 0x08, 0x00, 0x16, 0x00},
                             kGlyph2,
                             kGlyph2,
                             {'a', 'b', 'c'}});
  auto read = test::ReadTag(TTagCode::DefineFont2, body);
  auto& font = dynamic_cast<TSWFDefineFont2&>(*read);
  ASSERT_EQ(font.GlyphShapeTable.size(), 3u);
  for (const auto& glyph : font.GlyphShapeTable) EXPECT_EQ(glyph.size(), 3u);
  EXPECT_EQ(font.CodeTable, (std::vector<uint16_t>{'a', 'b', 'c'}));
}

TEST(DefineFont2Tag, GlyphWithoutEndRecordStopsAtTheNextGlyph) {
  // Two glyphs, each as its own offset says: the first a lone widths byte, the second a full
  // outline; then with the order of their data swapped.
  const Bytes head = {0x01, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00};
  const Bytes inOrder = Concat({head, {6, 0, 7, 0, 14, 0}, {0x10}, kGlyph2, {'a', 'b'}});
  const Bytes swapped = Concat({head, {13, 0, 6, 0, 14, 0}, kGlyph2, {0x10}, {'a', 'b'}});
  struct {
    Bytes Body;
    size_t First, Second;
  } cases[] = {{inOrder, 0, 3}, {swapped, 0, 3}};
  for (const auto& c : cases) {
    auto read = test::ReadTag(TTagCode::DefineFont2, c.Body);
    auto& font = dynamic_cast<TSWFDefineFont2&>(*read);
    ASSERT_EQ(font.GlyphShapeTable.size(), 2u);
    EXPECT_EQ(font.GlyphShapeTable[0].size(), c.First);
    EXPECT_EQ(font.GlyphShapeTable[1].size(), c.Second);
    EXPECT_EQ(font.CodeTable, (std::vector<uint16_t>{'a', 'b'}));
  }
  // Written back, the empty glyph gets its end record and nothing else.
  EXPECT_EQ(Rewritten(48, inOrder),
            Concat({head, {6, 0, 8, 0, 15, 0}, {0x10, 0x00}, kGlyph2, {'a', 'b'}}));
}

TEST(DefineFont2Tag, NameEncodingFollowsVersion) {
  TSWFDefineFont2 font;
  font.FontName = "Caf\xe9 X";  // six cp1252 characters, one above 127
  font.Version = 6;
  Bytes v6 = test::BodyBytes(font);
  EXPECT_EQ(v6[4], 7);
  EXPECT_EQ(Bytes(v6.begin() + 5, v6.begin() + 12), test::StringBytes("Caf\xc3\xa9 X", false));
  auto read = test::ReadTag(TTagCode::DefineFont2, v6);
  EXPECT_EQ(dynamic_cast<TSWFDefineFont2&>(*read).FontName, "Caf\xe9 X");
  font.Version = 5;
  EXPECT_EQ(test::BodyBytes(font)[4], 6);
  // The length is one byte: a longer name is cut, UTF-8 at a character boundary.
  font.Version = 6;
  font.FontName = std::string(200, '\xe9');
  Bytes cut = test::BodyBytes(font);
  EXPECT_EQ(cut[4], 254);
}

TEST(DefineFont2Tag, LayoutTablesMatchTheGlyphCount) {
  auto owned = LayoutFont(false);
  TSWFDefineFont2& font = *owned;
  font.CodeTable = {'A', 'B'};  // a second glyph with no outline, advance or bounds given
  font.FontKerningTable.clear();
  auto read = test::ReadTag(TTagCode::DefineFont2, test::BodyBytes(font));
  auto& back = dynamic_cast<TSWFDefineFont2&>(*read);
  EXPECT_EQ(back.GlyphShapeTable.size(), 2u);
  EXPECT_EQ(back.FontAdvanceTable, (std::vector<int16_t>{500, 0}));
  EXPECT_EQ(back.FontBoundsTable.size(), 2u);
}

TEST(DefineFontTag, BytesRoundTripAndInfo) {
  TSWFDefineFont font;
  font.FontID = 3;
  font.GlyphShapeTable.push_back(Glyph());
  font.GlyphShapeTable.push_back(Glyph());
  const Bytes body = Concat({{0x03, 0x00, 0x04, 0x00, 0x0B, 0x00}, kGlyph1, kGlyph1});
  EXPECT_EQ(test::BodyBytes(font), body);
  EXPECT_EQ(Rewritten(10, body), body);
  TSWFDefineFont empty;
  EXPECT_EQ(test::BodyBytes(empty), (Bytes{0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(
      dynamic_cast<TSWFDefineFont&>(*test::ReadTag(TTagCode::DefineFont, {0x00, 0x00, 0x00, 0x00}))
          .GlyphShapeTable.size(),
      0u);
}

TEST(DefineFontInfoTag, BytesAndCodeCount) {
  TSWFDefineFontInfo info;
  info.FontID = 3;
  info.FontName = "Caf\xe9";
  info.FontFlagsANSI = true;
  info.FontFlagsItalic = true;
  info.CodeTable = {'a', 0xE9};
  info.Version = 5;
  EXPECT_EQ(test::BodyBytes(info), (Bytes{0x03, 0x00, 0x04, 'C', 'a', 'f', 0xE9, 0x0C, 'a', 0xE9}));
  info.Version = 6;
  info.FontFlagsWideCodes = true;
  const Bytes v6 = test::BodyBytes(info);
  EXPECT_EQ(v6, (Bytes{0x03, 0x00, 0x05, 'C', 'a', 'f', 0xC3, 0xA9, 0x0D, 'a', 0, 0xE9, 0}));

  // Without a count the codes fill the body; with the count of the DefineFont only that many
  // are read.
  auto whole = test::ReadTag(TTagCode::DefineFontInfo, Concat({v6, {0x22, 0x00}}));
  auto& all = dynamic_cast<TSWFDefineFontInfo&>(*whole);
  EXPECT_EQ(all.CodeTable, (std::vector<uint16_t>{'a', 0xE9, 0x22}));
  TSWFDefineFontInfo counted;
  counted.ReadGlyphCount = 2;
  counted.Version = 6;
  counted.BodySize = static_cast<uint32_t>(v6.size() + 2);
  Bytes padded = Concat({v6, {0x22, 0x00}});
  TMemoryStream stream(padded);
  TBitsEngine engine(stream);
  counted.ReadFromStream(engine);
  EXPECT_EQ(counted.CodeTable, (std::vector<uint16_t>{'a', 0xE9}));
  EXPECT_EQ(counted.FontName, "Caf\xe9");
  EXPECT_EQ(stream.Position(), padded.size());
  // A read name goes back as it was read.
  counted.CodeTable = {'a', 0xE9};
  EXPECT_EQ(test::BodyBytes(counted), v6);
  counted.ReadGlyphCount = 4;
  stream.SetPosition(0);
  EXPECT_THROW(counted.ReadFromStream(engine), StreamError);
}

TEST(DefineFontInfoTag, Info2IsAlwaysWideAndUtf8) {
  TSWFDefineFontInfo2 info;
  info.FontID = 2;
  info.FontName = "\xe9";
  info.Version = 5;
  info.FontFlagsWideCodes = false;
  info.LanguageCode = 3;
  info.CodeTable = {0x416};
  const Bytes body = test::BodyBytes(info);
  EXPECT_EQ(body, (Bytes{0x02, 0x00, 0x02, 0xC3, 0xA9, 0x01, 0x03, 0x16, 0x04}));
  auto read = test::ReadTag(TTagCode::DefineFontInfo2, body);
  auto& back = dynamic_cast<TSWFDefineFontInfo2&>(*read);
  EXPECT_EQ(back.LanguageCode, 3);
  EXPECT_EQ(back.CodeTable, std::vector<uint16_t>{0x416});
  EXPECT_EQ(back.FontName, "\xe9");
  EXPECT_EQ(back.MinVersion(), 6);
}

// The reader hands each DefineFontInfo the glyph count of the DefineFont before it.
TEST(DefineFontInfoTag, ReaderHandsOverTheGlyphCount) {
  TSWFDefineFont font;
  font.FontID = 1;
  font.GlyphShapeTable.push_back(Glyph());
  TSWFDefineFontInfo info;
  info.FontID = 1;
  info.FontName = "F";
  info.CodeTable = {'x'};
  Bytes infoTag = test::TagBytes(info);
  // One byte more than the codes: read to the end it would give two codes.
  infoTag[0] += 1;
  infoTag.push_back(0x7A);
  const Bytes body = Concat({test::TagBytes(font), infoTag, {0x00, 0x00}});
  Bytes file = Concat({{'F', 'W', 'S', 6}, {0, 0, 0, 0}, {0x00, 0x0C, 0x00, 0x01, 0x00}, body});
  file[4] = static_cast<uint8_t>(file.size());
  TMemoryStream stream(file);
  TSWFStreamReader reader(stream);
  reader.ParseTags(true, false);
  ASSERT_EQ(reader.TagList.size(), 3u);
  auto* read = dynamic_cast<TSWFDefineFontInfo*>(reader.TagInfo(1).TagObject());
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->CodeTable, std::vector<uint16_t>{'x'});
  EXPECT_EQ(read->Version, 6);
  // Renumbering moves the font id and the info's reference to it together.
  EXPECT_EQ(reader.RenumberIDs(40), 41);
  EXPECT_EQ(dynamic_cast<TSWFDefineFont*>(reader.TagInfo(0).TagObject())->FontID, 40);
  EXPECT_EQ(read->FontID, 40);
}

TEST(AlignZonesAndNameTags, Bytes) {
  TSWFDefineFontAlignZones zones;
  zones.FontID = 9;
  zones.CSMTableHint = 2;
  TSWFZoneRecord zone;
  zone.NumZoneData = 2;
  zone.ZoneData = {{0x1234, 0x5678}, {0x0001, 0x0002}};
  zone.ZoneMaskY = true;
  zones.ZoneTable.push_back(zone);
  zone.NumZoneData = 1;  // one entry held past the count: only the count is written
  zone.ZoneMaskY = false;
  zone.ZoneMaskX = true;
  zones.ZoneTable.push_back(zone);
  const Bytes body = {0x09, 0x00, 0x80, 0x02, 0x34, 0x12, 0x78, 0x56, 0x01, 0x00,
                      0x02, 0x00, 0x02, 0x01, 0x34, 0x12, 0x78, 0x56, 0x01};
  EXPECT_EQ(test::BodyBytes(zones), body);
  EXPECT_EQ(Rewritten(73, body), body);
  auto read = test::ReadTag(TTagCode::DefineFontAlignZones, body);
  auto& back = dynamic_cast<TSWFDefineFontAlignZones&>(*read);
  EXPECT_EQ(back.CSMTableHint, 2);
  ASSERT_EQ(back.ZoneTable.size(), 2u);
  EXPECT_TRUE(back.ZoneTable[1].ZoneMaskX);
  EXPECT_EQ(back.ZoneTable[1].ZoneData.size(), 1u);

  TSWFDefineFontName name;
  name.FontID = 4;
  name.FontName = "Sans";
  name.FontCopyright = "(c)";
  const Bytes nameBody =
      Concat({{0x04, 0x00}, test::StringBytes("Sans"), test::StringBytes("(c)")});
  EXPECT_EQ(test::BodyBytes(name), nameBody);
  EXPECT_EQ(Rewritten(88, nameBody), nameBody);
}

// Cut or lying data ends in a clear error, never a crash, an over-read or an allocation the
// body cannot justify.
TEST(FontTagsBadInput, TruncatedAndLyingBodies) {
  auto layoutFont = LayoutFont(true);
  TSWFDefineFont2& layout = *layoutFont;
  TSWFDefineFont font;
  font.GlyphShapeTable.push_back(Glyph());
  font.GlyphShapeTable.push_back(Glyph());
  const std::pair<uint16_t, Bytes> bodies[] = {
      {48, test::BodyBytes(layout)},
      {10, test::BodyBytes(font)},
      {73, {0x09, 0x00, 0x80, 0x02, 0x34, 0x12, 0x78, 0x56, 0x01, 0x00, 0x02, 0x00, 0x02}}};
  for (const auto& [code, body] : bodies) {
    for (size_t n = 0; n < body.size(); ++n) {
      Bytes cut(body.begin(), body.begin() + n);
      try {
        test::ReadTag(code, cut);
      } catch (const Error&) {
      }
    }
  }
  // 65535 glyphs declared in a few bytes.
  EXPECT_THROW(
      test::ReadTag(TTagCode::DefineFont2, {0x01, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x02, 0x00}),
      StreamError);
  // A glyph offset past the body.
  EXPECT_THROW(test::ReadTag(TTagCode::DefineFont2, {0x01, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x40,
                                                     0x00, 0x06, 0x00, 0x41}),
               FormatError);
  // Many glyphs pointing into the same bytes: the glyph data would be read over and over.
  Bytes overlapping = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10};
  for (int i = 0; i < 4096; ++i) {
    overlapping.push_back(0x00);
    overlapping.push_back(i % 2 ? 0x30 : 0x20);
  }
  // One long glyph (edges of one twip, five bytes per four) that every offset points into.
  overlapping.push_back(0x10);
  while (overlapping.size() < 7 + 0x3000 + 0x1000)
    overlapping.insert(overlapping.end(), {0xC0, 0x70, 0x1C, 0x07, 0x01});
  overlapping.insert(overlapping.end(), {0x00, 0x00, 0x00, 0x00});
  EXPECT_THROW(test::ReadTag(TTagCode::DefineFont2, overlapping), FormatError);
  // A kerning count larger than the data.
  Bytes kerning = test::BodyBytes(layout);
  kerning[kerning.size() - 8] = 0xFF;
  EXPECT_THROW(test::ReadTag(TTagCode::DefineFont2, kerning), StreamError);
  // A zone record claiming more entries than there are bytes.
  EXPECT_THROW(test::ReadTag(TTagCode::DefineFontAlignZones, {0x01, 0x00, 0x00, 0xFF, 0x00, 0x00}),
               StreamError);
}

}  // namespace
}  // namespace orvanta
