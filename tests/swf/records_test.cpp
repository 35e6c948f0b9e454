#include "swf/swf_records.h"

#include <gtest/gtest.h>

#include "test_util.h"

namespace orvanta {
namespace {

TEST(SWFRect, SettersKeepPairsOrdered) {
  TSWFRect r;
  r.SetXmax(100);
  r.SetXmin(500);
  EXPECT_EQ(r.Xmin(), 100);
  EXPECT_EQ(r.Xmax(), 500);
  r.SetYmax(-10);
  EXPECT_EQ(r.Ymin(), -10);
  EXPECT_EQ(r.Ymax(), 0);
  r.SetRect({30, 40, 10, 20});
  EXPECT_EQ(r.Xmin(), 10);
  EXPECT_EQ(r.Xmax(), 30);
  EXPECT_EQ(r.Ymin(), 20);
  EXPECT_EQ(r.Ymax(), 40);
}

TEST(SWFRect, AFileRectIsReadAsItIs) {
  // Xmin 100 above Xmax 0, Ymin 50 above Ymax -10, 8 bits each: fonts mark glyphs without an
  // outline this way, and a rewrite must not turn them into large boxes.
  const test::Bytes bytes = {0x43, 0x20, 0x01, 0x97, 0xB0};
  TMemoryStream stream(bytes);
  TBitsEngine engine(stream);
  TSWFRect r = engine.ReadRect();
  EXPECT_EQ(r.Xmin(), 100);
  EXPECT_EQ(r.Xmax(), 0);
  EXPECT_EQ(r.Ymin(), 50);
  EXPECT_EQ(r.Ymax(), -10);
  EXPECT_EQ(test::Written([&](TBitsEngine& e) { e.WriteRect(r); }), bytes);
  EXPECT_EQ(r, TSWFRect::Unsorted(100, 50, 0, -10));
  // Setting a value orders the pair again.
  r.SetYmax(-20);
  EXPECT_EQ(r.Ymin(), -20);
  EXPECT_EQ(r.Ymax(), 50);
}

TEST(SWFRGBA, AlphaRules) {
  TSWFRGBA opaque;
  EXPECT_EQ(opaque.Alpha(), 255);
  EXPECT_FALSE(opaque.HasAlpha());
  opaque.SetAlpha(10);
  EXPECT_TRUE(opaque.HasAlpha());
  opaque.SetHasAlpha(false);
  EXPECT_EQ(opaque.Alpha(), 255);

  TSWFRGBA withAlpha(true);
  EXPECT_EQ(withAlpha.Alpha(), 0);
  withAlpha.SetRGBA(PackRGBA(1, 2, 3, 255));
  EXPECT_EQ(withAlpha.Alpha(), 255);
  EXPECT_TRUE(withAlpha.HasAlpha());
  withAlpha.SetColor(0x00FF8040);
  EXPECT_EQ(withAlpha.Red, 0x40);
  EXPECT_EQ(withAlpha.Green, 0x80);
  EXPECT_EQ(withAlpha.Blue, 0xFF);
  EXPECT_EQ(withAlpha.RGBA(), 0xFFFF8040u);

  TSWFRGBA copy;
  copy.Assign(TSWFRGB(0x123456));
  EXPECT_EQ(copy.RGBA(), 0xFF123456u);
  TSWFRGBA translucent(PackRGBA(1, 2, 3, 4), false);
  copy.Assign(translucent);
  EXPECT_EQ(copy.RGBA(), translucent.RGBA());
  EXPECT_TRUE(copy.HasAlpha());
}

TEST(SWFMatrix, RotationPremultiplies) {
  TSWFMatrix m;
  m.SetRotate(90);
  EXPECT_EQ(m.ScaleX, 0);
  EXPECT_EQ(m.ScaleY, 0);
  EXPECT_EQ(m.RotateSkew1, 65536);
  EXPECT_EQ(m.RotateSkew0, -65536);
  TSWFMatrix scaled;
  scaled.SetScale(2, 3);
  scaled.SetTranslate(7, 8);
  scaled.SetRotate(180);
  EXPECT_EQ(scaled.ScaleX, -131072);
  EXPECT_EQ(scaled.ScaleY, -196608);
  EXPECT_EQ(scaled.TranslateX, 7);
  EXPECT_DOUBLE_EQ(scaled.GetScaleX(), -2.0);
}

TEST(SWFColorTransform, SettersClampAndRaiseFlags) {
  TSWFColorTransform c;
  c.SetRedAdd(400);
  EXPECT_EQ(c.RedAdd, 255);
  EXPECT_TRUE(c.HasAdd);
  EXPECT_FALSE(c.HasAlpha);
  c.SetBlueMult(-3);
  EXPECT_EQ(c.BlueMult, 0);
  EXPECT_TRUE(c.HasMult);
  c.SetAlphaMult(300);
  EXPECT_EQ(c.AlphaMult, 256);
  EXPECT_TRUE(c.HasAlpha);
}

}  // namespace
}  // namespace orvanta
