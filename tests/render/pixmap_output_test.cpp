#include "render/pixmap_output.h"

#include <gtest/gtest.h>

#include "render/effects_test_util.h"

namespace orvanta::render {
namespace {

// A half-transparent frame comes out as straight colour, and its JPEG decodes to the same
// picture within the codec's error, alpha dropped.
TEST(PixmapOutput, StraightPictureAndJPEG) {
  const TPixmap pm = test::Filled(16, 8, 200, 100, 50, 128);
  const TPicture picture = PictureFromPixmap(pm);
  ASSERT_EQ(picture.Width, 16u);
  ASSERT_EQ(picture.Height, 8u);
  const uint8_t* px = picture.Pixels.data() + 4 * (3 * 16 + 5);
  EXPECT_NEAR(px[0], 200, 2);
  EXPECT_NEAR(px[1], 100, 2);
  EXPECT_NEAR(px[2], 50, 2);
  EXPECT_EQ(px[3], 128);

  const TPicture decoded = DecodeJPEG(EncodePixmapJPEG(pm, 95));
  ASSERT_EQ(decoded.Width, 16u);
  ASSERT_EQ(decoded.Height, 8u);
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(decoded.Pixels[c], px[c], 6);
  EXPECT_EQ(decoded.Pixels[3], 255);
}

}  // namespace
}  // namespace orvanta::render
