#include "media/filters.h"

#include <gtest/gtest.h>

#include "media/filter_settings.h"
#include "platform/errors.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::Bytes;
using test::Concat;
using test::Written;

Bytes FilterBytes(TSWFFilter& filter) {
  return Written([&](TBitsEngine& e) { filter.WriteToStream(e); });
}

Bytes ListBytes(TSWFFilterList& list) {
  return Written([&](TBitsEngine& e) { list.WriteToStream(e); });
}

void ReadList(TSWFFilterList& list, const Bytes& bytes) {
  TMemoryStream stream(bytes);
  TBitsEngine engine(stream);
  list.ReadFromStream(engine);
}

// Little-endian 16.16 of a whole number.
Bytes Fixed(uint16_t whole) {
  return {0, 0, static_cast<uint8_t>(whole), static_cast<uint8_t>(whole >> 8)};
}

const Bytes kZeroFixed = {0, 0, 0, 0};

TEST(FilterRecords, BlurWritesTwoFixedValuesAndPassesInTheHighBits) {
  TSWFBlurFilter blur;
  blur.BlurX = 5;
  blur.BlurY = 5;
  EXPECT_EQ(FilterBytes(blur), (Bytes{0x01, 0, 0, 5, 0, 0, 0, 5, 0, 0x08}));

  blur.BlurX = 0.5;
  blur.BlurY = 255.25;
  blur.Passes = 31;
  EXPECT_EQ(FilterBytes(blur), (Bytes{0x01, 0x00, 0x80, 0, 0, 0x00, 0x40, 0xFF, 0, 0xF8}));
}

TEST(FilterRecords, DropShadowFromDefaultSettings) {
  TFlashFilterSettings settings;
  TSWFDropShadowFilter shadow;
  ApplyFilterSettings(settings, shadow);
  // 45 degrees is 0.785398 radians, 51471 (0xC90F) in 16.16; Strength 1.0 is 0x0100 in 8.8.
  EXPECT_EQ(FilterBytes(shadow), Concat({{0x00, 0, 0, 0, 0xFF},
                                         Fixed(5),
                                         Fixed(5),
                                         {0x0F, 0xC9, 0, 0},
                                         Fixed(5),
                                         {0x00, 0x01, 0x21}}));
}

TEST(FilterRecords, DropShadowPacksEveryFlagAndColourByte) {
  TSWFDropShadowFilter shadow;
  shadow.DropShadowColor.SetRGBA(PackRGBA(0x11, 0x22, 0x33, 0x44));
  shadow.BlurX = 1;
  shadow.BlurY = 2;
  shadow.Angle = -0.5;
  shadow.Distance = 3;
  shadow.Strength = 2.5;
  shadow.InnerShadow = true;
  shadow.Knockout = true;
  shadow.CompositeSource = false;
  shadow.Passes = 3;
  EXPECT_EQ(FilterBytes(shadow), Concat({{0x00, 0x11, 0x22, 0x33, 0x44},
                                         Fixed(1),
                                         Fixed(2),
                                         {0x00, 0x80, 0xFF, 0xFF},
                                         Fixed(3),
                                         {0x80, 0x02, 0xC3}}));
}

TEST(FilterRecords, GlowRecord) {
  TSWFGlowFilter glow;
  glow.GlowColor.SetRGBA(PackRGBA(0xFF, 0x80, 0x00, 0x40));
  glow.BlurX = 4;
  glow.BlurY = 6;
  glow.Strength = 1.5;
  glow.InnerGlow = true;
  glow.Passes = 2;
  EXPECT_EQ(FilterBytes(glow),
            Concat({{0x02, 0xFF, 0x80, 0x00, 0x40}, Fixed(4), Fixed(6), {0x80, 0x01, 0xA2}}));
}

TEST(FilterRecords, BevelRecordPutsShadowBeforeHighlightAndPassesInFourBits) {
  TSWFBevelFilter bevel;
  bevel.ShadowColor.SetRGBA(PackRGBA(1, 2, 3, 4));
  bevel.HighlightColor.SetRGBA(PackRGBA(5, 6, 7, 8));
  bevel.BlurX = 7;
  bevel.BlurY = 8;
  bevel.Angle = 1;
  bevel.Distance = 9;
  bevel.Strength = 0.5;
  bevel.Knockout = true;
  bevel.OnTop = true;
  bevel.Passes = 3;
  EXPECT_EQ(FilterBytes(bevel), Concat({{0x03, 1, 2, 3, 4, 5, 6, 7, 8},
                                        Fixed(7),
                                        Fixed(8),
                                        Fixed(1),
                                        Fixed(9),
                                        {0x80, 0x00, 0x73}}));
}

TEST(FilterRecords, GradientFiltersWriteColoursThenRatios) {
  TSWFGradientGlowFilter glow;
  glow.Gradient.clear();
  glow.AddColor(PackRGBA(0xAA, 0xBB, 0xCC, 0x00), 0x10);
  glow.AddColor(PackRGBA(0x01, 0x02, 0x03, 0xFF), 0x20);
  glow.AddColor(PackRGBA(0x04, 0x05, 0x06, 0x80), 0xF0);
  glow.BlurX = 2;
  glow.BlurY = 3;
  glow.Angle = 4;
  glow.Distance = 5;
  glow.Strength = 1;
  glow.InnerShadow = true;
  glow.CompositeSource = false;
  glow.OnTop = true;
  glow.Passes = 1;
  Bytes body = Concat({{0x03, 0xAA, 0xBB, 0xCC, 0x00, 0x01, 0x02, 0x03, 0xFF, 0x04, 0x05, 0x06,
                        0x80, 0x10, 0x20, 0xF0},
                       Fixed(2),
                       Fixed(3),
                       Fixed(4),
                       Fixed(5),
                       {0x00, 0x01, 0x91}});
  EXPECT_EQ(FilterBytes(glow), Concat({{0x04}, body}));

  TSWFGradientBevelFilter bevel;
  bevel.Assign(glow);
  EXPECT_EQ(FilterBytes(bevel), Concat({{0x07}, body}));
}

TEST(FilterRecords, GradientHoldsAtMostFifteenColours) {
  TSWFGradientGlowFilter glow;
  for (int i = 2; i < 15; ++i) EXPECT_TRUE(glow.AddColor(0, static_cast<uint8_t>(i)));
  EXPECT_FALSE(glow.AddColor(0, 99));
  EXPECT_EQ(glow.NumColors(), 15u);

  // A list filled past the limit directly still writes a consistent record.
  glow.Gradient.push_back({});
  Bytes bytes = FilterBytes(glow);
  EXPECT_EQ(bytes[1], 15);
  EXPECT_EQ(bytes.size(), 1 + 1 + 15 * 5 + 16 + 2 + 1u);
}

TEST(FilterRecords, ConvolutionRecord) {
  TSWFConvolutionFilter conv;
  conv.SetMatrixSize(3, 3);
  for (size_t i = 0; i < 9; ++i) conv.Matrix[i] = i == 4 ? 1.0f : 0.0f;
  conv.Divisor = 1;
  conv.Bias = -2;
  conv.DefaultColor.SetRGBA(PackRGBA(9, 8, 7, 6));
  conv.Clamp = true;
  conv.PreserveAlpha = true;
  Bytes bytes = FilterBytes(conv);
  ASSERT_EQ(bytes.size(), 1 + 2 + 4 + 4 + 36 + 4 + 1u);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 11),
            (Bytes{0x05, 3, 3, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0xC0}));
  EXPECT_EQ(Bytes(bytes.begin() + 11 + 16, bytes.begin() + 11 + 20), (Bytes{0, 0, 0x80, 0x3F}));
  EXPECT_EQ(Bytes(bytes.end() - 5, bytes.end()), (Bytes{9, 8, 7, 6, 0x03}));

  // Values missing from the matrix are written as zero, so the record length follows the size.
  conv.Matrix.resize(2);
  conv.Clamp = false;
  bytes = FilterBytes(conv);
  ASSERT_EQ(bytes.size(), 52u);
  EXPECT_EQ(Bytes(bytes.begin() + 19, bytes.begin() + 47), Bytes(28, 0));
  EXPECT_EQ(bytes.back(), 0x01);
}

TEST(FilterRecords, ColorMatrixWritesTwentySingles) {
  TSWFColorMatrixFilter matrix;
  matrix.Matrix[0] = 1;
  matrix.Matrix[19] = -1;
  Bytes bytes = FilterBytes(matrix);
  ASSERT_EQ(bytes.size(), 81u);
  EXPECT_EQ(bytes[0], 0x06);
  EXPECT_EQ(Bytes(bytes.begin() + 1, bytes.begin() + 5), (Bytes{0, 0, 0x80, 0x3F}));
  EXPECT_EQ(Bytes(bytes.end() - 4, bytes.end()), (Bytes{0, 0, 0x80, 0xBF}));
}

TEST(FilterDefaults, EachClassStartsFromItsDocumentedValues) {
  TSWFBlurFilter blur;
  EXPECT_EQ(blur.FilterID, kFilterBlur);
  EXPECT_EQ(blur.Passes, 1);

  TSWFDropShadowFilter shadow;
  EXPECT_EQ(shadow.FilterID, kFilterDropShadow);
  EXPECT_EQ(shadow.DropShadowColor.RGBA(), PackRGBA(0, 0, 0, 255));
  EXPECT_TRUE(shadow.CompositeSource);
  EXPECT_FALSE(shadow.InnerShadow || shadow.Knockout);
  EXPECT_EQ(shadow.Angle + shadow.Distance + shadow.Strength + shadow.BlurX + shadow.BlurY, 0);

  TSWFGlowFilter glow;
  EXPECT_TRUE(glow.CompositeSource);
  EXPECT_EQ(glow.GlowColor.Alpha(), 255);
  TSWFBevelFilter bevel;
  EXPECT_TRUE(bevel.CompositeSource);

  TSWFGradientGlowFilter gradient;
  ASSERT_EQ(gradient.NumColors(), 2u);
  EXPECT_EQ(gradient.Gradient[0].Ratio, 0);
  EXPECT_EQ(gradient.Gradient[1].Ratio, 255);
  EXPECT_TRUE(gradient.CompositeSource);
  TSWFGradientBevelFilter gradientBevel;
  EXPECT_EQ(gradientBevel.FilterID, kFilterGradientBevel);
  EXPECT_EQ(gradientBevel.NumColors(), 2u);

  TFlashFilterSettings settings;
  EXPECT_EQ(settings.Angle, 45.0f);
  EXPECT_EQ(settings.BlurX, 5);
  EXPECT_EQ(settings.BlurY, 5);
  EXPECT_EQ(settings.Distance, 5);
  EXPECT_EQ(settings.Strength, 100);
  EXPECT_EQ(settings.Quality, 0);
  EXPECT_FALSE(settings.Knockout || settings.Inner || settings.HideObject);
  EXPECT_TRUE(settings.OnTop);
  EXPECT_EQ(settings.ShadowColor.RGBA(), PackRGBA(0, 0, 0, 255));
  EXPECT_EQ(settings.HighlightColor.RGBA(), PackRGBA(255, 255, 255, 255));
}

TEST(FilterSettings, AppliedToEachKindOfFilter) {
  TFlashFilterSettings settings;
  settings.Angle = 90;
  settings.BlurX = 3;
  settings.BlurY = 4;
  settings.Distance = 7;
  settings.Strength = 250;
  settings.Quality = 2;
  settings.Inner = true;
  settings.Knockout = true;
  settings.HideObject = true;
  settings.OnTop = false;
  settings.ShadowColor.SetRGBA(PackRGBA(1, 2, 3, 255));
  settings.HighlightColor.SetRGBA(PackRGBA(4, 5, 6, 0x40));

  TSWFBevelFilter bevel;
  ApplyFilterSettings(settings, bevel);
  EXPECT_EQ(FilterBytes(bevel), Concat({{0x03, 1, 2, 3, 255, 4, 5, 6, 0x40},
                                        Fixed(3),
                                        Fixed(4),
                                        {0x1F, 0x92, 0x01, 0x00},
                                        Fixed(7),
                                        {0x80, 0x02, 0xC3}}));

  // The glow takes the highlight colour with its alpha as given.
  TSWFGlowFilter glow;
  ApplyFilterSettings(settings, glow);
  EXPECT_EQ(FilterBytes(glow),
            Concat({{0x02, 4, 5, 6, 0x40}, Fixed(3), Fixed(4), {0x80, 0x02, 0xC3}}));

  TSWFBlurFilter blur;
  ApplyFilterSettings(settings, blur);
  EXPECT_EQ(FilterBytes(blur), Concat({{0x01}, Fixed(3), Fixed(4), {0x18}}));
}

// One filter of every kind with values that exercise every field.
void FillList(TSWFFilterList& list) {
  auto& shadow = static_cast<TSWFDropShadowFilter&>(*list.AddFilter(kFilterDropShadow));
  shadow.DropShadowColor.SetRGBA(PackRGBA(10, 20, 30, 40));
  shadow.BlurX = 1.25;
  shadow.Angle = 2.0943951;
  shadow.Distance = -4;
  shadow.Strength = 0.3;
  shadow.Knockout = true;
  auto& blur = static_cast<TSWFBlurFilter&>(*list.AddFilter(kFilterBlur));
  blur.BlurY = 12.5;
  blur.Passes = 3;
  auto& glow = static_cast<TSWFGlowFilter&>(*list.AddFilter(kFilterGlow));
  glow.Strength = 1.7;
  glow.InnerGlow = true;
  auto& bevel = static_cast<TSWFBevelFilter&>(*list.AddFilter(kFilterBevel));
  bevel.HighlightColor.SetRGBA(PackRGBA(255, 255, 255, 128));
  bevel.OnTop = true;
  bevel.Angle = -0.785398;
  auto& gradientGlow = static_cast<TSWFGradientGlowFilter&>(*list.AddFilter(kFilterGradientGlow));
  gradientGlow.AddColor(PackRGBA(9, 9, 9, 9), 128);
  gradientGlow.Passes = 15;
  auto& conv = static_cast<TSWFConvolutionFilter&>(*list.AddFilter(kFilterConvolution));
  conv.SetMatrixSize(2, 3);
  conv.Matrix = {0.1f, -0.2f, 0.3f, 1e-7f, 3e8f, -1.0f};
  conv.Divisor = 6;
  conv.Bias = 0.5f;
  conv.PreserveAlpha = true;
  auto& matrix = static_cast<TSWFColorMatrixFilter&>(*list.AddFilter(kFilterColorMatrix));
  for (size_t i = 0; i < 20; ++i) matrix.Matrix[i] = static_cast<float>(i) / 3.0f;
  auto& gradientBevel =
      static_cast<TSWFGradientBevelFilter&>(*list.AddFilter(kFilterGradientBevel));
  gradientBevel.Distance = 2.75;
  gradientBevel.Strength = 255.99;
}

TEST(FilterList, WritesCountThenEachRecordAndReadsBackEveryKind) {
  TSWFFilterList list;
  EXPECT_EQ(list.AddFilter(8), nullptr);
  EXPECT_EQ(list.AddFilter(255), nullptr);
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(ListBytes(list), Bytes{0});

  FillList(list);
  ASSERT_EQ(list.Count(), 8u);
  Bytes bytes = ListBytes(list);
  EXPECT_EQ(bytes[0], 8);

  TSWFFilterList read;
  ReadList(read, bytes);
  ASSERT_EQ(read.Count(), 8u);
  for (uint8_t i = 0; i < 8; ++i) {
    EXPECT_EQ(read[i].FilterID, list[i].FilterID);
    EXPECT_EQ(FilterBytes(read[i]), FilterBytes(list[i])) << "filter id " << int(i);
  }
  EXPECT_EQ(ListBytes(read), bytes);

  TSWFFilterList copy;
  copy.AddFilter(kFilterBlur);
  copy.Assign(read);
  EXPECT_EQ(ListBytes(copy), bytes);
  EXPECT_NE(&copy[0], &read[0]);
  EXPECT_NE(dynamic_cast<TSWFGradientBevelFilter*>(&copy[7]), nullptr);
}

TEST(FilterList, BytesFromAFileSurviveAReadAndWrite) {
  // Values that no builder would produce: odd fractions, all flags, negative fixed values.
  Bytes bytes =
      Concat({{4},
              {0x00, 1,    2,    3,    4,    0x01, 0x80, 0x03, 0x00, 0xFF, 0xFF, 0xFF,
               0xFF, 0x33, 0x33, 0xFF, 0xFF, 0x12, 0x34, 0x56, 0x00, 0x07, 0x03, 0xFF},
              {0x01, 0x01, 0, 0, 0, 0, 0, 0, 0, 0xF8},
              {0x05, 1,    2,    0x00, 0x00, 0xC0, 0x7F, 0x01, 0x00, 0x00, 0x00, 0x12,
               0x34, 0x56, 0x78, 0x00, 0x00, 0x80, 0xFF, 1,    2,    3,    4,    0x02},
              {0x07, 1,    0xFE, 0xED, 0xFA, 0xCE, 0x7F, 0xAB, 0xCD, 0xEF, 0x01, 0x01, 0x02,
               0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0xFF}});
  TSWFFilterList list;
  ReadList(list, bytes);
  ASSERT_EQ(list.Count(), 4u);
  EXPECT_EQ(ListBytes(list), bytes);
}

TEST(FilterList, MalformedInputIsRejectedWithoutTouchingTheList) {
  TSWFFilterList list;
  list.AddFilter(kFilterGlow);

  // A blur filter followed by an id with no known layout.
  Bytes unknown = {2, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0x08, 0x09, 0, 0};
  EXPECT_THROW(ReadList(list, unknown), FormatError);
  // More than fifteen gradient colours.
  Bytes manyColours = Concat({{1, 0x04, 16}, Bytes(16 * 5 + 19, 0)});
  EXPECT_THROW(ReadList(list, manyColours), FormatError);
  // A colour count or a matrix size running past the data.
  EXPECT_THROW(ReadList(list, Bytes{1, 0x04, 15, 0, 0}), StreamError);
  EXPECT_THROW(ReadList(list, Bytes{1, 0x05, 255, 255, 0, 0, 0x80, 0x3F, 0, 0, 0, 0}), StreamError);
  // A truncated record and a list shorter than its count.
  EXPECT_THROW(ReadList(list, Bytes{1, 0x06, 0, 0, 0}), StreamError);
  EXPECT_THROW(ReadList(list, Bytes{2, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0x08}), StreamError);
  EXPECT_THROW(ReadList(list, Bytes{}), StreamError);

  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(list[0].FilterID, kFilterGlow);
}

}  // namespace
}  // namespace orvanta
