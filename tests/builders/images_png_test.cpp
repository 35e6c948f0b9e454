#include <gtest/gtest.h>

#include "builders/images/png_picture.h"
#include "media/picture_codecs.h"
#include "movie/flash_sprite.h"
#include "panels_support.h"

namespace orvanta {
namespace {

using test::Near;

// An opaque red picture with a fully transparent hole and some partly transparent pixels.
TPicture RedWithHole(uint32_t w, uint32_t h, uint32_t hole, size_t partial) {
  TPicture picture(w, h, 0xFF0000FF);
  for (uint32_t y = (h - hole) / 2; y < (h + hole) / 2; ++y)
    for (uint32_t x = (w - hole) / 2; x < (w + hole) / 2; ++x) picture.SetColor(x, y, 0);
  for (size_t i = 0; i < partial; ++i)
    picture.SetColor(uint32_t(i % w), uint32_t(i / w), 0x800000FF);
  return picture;
}

TEST(PngImage, MoreThanAHundredPartlyTransparentPixelsBringTwentyOneSparkles) {
  const auto empty = std::filesystem::temp_directory_path() / "orvanta_no_star_data";
  std::filesystem::create_directories(empty);
  const TDataRoot noStar(empty);
  const struct {
    size_t Partial;
    const TDataRoot& Data;
    int Frames, Placements;
    size_t Warnings;
  } cases[] = {
      {0, test::BuiltDataRoot(), 1, 1, 0},
      {100, test::BuiltDataRoot(), 1, 1, 0},
      {101, test::BuiltDataRoot(), 105, 22, 0},
      {101, noStar, 1, 1, 1},  // no star movie: the picture without sparkles
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Partial);
    TRandom random(3);
    TWarnings warnings;
    TBuildContext context{random, c.Data, warnings};
    TFlashMovie movie(0, 0, 100, 100, 12, true);
    TFlashSprite* sprite = movie.AddSprite();
    BuildPngImage(movie, *sprite, RedWithHole(60, 40, 10, c.Partial), context, "StaticImageText");
    movie.PlaceObject(sprite, 1);
    movie.ShowFrame();
    EXPECT_EQ(warnings.size(), c.Warnings);
    const test::TReadBack back(test::MovieBytes(movie));
    const auto places = back.Placements(sprite->CharacterId());
    EXPECT_EQ(int(places.size()), c.Placements);
    EXPECT_EQ(sprite->FrameCount(), c.Frames);
    for (size_t i = 1; i < places.size(); ++i) {
      EXPECT_EQ(places[i]->Depth, 19 + i);
      const TSWFMatrix& m = *places[i]->ExistingMatrix();
      EXPECT_LE(m.TranslateX, 59 * 20);  // at one of the partly transparent pixels: row 0 or 1
      EXPECT_LE(m.TranslateY, 1 * 20);
    }
  }
  std::filesystem::remove_all(empty);
}

class PngInStrips : public test::TBuildFixture {};

TEST_F(PngInStrips, AHoleInThePictureShowsThePanelBeneath) {
  Set("SWFWidth", "400");
  Set("SWFHeight", "200");
  Set("PageBackGroundSolidColor", std::to_string(0xFFFFFF));
  Set("shape5listbox", "3");
  Set("shape5posx", "0");
  Set("shape5posy", "0");
  Set("shape5width", "400");
  Set("shape5height", "200");
  auto stripPixel = [&](int x, int y) {
    const TPicture strip = DecodeJPEG(test::ReadAll(work_ / StripFileName(x / 100 + 1)));
    return strip.Color(uint32_t(x % 100), uint32_t(y)) & 0xFFFFFF;  // packed: red low
  };
  ASSERT_TRUE(Build().Warnings.empty());
  const uint32_t panel = stripPixel(150, 100), underPatch = stripPixel(65, 65);
  ASSERT_FALSE(Near(panel, 0x0000FF));  // the panel is not red where we look

  // With a 10 x 10 patch of orange at half alpha (100 pixels: no sparkles) at (10, 10).
  TPicture picture = RedWithHole(200, 100, 40, 0);
  for (uint32_t y = 10; y < 20; ++y)
    for (uint32_t x = 10; x < 20; ++x) picture.SetColor(x, y, 0x800064C8);
  Set("StaticImageText", WriteFile("hole.png", EncodePNG(picture)));
  Set("staticimagex", "50");
  Set("staticimagey", "50");
  ASSERT_TRUE(Build().Warnings.empty());
  EXPECT_TRUE(Near(stripPixel(150, 100), panel, 12));  // the hole's centre
  EXPECT_TRUE(Near(stripPixel(60, 130), 0x0000FF));    // the picture
  EXPECT_TRUE(Near(stripPixel(240, 140), 0x0000FF));
  // Half of (200, 100, 0) over the panel: the colours went in premultiplied, as players take
  // them; straight colours would come out clamped to the alpha instead.
  auto blend = [&](int shift, int colour) {
    return uint32_t(colour * 128 / 255 + int((underPatch >> shift) & 0xFF) * 127 / 255) << shift;
  };
  EXPECT_TRUE(Near(stripPixel(65, 65), blend(0, 200) | blend(8, 100) | blend(16, 0), 12))
      << std::hex << stripPixel(65, 65);
}

}  // namespace
}  // namespace orvanta
