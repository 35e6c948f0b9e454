#include <gtest/gtest.h>

#include "builders/slideshow/photo_list.h"
#include "builders/slideshow/photo_preparation.h"
#include "platform/errors.h"
#include "slideshow_fixture.h"

namespace orvanta::test {
namespace {

TEST(SlideshowPhoto, FitKeepsProportionsAndCropFillsTheBox) {
  struct Case {
    uint32_t w, h, boxW, boxH, fitW, fitH;
  };
  for (const Case& c : {Case{400, 200, 150, 120, 150, 75}, Case{100, 200, 150, 120, 60, 120},
                        Case{150, 120, 150, 120, 150, 120}, Case{3000, 1, 100, 100, 100, 1}}) {
    uint32_t w = 0, h = 0;
    FitSize(c.w, c.h, c.boxW, c.boxH, w, h);
    EXPECT_EQ(w, c.fitW) << c.w << "x" << c.h;
    EXPECT_EQ(h, c.fitH) << c.w << "x" << c.h;
  }
  // Red sides, a green middle third: cropping to a square keeps only the middle.
  TPicture picture(300, 100, 0xFF0000FFu);
  for (uint32_t y = 0; y < 100; ++y)
    for (uint32_t x = 100; x < 200; ++x) picture.SetColor(x, y, 0xFF00FF00u);
  const TPicture cropped = CropPhoto(picture, 50, 50);
  ASSERT_EQ(cropped.Width, 50u);
  ASSERT_EQ(cropped.Height, 50u);
  for (uint32_t x : {1u, 25u, 48u}) EXPECT_EQ(cropped.Color(x, 25), 0xFF00FF00u) << x;
  const TPicture fitted = FitPhoto(picture, 60, 60);
  EXPECT_EQ(fitted.Width, 60u);
  EXPECT_EQ(fitted.Height, 20u);
  EXPECT_EQ(fitted.Color(2, 10), 0xFF0000FFu);
}

class SlideshowPhotoFile : public SlideshowFixture {};

TEST_F(SlideshowPhotoFile, ReadsByContentAndRefusesWhatIsNoPicture) {
  const TPreparedPhoto photo =
      PreparePhoto(Photo("png.jpg", 0x00FF00, 80, 40, true), 40, 40, false);
  EXPECT_EQ(photo.Width, 40u);
  EXPECT_EQ(photo.Height, 20u);
  const TPicture decoded = DecodeJPEG(photo.JPEG);
  EXPECT_EQ(decoded.Width, 40u);
  EXPECT_TRUE(Near(decoded.Color(20, 10) & 0xFFFFFF, 0x00FF00, 8));
  EXPECT_THROW(PreparePhoto(Junk("junk.jpg"), 40, 40, true), Error);
}

TEST(SlideshowPhotoList, EntriesAreComparedWhole) {
  std::vector<std::string> list;
  const std::string eleven = PhotoEntry("/data/photos/trip/11.jpg", "/data/photos");
  EXPECT_EQ(eleven, "trip\\11.jpg");
  EXPECT_TRUE(AddPhotoEntry(list, eleven));
  EXPECT_TRUE(AddPhotoEntry(list, PhotoEntry("/data/photos/trip/1.jpg", "/data/photos")));
  EXPECT_FALSE(AddPhotoEntry(list, PhotoEntry("/data/photos/trip/../trip/11.jpg", "/data/photos")));
  EXPECT_EQ(PhotoEntry("/home/me/photos2/a.jpg", "/data/photos"), "/home/me/photos2/a.jpg");
  EXPECT_EQ(list.size(), 2u);
}

}  // namespace
}  // namespace orvanta::test
