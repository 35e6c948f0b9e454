#include "movie/flash_font.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "movie/flash_movie.h"
#include "movie/flash_text.h"
#include "swf/tags_font.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::Bytes;

struct PixelMovie {
  TFlashMovie movie{0, 0, 8000, 6000, 12};
  PixelMovie() { movie.SetPixelUnits(true); }
};

TFontDescription Arial(int32_t height = -12, bool bold = false, uint8_t charset = kAnsiCharset) {
  TFontDescription font;
  font.Name = "Arial";
  font.Height = height;
  font.Bold = bold;
  font.Charset = charset;
  return font;
}

// The DefineFont2 a font writes, read back.
std::unique_ptr<TSWFDefineFont2> Written(TFlashFont& font) {
  Bytes bytes = test::Written([&](TBitsEngine& e) { font.WriteToStream(e); });
  const size_t header = (bytes[0] & 0x3F) == 0x3F ? 6 : 2;
  EXPECT_EQ((bytes[0] | bytes[1] << 8) >> 6, 48);
  auto tag = std::make_unique<TSWFDefineFont2>();
  tag->Version = font.Owner() ? static_cast<uint8_t>(font.Owner()->Version()) : 6;
  tag->BodySize = static_cast<uint32_t>(bytes.size() - header);
  TMemoryStream stream(Bytes(bytes.begin() + header, bytes.end()));
  TBitsEngine engine(stream);
  tag->ReadFromStream(engine);
  return tag;
}

std::vector<uint16_t> Codes(const TFlashFont& font) {
  std::vector<uint16_t> codes;
  for (const auto& ch : font.Chars) codes.push_back(ch->Code);
  return codes;
}

TEST(FlashFont, SizeCharsetAndLayout) {
  PixelMovie m;
  TFlashFont* font = m.movie.AddFont(Arial(-12));
  EXPECT_EQ(font->Size, 240);
  EXPECT_EQ(font->CharacterId(), 1);
  EXPECT_EQ(m.movie.Fonts, std::vector<TFlashFont*>{font});
  EXPECT_EQ(font->Encoding, 0);
  EXPECT_EQ(font->MinVersion(), 3);
  // Layout reads the metrics once: Arial's at em 1024.
  font->SetLayout(true);
  EXPECT_EQ(font->Ascent, 927);
  EXPECT_EQ(font->Descent, 217);
  EXPECT_EQ(font->Leading, 120);

  struct Mapping {
    uint8_t Charset, Language, Encoding;
  };
  for (Mapping map : {Mapping{kDefaultCharset, 0, 2}, Mapping{kSymbolCharset, 0, 0},
                      Mapping{kShiftJisCharset, 2, 1}, Mapping{kHangeulCharset, 3, 0},
                      Mapping{kGB2312Charset, 4, 0}, Mapping{kChineseBig5Charset, 5, 0},
                      Mapping{kRussianCharset, 0, 2}}) {
    TFlashFont f(nullptr, false, "Arial", false, false, 12);
    f.SetCharset(map.Charset);
    EXPECT_EQ(f.LanguageCode, map.Language) << int(map.Charset);
    EXPECT_EQ(f.Encoding, map.Encoding) << int(map.Charset);
  }
}

TEST(FlashFont, CharactersStaySortedAndUnique) {
  TFlashFont font(nullptr, false, "Arial", false, false, 12);
  font.AddChars("cab");
  EXPECT_EQ(Codes(font), (std::vector<uint16_t>{'a', 'b', 'c'}));
  font.Chars[1]->Used = false;
  EXPECT_FALSE(font.AddChar('b'));
  EXPECT_TRUE(font.Chars[1]->Used);
  // The euro (0x80, U+20AC) and s caron (0x9A, U+0161) sort by their Unicode values.
  font.AddChars("\x80z\x9a");
  EXPECT_EQ(Codes(font), (std::vector<uint16_t>{'a', 'b', 'c', 'z', 0x9A, 0x80}));
  EXPECT_EQ(font.FindChar(0x80)->WideCode, 0x20AC);
  EXPECT_FALSE(font.HasWide());
  // Written as 8-bit codes, ascending, each with its glyph in the same order.
  std::vector<TFlashChar*> written = font.WrittenChars();
  std::vector<uint16_t> writtenCodes;
  for (TFlashChar* ch : written) writtenCodes.push_back(font.WrittenCode(*ch));
  EXPECT_EQ(writtenCodes, (std::vector<uint16_t>{'a', 'b', 'c', 'z', 0x80, 0x9A}));
  auto tag = Written(font);
  EXPECT_FALSE(tag->FontFlagsWideCodes);
  EXPECT_TRUE(tag->FontFlagsANSI);
  EXPECT_EQ(tag->CodeTable, writtenCodes);
  ASSERT_EQ(tag->GlyphShapeTable.size(), 6u);
  // The euro glyph (fifth) is wider than the s caron glyph (sixth) at the same em size.
  auto width = [](const TSWFShapeRecordList& glyph) {
    int32_t x = 0, lo = INT32_MAX, hi = INT32_MIN;
    for (const auto& r : glyph) {
      if (r->Kind == TShapeRecordKind::StyleChange) {
        auto& s = static_cast<const TSWFStyleChangeRecord&>(*r);
        if (s.StateMoveTo) x = s.MoveDeltaX();
      } else if (r->Kind == TShapeRecordKind::StraightEdge) {
        x += static_cast<const TSWFStraightEdgeRecord&>(*r).DeltaX;
      } else if (r->Kind == TShapeRecordKind::CurvedEdge) {
        auto& c = static_cast<const TSWFCurvedEdgeRecord&>(*r);
        x += c.ControlDeltaX + c.AnchorDeltaX;
      }
      lo = std::min(lo, x);
      hi = std::max(hi, x);
    }
    return hi - lo;
  };
  EXPECT_GT(width(tag->GlyphShapeTable[4]), width(tag->GlyphShapeTable[5]));
}

TEST(FlashFont, WideCharactersSwitchCodesAndVersion) {
  TFlashMovie movie(0, 0, 8000, 6000, 12);
  ASSERT_EQ(movie.Version(), 5);
  TFlashFont* font = movie.AddFont(Arial());
  font->AddChars("b\x80");
  font->AddChar(0x416);  // Cyrillic Zhe
  EXPECT_TRUE(font->HasWideChars);
  EXPECT_EQ(movie.Version(), 6);
  // cp1252 text added now meets the Unicode values of the same characters.
  EXPECT_FALSE(font->AddChar(0x20AC));
  font->AddChars(
      "\x80"
      "a");
  EXPECT_EQ(font->Chars.size(), 4u);
  auto tag = Written(*font);
  EXPECT_TRUE(tag->FontFlagsWideCodes);
  EXPECT_EQ(tag->CodeTable, (std::vector<uint16_t>{'a', 'b', 0x416, 0x20AC}));
  EXPECT_EQ(tag->GlyphShapeTable.size(), 4u);
}

TEST(FlashFont, GlyphsFollowThePlatformOutline) {
  TFlashFont font(nullptr, false, "Arial", false, false, 12);
  font.AddChars("lO ");
  font.MakeGlyphs();
  TFlashChar* l = font.FindChar('l');
  EXPECT_TRUE(l->HasOutline);
  EXPECT_EQ(l->Advance, 228);  // 455 units of 2048
  EXPECT_EQ(font.FindChar(' ')->Advance, 285);
  // 'l': a rectangle from the baseline up (y down in the glyph), four straight edges.
  std::vector<std::pair<int32_t, int32_t>> points;
  int32_t x = 0, y = 0;
  for (const auto& r : l->GlyphRecords) {
    if (r->Kind == TShapeRecordKind::StyleChange) {
      auto& s = static_cast<const TSWFStyleChangeRecord&>(*r);
      if (s.StateMoveTo) x = s.MoveDeltaX(), y = s.MoveDeltaY();
    } else {
      ASSERT_EQ(r->Kind, TShapeRecordKind::StraightEdge);
      auto& e = static_cast<const TSWFStraightEdgeRecord&>(*r);
      x += e.DeltaX, y += e.DeltaY;
    }
    points.emplace_back(x, y);
  }
  EXPECT_EQ(points.front(), points.back());
  std::set<int32_t> ys;
  for (auto [px, py] : points) ys.insert(py);
  EXPECT_EQ(*ys.begin(), -742);  // 1484 units above the baseline
  EXPECT_EQ(*ys.rbegin(), 0);

  // 'O': every curve ends on an on-curve point of the platform outline: the midpoint of two
  // controls or the spline's last point, mirrored.
  TGlyphOutline outline =
      font.PlatformFont().GlyphOutline(u'O', TFixedMatrix{0x10001, 1, 1, 0x10001});
  std::set<std::pair<int32_t, int32_t>> anchors;
  for (const TOutlineContour& contour : outline)
    for (const TOutlineCurve& curve : contour.Curves)
      for (size_t i = 0; curve.Kind == TOutlineCurve::TKind::QSpline && i + 1 < curve.Points.size();
           ++i) {
        const TFixedPoint a = curve.Points[i], b = curve.Points[i + 1];
        if (i + 2 == curve.Points.size())
          anchors.emplace(b.X >> 16, -(b.Y >> 16));
        else
          anchors.emplace(std::lround((a.X + double(b.X)) / 131072),
                          -std::lround((a.Y + double(b.Y)) / 131072));
      }
  TFlashChar* o = font.FindChar('O');
  size_t curves = 0;
  x = y = 0;
  for (const auto& r : o->GlyphRecords) {
    if (r->Kind == TShapeRecordKind::StyleChange) {
      auto& s = static_cast<const TSWFStyleChangeRecord&>(*r);
      if (s.StateMoveTo) x = s.MoveDeltaX(), y = s.MoveDeltaY();
    } else if (r->Kind == TShapeRecordKind::StraightEdge) {
      auto& e = static_cast<const TSWFStraightEdgeRecord&>(*r);
      x += e.DeltaX, y += e.DeltaY;
    } else if (r->Kind == TShapeRecordKind::CurvedEdge) {
      auto& c = static_cast<const TSWFCurvedEdgeRecord&>(*r);
      x += c.ControlDeltaX + c.AnchorDeltaX, y += c.ControlDeltaY + c.AnchorDeltaY;
      EXPECT_TRUE(anchors.count({x, y})) << x << "," << y;
      ++curves;
    }
  }
  EXPECT_GT(curves, 8u);
  // A space has no ink: its glyph is the pen's first record alone.
  EXPECT_EQ(font.FindChar(' ')->GlyphRecords.size(), 1u);
}

TEST(FlashFont, WritingLayoutDeviceFontsAndAdvances) {
  PixelMovie m;
  m.movie.SetVersion(8);
  TFlashFont* font = m.movie.AddFont(Arial(-20, true, kDefaultCharset));
  font->AddChars("Hi");
  font->SetLayout(true);
  auto tag = Written(*font);
  EXPECT_EQ(tag->FontID, font->CharacterId());
  EXPECT_TRUE(tag->FontFlagsHasLayout);
  EXPECT_TRUE(tag->FontFlagsBold);
  EXPECT_TRUE(tag->FontFlagsWideCodes);  // the default character set means Unicode codes
  EXPECT_EQ(tag->FontName, "Arial");
  EXPECT_EQ(tag->FontAscent, 927);
  EXPECT_EQ(tag->FontAdvanceTable.size(), 2u);
  EXPECT_EQ(tag->FontAdvanceTable[0], font->FindChar('H')->Advance);
  EXPECT_EQ(tag->FontBoundsTable, std::vector<TSWFRect>(2));

  // A device font used only by text fields: layout, but no outlines.
  TFlashFont* device = m.movie.AddFont(Arial(), true);
  m.movie.AddDynamicText(u"abc", TSWFRGBA(), device, {0, 0, 100, 20});
  auto deviceTag = Written(*device);
  EXPECT_TRUE(deviceTag->GlyphShapeTable.empty());
  EXPECT_FALSE(device->Chars.front()->HasOutline);
  // Static text needs the outlines even from a device font.
  m.movie.AddText("abc", TSWFRGBA(), device, {0, 0});
  EXPECT_EQ(Written(*device)->GlyphShapeTable.size(), 3u);
}

TEST(FlashFont, NamesAndCharactersTheSystemLacks) {
  TFlashFont unknown(nullptr, false, "No Such Font Anywhere", false, false, 12);
  unknown.AddWideChars(u"A\u4E00\U0001F600");
  EXPECT_EQ(unknown.Chars.size(), 2u);  // the character past U+FFFF has no 16-bit code
  unknown.MakeGlyphs();
  EXPECT_GT(unknown.FindChar('A')->GlyphRecords.size(), 1u);
  EXPECT_TRUE(unknown.FindChar(0x4E00)->HasOutline);
  TFlashFont empty(nullptr, false, "Arial", false, false, 12);
  empty.MakeGlyphs();
  auto tag = Written(empty);
  EXPECT_TRUE(tag->CodeTable.empty());
  EXPECT_EQ(empty.TextExtent(std::string()).Width, 0);
}

}  // namespace
}  // namespace orvanta
